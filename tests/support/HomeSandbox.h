// SPDX-License-Identifier: Apache-2.0
// A temporary home directory for a test process, through nss_wrapper: the password database answers
// getuid() with an entry whose home is a fresh temporary folder, so no test touches the real home.
//
// Linking any function below is all it takes. Before main runs, a process that is not yet inside a
// sandbox creates one (a temporary folder holding the home and the passwd and group files), sets
// LD_PRELOAD=libnss_wrapper.so, NSS_WRAPPER_PASSWD, NSS_WRAPPER_GROUP and HOME (and clears
// XDG_CONFIG_HOME, so the configuration folder is the sandbox's too), runs itself again
// with the same arguments as a child inside it, waits, removes the folder, and ends with the child's
// exit status or signal; so it works the same under ctest and gtest_discover_tests, and a crashing
// test leaves nothing behind. The child's ::testing::TempDir() is a folder of the sandbox too. Processes started inside
// inherit the sandbox. A process that finds the sandbox variables set but the wrapper not answering stops at once
// rather than use the real home.
#pragma once

#include <optional>
#include <string>

namespace homesandbox {

// The temporary home: the home directory of getuid() in the password database.
const std::string& home();

// Empties the home and points the password entry back at it; call it between tests.
void reset();

// Points getuid()'s password entry at dir (which need not exist), or, with nothing, removes the
// entry altogether. The change is seen by the next password look-up of this and any child process.
void setPasswdHome(const std::optional<std::string>& dir);

} // namespace homesandbox
