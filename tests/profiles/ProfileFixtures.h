// SPDX-License-Identifier: Apache-2.0
// Shared pieces of the profile tests: records to write, the files in the sandbox home, and raw
// access to the profile list file for layouts the store itself would never write.
#pragma once

#include "cf/Dictionary.h"
#include "profiles/store/ProfileList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

namespace profiletest {

using tlco::ProfileItem;
using tlco::ProfileList;

std::string profileListPath();
std::string backupPath();
std::string preferencesFolder();

ProfileItem item(int32_t index, int32_t state, const std::string& fileName, const std::string& profileName = "",
    int32_t location = tlco::kLocationDisk, int32_t profileClass = 1);
// A cleared record holding the items packed from slot 0, iNum their number.
std::unique_ptr<ProfileList> list(std::initializer_list<ProfileItem> items = {});
// A record with every byte set, to see what a call leaves alone.
std::unique_ptr<ProfileList> filledWithSentinel();

::testing::AssertionResult sameList(const ProfileList& expected, const ProfileList& actual);

// The whole file as bytes, and writing bytes to it (creating the folders).
std::optional<std::string> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
// The file parsed, and a tree written back as an XML property list.
cf::DictionaryRef loadFile();
void saveFile(const cf::DictionaryRef& root);
// The field dictionary `field` of class `classKey` in a loaded tree (asserts that it exists).
cf::DictionaryRef fieldOf(const cf::DictionaryRef& root, const char* classKey, const char* field);

// Resets the sandbox home before every test.
class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override;
};

} // namespace profiletest
