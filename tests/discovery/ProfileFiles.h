// SPDX-License-Identifier: Apache-2.0
// The profile list file as the discovery tests set it up and read it back, in the sandbox home, and
// the fetch and the walk as the panel starts them.
#pragma once

#include "profiles/store/ProfileList.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace disctest {

using tlco::ProfileItem;
using tlco::ProfileList;

struct Lists {
    std::unique_ptr<ProfileList> rgb = emptyList();
    std::unique_ptr<ProfileList> sim = emptyList();
    std::unique_ptr<ProfileList> dst = emptyList();

    static std::unique_ptr<ProfileList> emptyList();
    ProfileList& operator[](int index) { return index == 0 ? *rgb : index == 1 ? *sim : *dst; }
};

ProfileItem item(int32_t index, int32_t state, const std::string& fileName, int32_t location = tlco::kLocationDisk,
    int32_t profileClass = 1, const std::string& profileName = "Listed");
// Appends an item at slot iNum.
void add(ProfileList& list, const ProfileItem& item);
// The first used item with this file name and location, or null.
const ProfileItem* find(const ProfileList& list, const std::string& fileName, int32_t location = tlco::kLocationDisk);

// Writes the three lists through the store; reads them back (empty when there is no file).
void writeLists(Lists& lists);
Lists readLists();

std::string profileListPath();
std::string backupPath();
std::optional<std::string> readBytes(const std::string& path);

// The panel's fetch for a session whose current printer has this device URI.
void fetch(const std::string& deviceURI);
// The walk with the fetch's own argument vector, sent to `peer`; returns the exit value.
int walk(const std::string& peer = "127.0.0.1");
// The walk with any argument vector (program name first).
int walkWith(std::vector<std::string> arguments);

} // namespace disctest
