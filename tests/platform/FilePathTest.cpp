// SPDX-License-Identifier: Apache-2.0
// Splitting a path into folder and name, as the file writes, the profile window and the job title need.
#include "cf/File.h"

#include <gtest/gtest.h>

namespace {

TEST(FilePath, FolderAndNameSplitAsDirnameAndBasename)
{
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"/home/u/Library/Preferences/list.plist", "/home/u/Library/Preferences", "list.plist"},
        {"report.pdf", ".", "report.pdf"},
        {"/report.pdf", "/", "report.pdf"},
        {"/Profiles/", "/", "Profiles"},
        {"a//b", "a", "b"},
        {"a/b//", "a", "b"},
        {"/", "/", "/"},
        {"//", "/", "/"},
        {"", ".", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cf::File::folderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(cf::File::nameOf(c.path), c.name) << c.path;
    }
}

} // namespace
