// SPDX-License-Identifier: Apache-2.0
// Runs printdialog inside the test's temporary home and parses its JSON answers.
#pragma once

#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace hostrun {

struct Run {
    testproc::Result result;
    std::vector<nlohmann::json> answers;
    // The last "state" answer (from dump).
    nlohmann::json state() const
    {
        for (auto it = answers.rbegin(); it != answers.rend(); ++it)
            if (it->contains("state")) return (*it)["state"];
        return nullptr;
    }
    nlohmann::json last(const char* key) const
    {
        for (auto it = answers.rbegin(); it != answers.rend(); ++it)
            if (it->contains(key)) return (*it)[key];
        return nullptr;
    }
};

inline Run printdialog(
    std::vector<std::string> args, const std::string& script, std::vector<std::string> environment = {"LC_ALL=C"})
{
    homesandbox::home();
    std::vector<std::string> argv = {testpaths::printdialog(), "--json", "--script", "-"};
    argv.insert(argv.end(), args.begin(), args.end());
    Run run;
    run.result = testproc::run(argv, script, environment);
    for (const auto& line : testproc::jsonLines(run.result.out)) run.answers.push_back(nlohmann::json::parse(line));
    return run;
}

} // namespace hostrun
