// SPDX-License-Identifier: Apache-2.0
// Profile list set-up and read-back for the discovery tests, through the store's own routines.
#include "ProfileFiles.h"

#include "binding/PDECommon.h"
#include "discovery/MibWalk.h"
#include "profiles/store/TLPList.h"
#include "support/HomeSandbox.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace disctest {

std::unique_ptr<ProfileList> Lists::emptyList()
{
    auto list = std::make_unique<ProfileList>();
    std::memset(list.get(), 0, sizeof *list);
    return list;
}

ProfileItem item(int32_t index, int32_t state, const std::string& fileName, int32_t location, int32_t profileClass,
    const std::string& profileName)
{
    ProfileItem made{};
    made.iIndexOnDevice = index;
    made.iInMenu = state;
    made.iProfileClass = profileClass;
    std::strncpy(made.FileName, fileName.c_str(), sizeof made.FileName - 1);
    std::strncpy(made.ProfileName, profileName.c_str(), sizeof made.ProfileName - 1);
    made.iLocation = location;
    return made;
}

void add(ProfileList& list, const ProfileItem& added)
{
    list.litem[list.iNum++] = added;
}

const ProfileItem* find(const ProfileList& list, const std::string& fileName, int32_t location)
{
    for (const ProfileItem& candidate : list.litem)
        if (candidate.iInMenu != tlco::kStateEmpty && fileName == candidate.FileName && candidate.iLocation == location)
            return &candidate;
    return nullptr;
}

void writeLists(Lists& lists)
{
    tlco::TLPListWriteProfile_All(lists.rgb.get(), lists.sim.get(), lists.dst.get());
}

Lists readLists()
{
    Lists lists;
    tlco::TLPListReadProfile_All(lists.rgb.get(), lists.sim.get(), lists.dst.get());
    return lists;
}

std::string profileListPath()
{
    return homesandbox::home() + "/" + tlco::kProfileListFile;
}
std::string backupPath()
{
    return homesandbox::home() + "/" + tlco::kProfileBackupFile;
}

std::optional<std::string> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void fetch(const std::string& deviceURI)
{
    pm::Session session(std::make_shared<pm::Printer>("zq4410_test", deviceURI));
    tlco::PDECommon::commonGetProfilesFromMIB(&session);
}

int walk(const std::string& peer)
{
    return walkWith({"snmpwalk", "-Os", "-c", "orchid", "-v", "1", peer, "1.3.6.1.4.1.51234.1.1.1.1.6.13.1.1"});
}

int walkWith(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (auto& text : arguments) argv.push_back(text.data());
    argv.push_back(nullptr);
    return tlco::mib_walk(static_cast<int>(arguments.size()), argv.data());
}

} // namespace disctest
