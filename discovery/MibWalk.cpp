// SPDX-License-Identifier: Apache-2.0
// The walk loop over net-snmp: argument parsing, the GET-NEXT requests and their three kinds of
// failure (transport status, error status, exception values), then the merge.
#include "discovery/MibWalk.h"

#include "base/PDELog.h"
#include "discovery/Spool.h"
#include "discovery/SpoolRestructure.h"
#include "discovery/TableRowWalk.h"
#include "discovery/WalkDeadline.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace tlco {

int numprinted = 0;
char sDEBUGmsg[kDebugMessageSize];

namespace {

constexpr const char* kApplicationName = "snmpwalk";
constexpr oid kDefaultRoot[] = {1, 3, 6, 1, 2, 1};

// The library's own messages go to the debug hook, never to the user's terminal.
int forwardLibraryLog(int, int, void* serverArgument, void*)
{
    if (const auto* message = static_cast<const snmp_log_message*>(serverArgument))
        MyDebugMessage(message->msg, message->priority);
    return SNMPERR_SUCCESS;
}

// Library set-up that may happen only once per process: the option tokens (registering them again
// would add a second handler each walk), the log route, and the library itself with its
// configuration files.
void prepareLibrary()
{
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    netsnmp_ds_register_config(
        ASN_BOOLEAN, kApplicationName, "includeRequested", NETSNMP_DS_APPLICATION_ID, kWalkIncludeRequested);
    netsnmp_ds_register_config(
        ASN_BOOLEAN, kApplicationName, "printStatistics", NETSNMP_DS_APPLICATION_ID, kWalkPrintStatistics);
    netsnmp_ds_register_config(
        ASN_BOOLEAN, kApplicationName, "dontCheckOrdering", NETSNMP_DS_APPLICATION_ID, kWalkDontCheckOrdering);
    netsnmp_ds_register_config(
        ASN_INTEGER, kApplicationName, "walkDeadline", NETSNMP_DS_APPLICATION_ID, kWalkDeadlineSeconds);
    snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, forwardLibraryLog, nullptr);
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_DEBUG);
    init_snmp(kApplicationName);
}

std::string dotted(const oid* name, size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        text += '.';
        text += std::to_string(name[i]);
    }
    return text;
}

bool withinSubtree(const netsnmp_variable_list& variable, const oid* root, size_t rootLength)
{
    return variable.name_length >= rootLength && std::equal(root, root + rootLength, variable.name);
}

// A cell's name is root.column.1.row. Past the last row the walk goes on at the next column; false
// when the variable is no cell beyond the rows.
bool skipRestOfColumn(const netsnmp_variable_list& variable, size_t rootLength, oid* current, size_t* currentLength)
{
    if (variable.name_length != rootLength + 3 || variable.name[rootLength + 2] <= static_cast<oid>(kTableRows))
        return false;
    const oid column = variable.name[rootLength];
    if (column == MAX_SUBID) return false;
    std::copy(variable.name, variable.name + rootLength, current);
    current[rootLength] = column + 1;
    *currentLength = rootLength + 1;
    return true;
}

int finish(int exitValue)
{
    vRestructPlistSpool2Current(exitValue);
    return exitValue;
}

} // namespace

int walkDeadlineSeconds()
{
    prepareLibrary();
    const int seconds = netsnmp_ds_get_int(NETSNMP_DS_APPLICATION_ID, kWalkDeadlineSeconds);
    return seconds > 0 ? seconds : kDefaultWalkDeadline;
}

void setNextWalkDeadline(std::optional<std::chrono::steady_clock::time_point> deadline)
{
    WalkDeadline::setNextEnd(deadline);
}

void optProc(int, char* const*, int opt)
{
    if (opt != 'C' || !optarg) return;
    for (const char* letter = optarg; *letter; ++letter) {
        switch (*letter) {
        case 'i':
            netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, kWalkIncludeRequested);
            break;
        case 'p':
            netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, kWalkPrintStatistics);
            break;
        case 'c':
            netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, kWalkDontCheckOrdering);
            break;
        default:
            std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "Unknown flag passed to -C: %c\n", *letter);
            break;
        }
    }
}

void snmp_get_and_print(netsnmp_session* session, const oid* theoid, size_t theoidLength)
{
    netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
    if (!request) return;
    snmp_add_null_var(request, theoid, theoidLength);
    netsnmp_pdu* response = nullptr;
    // The request belongs to the library from here on, sent or not.
    const int status = snmp_synch_response(session, request, &response);
    if (status == STAT_SUCCESS && response && response->errstat == SNMP_ERR_NOERROR) {
        for (const netsnmp_variable_list* variable = response->variables; variable;
             variable = variable->next_variable) {
            ++numprinted;
            print_variable(variable->name, variable->name_length, variable);
        }
    }
    if (response) snmp_free_pdu(response);
}

namespace {

// How a walk ended, kept apart: the transport's status of the last exchange, the agent's error
// status, whether an exception value (noSuchObject, noSuchInstance, endOfMibView) was met, and
// whether the walk itself gave up (deadline, too many variables, OIDs not increasing, no memory).
struct WalkResult {
    int transport = STAT_SUCCESS;
    long errorStatus = SNMP_ERR_NOERROR;
    bool exception = false;
    bool failed = false;

    int exitValue() const
    {
        if (failed) return kWalkFailed;
        // noSuchName is how an SNMPv1 agent says the walk is over.
        if (errorStatus != SNMP_ERR_NOERROR && errorStatus != SNMP_ERR_NOSUCHNAME) return kWalkErrorStatus;
        return kWalkSucceeded;
    }
};

struct WalkPosition {
    const oid* root;
    size_t rootLength;
    oid current[MAX_OID_LEN];
    size_t currentLength;
    int received = 0;
    bool checkOrdering;
};

// The root OID: the argument after the options, or the default subtree.
bool parseRoot(int argc, char** argv, int firstArgument, oid* root, size_t* rootLength)
{
    *rootLength = MAX_OID_LEN;
    if (firstArgument < argc) {
        if (snmp_parse_oid(argv[firstArgument], root, rootLength)) return true;
        snmp_perror(argv[firstArgument]);
        return false;
    }
    *rootLength = sizeof kDefaultRoot / sizeof kDefaultRoot[0];
    std::copy(std::begin(kDefaultRoot), std::end(kDefaultRoot), root);
    return true;
}

// Spools one response's variables and moves the position on; false when the walk is over.
bool takeVariables(const netsnmp_pdu& response, WalkPosition& at, WalkResult& result)
{
    bool running = true;
    for (const netsnmp_variable_list* variable = response.variables; variable; variable = variable->next_variable) {
        if (!withinSubtree(*variable, at.root, at.rootLength)) {
            running = false;
            continue;
        }
        if (++at.received > kMaxWalkVariables) {
            std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "[SNMP] Error: more than %d variables", kMaxWalkVariables);
            result.failed = true;
            return false;
        }
        ++numprinted;
        vSpoolPlist(variable->name, variable->name_length, variable, 0);
        if (isExceptionValue(variable->type)) {
            result.exception = true;
            running = false;
            continue;
        }
        if (at.checkOrdering &&
            snmp_oid_compare(at.current, at.currentLength, variable->name, variable->name_length) >= 0) {
            std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "[SNMP] Error: OID not increasing: %s >= %s",
                dotted(at.current, at.currentLength).c_str(), dotted(variable->name, variable->name_length).c_str());
            running = false;
            result.failed = true;
        }
        if (skipRestOfColumn(*variable, at.rootLength, at.current, &at.currentLength)) continue;
        at.currentLength = std::min<size_t>(variable->name_length, MAX_OID_LEN);
        std::copy(variable->name, variable->name + at.currentLength, at.current);
    }
    return running;
}

// GETNEXT from the root until the subtree, the agent or the deadline ends the walk.
WalkResult walkSubtree(netsnmp_session& opened, const oid* root, size_t rootLength, WalkDeadline& deadline)
{
    WalkResult result;
    WalkPosition at{root, rootLength, {}, rootLength, 0,
        !netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkDontCheckOrdering)};
    std::copy(root, root + rootLength, at.current);
    for (bool running = true; running;) {
        if (!deadline.fitNextRequest()) {
            result.transport = STAT_TIMEOUT;
            result.failed = true;
            break;
        }
        netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GETNEXT);
        if (!request) {
            result.transport = STAT_ERROR;
            result.failed = true;
            break;
        }
        snmp_add_null_var(request, at.current, at.currentLength);
        netsnmp_pdu* response = nullptr;
        result.transport = snmp_synch_response(&opened, request, &response);
        if (result.transport == STAT_SUCCESS && response && response->errstat == SNMP_ERR_NOERROR) {
            running = takeVariables(*response, at, result);
        } else if (result.transport == STAT_SUCCESS && response) {
            running = false;
            result.errorStatus = response->errstat;
        } else {
            if (result.transport != STAT_TIMEOUT) snmp_sess_perror(kApplicationName, &opened);
            running = false;
            result.failed = true;
        }
        if (response) snmp_free_pdu(response);
    }
    return result;
}

bool isProfileTable(const oid* root, size_t rootLength)
{
    return rootLength == kProfileTableRootLength && std::equal(root, root + rootLength, kProfileTableRoot);
}

// The profile table a row at a time where the agent allows it, else (from the start, with the
// spool emptied) column by column.
WalkResult walkTable(netsnmp_session& opened, const oid* root, size_t rootLength)
{
    WalkDeadline deadline(opened, netsnmp_ds_get_int(NETSNMP_DS_APPLICATION_ID, kWalkDeadlineSeconds));
    if (isProfileTable(root, rootLength)) {
        TableRowWalk rows(opened, deadline);
        const TableRowWalk::End end = rows.run();
        if (end != TableRowWalk::End::Unsuitable) {
            numprinted += rows.taken();
            WalkResult result;
            result.transport = rows.transport();
            result.failed = end == TableRowWalk::End::Failed;
            return result;
        }
        vSpoolPlist(nullptr, 0, nullptr, 1);
    }
    return walkSubtree(opened, root, rootLength, deadline);
}

} // namespace

int mib_walk(int argc, char** argv)
{
    prepareLibrary();
    // Every walk starts from the options' defaults; only its own -C may change them.
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, kWalkIncludeRequested, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, kWalkPrintStatistics, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, kWalkDontCheckOrdering, 0);
    vSpoolPlist(nullptr, 0, nullptr, 1);

    netsnmp_session session;
    const int firstArgument = snmp_parse_args(argc, argv, &session, "C:", optProc);
    if (firstArgument < 0) return finish(firstArgument);
    // The parser leaves the community with the caller; the opened session keeps its own copy.
    struct CommunityRelease {
        netsnmp_session& session;
        ~CommunityRelease()
        {
            std::free(session.community);
            session.community = nullptr;
        }
    } communityRelease{session};

    oid root[MAX_OID_LEN];
    size_t rootLength = 0;
    if (!parseRoot(argc, argv, firstArgument, root, &rootLength)) return finish(kWalkFailed);

    netsnmp_session* opened = snmp_open(&session);
    if (!opened) {
        MyDebugMessage("[UTIL-MIB] SNMP Open Err\n", 0);
        snmp_sess_perror(kApplicationName, &session);
        return finish(kWalkFailed);
    }
    if (netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkIncludeRequested))
        snmp_get_and_print(opened, root, rootLength);

    const WalkResult result = walkTable(*opened, root, rootLength);

    if (result.transport == STAT_SUCCESS && numprinted == 0) snmp_get_and_print(opened, root, rootLength);
    snmp_close(opened);
    if (netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkPrintStatistics))
        MyDebugMessage("[UTIL-MIB] Variables found: ", numprinted);
    return finish(result.exitValue());
}

} // namespace tlco
