// SPDX-License-Identifier: Apache-2.0
// Only the file name of the printer-side path counts: the folders are the printer's.
#include "host/preview/UserProfiles.h"

#include <sys/stat.h>

namespace host::preview {

std::string UserProfiles::decode(const std::string& encoded)
{
    std::string result;
    for (size_t i = 0; i + 1 < encoded.size(); i += 2) {
        const int high = static_cast<unsigned char>(encoded[i]) - 48;
        const int low = static_cast<unsigned char>(encoded[i + 1]) - 48;
        result += static_cast<char>(((high * 16 + low) % 256 + 256) % 256);
    }
    return result;
}

UserProfile UserProfiles::find(const std::string& encodedPath, ProfileUse use, int intent) const
{
    UserProfile result;
    const std::string path = decode(encodedPath);
    const size_t slash = path.find_last_of('/');
    result.name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (result.name.empty() || result.name == "." || result.name == ".." ||
        result.name.find('\0') != std::string::npos || folder_.empty())
        return result;
    const std::string local = folder_ + "/" + result.name;
    struct stat info { };
    if (::stat(local.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return result;
    if (auto problem = IccCheck::problem(local, use, intent)) {
        result.problem = *problem;
        return result;
    }
    result.path = local;
    return result;
}

} // namespace host::preview
