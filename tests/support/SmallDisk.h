// SPDX-License-Identifier: Apache-2.0
// A full disk for one command: a small tmpfs mounted over a folder in a mount namespace of its own
// (unshare -m), holding a copy of what the folder held and then filled up. What the folder holds
// when the command ends is copied back, so the test reads what the command left.
#pragma once

#include "support/Process.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace testproc {

struct SmallDisk {
    std::string folder;
    int sizeKiB = 256;
    mode_t folderMode = 0; // given to the folder after the copy; 0 keeps the folder's own

    // Empty when a mount namespace can be made here; else the reason (the test then skips).
    static std::string unavailableReason();
    // argv (a full path first) on the full disk; input and environment as for run().
    Result run(const std::vector<std::string>& argv, const std::string& input,
        const std::vector<std::string>& environment) const;
};

} // namespace testproc
