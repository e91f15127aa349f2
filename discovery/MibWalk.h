// SPDX-License-Identifier: Apache-2.0
// The SNMP walk of the printer's profile table, driven by an argument vector like a command-line
// walker, and the counters it keeps for the process.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <chrono>
#include <cstddef>
#include <optional>

namespace tlco {

// Exit values of the walk besides the argument parser's own negative ones.
inline constexpr int kWalkSucceeded = 0;
inline constexpr int kWalkFailed = 1;
inline constexpr int kWalkErrorStatus = 2;

// Walk options of the application's default store, as the option -C toggles them.
inline constexpr int kWalkIncludeRequested = 1;
inline constexpr int kWalkPrintStatistics = 2;
inline constexpr int kWalkDontCheckOrdering = 3;

// The application's integer in the default store holding the whole walk's deadline in seconds
// ("walkDeadline" in snmpwalk.conf); 0 or less: kDefaultWalkDeadline. A slow agent with a growing
// table would otherwise keep the dialog waiting for an hour.
inline constexpr int kWalkDeadlineSeconds = 0;
inline constexpr int kDefaultWalkDeadline = 15;

// The configured deadline in seconds (the library's configuration is read first).
int walkDeadlineSeconds();
// The next walk ends by `deadline` instead of its own (nothing: by its own): a fetch whose printer
// name was looked up first counts the lookup's time inside the same deadline.
void setNextWalkDeadline(std::optional<std::chrono::steady_clock::time_point> deadline);

inline constexpr size_t kDebugMessageSize = 128;

// The table's shape: rows above kTableRows are never used, so the walk leaves a column at its first
// such row. Each column then answers at most kTableRows + 1 variables; an agent that answers more
// than its columns can hold never ends its table, and the walk stops rather than hang the dialog.
inline constexpr int kTableColumns = 7;
inline constexpr int kTableRows = 500;
inline constexpr int kMaxWalkVariables = kTableColumns * (kTableRows + 1);

// The exception values of a variable (noSuchObject, noSuchInstance, endOfMibView): the walk ends there.
inline bool isExceptionValue(u_char type)
{
    return type == SNMP_NOSUCHOBJECT || type == SNMP_NOSUCHINSTANCE || type == SNMP_ENDOFMIBVIEW;
}

// Variables received by every walk of the process; never reset.
extern int numprinted;
// The last diagnostic of a walk; nothing emits it.
extern char sDEBUGmsg[kDebugMessageSize];

// Walks the subtree that argv names and merges the rows into the profile list file. argv must hold
// argc writable strings followed by a null pointer: the argument parser blanks the community.
int mib_walk(int argc, char** argv);
// One GET of theoid; its variables are counted and printed to standard output.
void snmp_get_and_print(netsnmp_session* session, const oid* theoid, size_t theoidLength);
// The argument parser's callback for the walk's own option -C.
void optProc(int argc, char* const* argv, int opt);

} // namespace tlco
