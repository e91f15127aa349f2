// SPDX-License-Identifier: Apache-2.0
// A private cupsd for end-to-end printing tests: a temporary server root, listening on 127.0.0.1 at a
// free port, running its children as lp, and stopped (and its tree removed) when the object goes.
#pragma once

#include "support/ChildProcess.h"

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cupstest {

class CupsServer {
public:
    CupsServer() = default;
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;
    ~CupsServer();

    // Before start: the server asks for a password (Basic) for everything of this queue but its
    // attributes (the PPD, the jobs).
    void requirePassword(const std::string& queue) { passwordQueues_.push_back(queue); }
    // Starts cupsd and points this process's CUPS clients, and their children, at it (CUPS_SERVER;
    // CUPS_SERVERROOT names a folder of the server's tree, where root's lpoptions go).
    // False, with the reason and the server's log in why, when it did not come up in time.
    bool start(std::string* why);
    // "127.0.0.1:PORT".
    const std::string& address() const { return address_; }
    int port() const { return port_; }

    // lpadmin: an enabled queue printing to deviceURI; without a PPD it is a raw queue.
    bool addQueue(
        const std::string& name, const std::string& deviceURI, const std::optional<std::string>& ppd, std::string* why);
    // lpadmin -p name with further arguments (e.g. -o OPTION-default=CHOICE).
    bool changeQueue(const std::string& name, const std::vector<std::string>& arguments, std::string* why);
    // cupsreject: the queue refuses new jobs.
    bool rejectJobs(const std::string& name, std::string* why);

    // Get-Job-Attributes: every job attribute as text (booleans "true"/"false", sets joined by ","),
    // or nothing with the reason.
    std::optional<std::map<std::string, std::string>> jobAttributes(int job, std::string* why) const;
    // Where the server keeps document n (from 1) of a job while the job waits.
    std::string documentFile(int job, int n) const;
    // The number of jobs the queue has, finished or not; -1 when it cannot be asked.
    int jobCount(const std::string& name) const;
    // Where cupsd keeps the documents of jobs ("d<job>-<n>" files).
    std::string spoolFolder() const { return root_ + "/spool"; }
    // cupsd ends at once, as if it crashed.
    void kill() { cupsd_.kill(); }

private:
    // One try at a fresh port; false and the reason when cupsd did not come up there.
    bool launch(gid_t lp, std::string* reason);
    std::string log() const;

    std::vector<std::string> passwordQueues_;
    std::string root_;
    std::string address_;
    int port_ = -1;
    testproc::ChildProcess cupsd_;
};

} // namespace cupstest
