// SPDX-License-Identifier: Apache-2.0
// The full disk through unshare, mount and a shell script of a few lines.
#include "support/SmallDisk.h"

#include <cstdio>

namespace testproc {
namespace {

// $1 folder, $2 size in KiB, $3 mode or "", then the command. The filler takes every free block
// and is gone before the copy back.
constexpr const char* kScript = R"(
set -e
folder=$1 size=$2 mode=$3
shift 3
saved=$(mktemp -d "$(dirname "$folder")/.smalldisk.XXXXXX")
cp -a "$folder/." "$saved/"
mount -t tmpfs -o "size=${size}k" tmpfs "$folder"
cp -a "$saved/." "$folder/"
chown --reference="$saved" "$folder"
chmod --reference="$saved" "$folder"
cat /dev/zero > "$folder/.filler" 2>/dev/null || true
[ -z "$mode" ] || chmod "$mode" "$folder"
set +e
"$@"
status=$?
rm -f "$folder/.filler"
rm -rf "$saved"
left=$(mktemp -d "$(dirname "$folder")/.smalldisk.XXXXXX")
cp -a "$folder/." "$left/"
umount "$folder"
find "$folder" -mindepth 1 -delete
cp -a "$left/." "$folder/"
rm -rf "$left"
exit $status
)";

} // namespace

std::string SmallDisk::unavailableReason()
{
    static const std::string reason = [] {
        Result probe = testproc::run(
            {"/usr/bin/unshare", "-m", "/bin/sh", "-c", "mount -t tmpfs -o size=64k tmpfs /mnt && umount /mnt"});
        return probe.status == 0 ? std::string() : "no mount namespace with a tmpfs here (unshare -m): " + probe.err;
    }();
    return reason;
}

Result SmallDisk::run(
    const std::vector<std::string>& argv, const std::string& input, const std::vector<std::string>& environment) const
{
    char mode[16] = "";
    if (folderMode) std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(folderMode));
    std::vector<std::string> wrapped = {
        "/usr/bin/unshare", "-m", "/bin/sh", "-c", kScript, "sh", folder, std::to_string(sizeKiB), mode};
    wrapped.insert(wrapped.end(), argv.begin(), argv.end());
    return testproc::run(wrapped, input, environment);
}

} // namespace testproc
