// SPDX-License-Identifier: Apache-2.0
// A profile chosen from the panel's profile list travels in the ticket as its path on the printer
// (nibble-encoded); the proof can use it only when a local copy of that file is in the user's
// profile folder, and only when lcms2 finds it fit.
#pragma once

#include "host/preview/IccCheck.h"

#include <string>

namespace host::preview {

struct UserProfile {
    std::string name;    // the file name on the printer; empty when the ticket holds none
    std::string path;    // the local copy; empty when there is none or it is refused
    std::string problem; // why a local copy is refused
};

class UserProfiles {
public:
    explicit UserProfiles(std::string folder) : folder_(std::move(folder)) { }

    // The local profile for a "...CustomFilename" value of the ticket.
    UserProfile find(const std::string& encodedPath, ProfileUse use, int intent) const;
    const std::string& folder() const { return folder_; }

    // The printer-side path a ticket value stands for: each pair of characters c1 c2 is the byte
    // (c1 - 48) * 16 + (c2 - 48), modulo 256; an odd last character is dropped.
    static std::string decode(const std::string& encoded);

private:
    std::string folder_;
};

} // namespace host::preview
