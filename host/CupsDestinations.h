// SPDX-License-Identifier: Apache-2.0
// The CUPS server's destinations with the user's and the system's lpoptions merged in, as lp sees them.
#pragma once

#include <cups/cups.h>

#include <string>

namespace host {

// Owns the list that cupsGetDests2 hands out and frees it with cupsFreeDests.
class CupsDestinations {
public:
    // Asks the server over http (borrowed); the list is empty when it cannot answer.
    explicit CupsDestinations(http_t* http) : count_(cupsGetDests2(http, &dests_)) { }
    ~CupsDestinations() { cupsFreeDests(count_, dests_); }
    CupsDestinations(const CupsDestinations&) = delete;
    CupsDestinations& operator=(const CupsDestinations&) = delete;

    const cups_dest_t* begin() const { return dests_; }
    const cups_dest_t* end() const { return dests_ + (count_ > 0 ? count_ : 0); }
    // QUEUE or QUEUE/INSTANCE (instance empty: the queue itself); null when the list has none. The
    // destination belongs to the list.
    cups_dest_t* find(const std::string& queue, const std::string& instance) const
    {
        return cupsGetDest(queue.c_str(), instance.empty() ? nullptr : instance.c_str(), count_, dests_);
    }
    // The destination, added to the list when it is not there yet.
    cups_dest_t* add(const std::string& queue, const std::string& instance)
    {
        count_ = cupsAddDest(queue.c_str(), instance.empty() ? nullptr : instance.c_str(), count_, &dests_);
        return find(queue, instance);
    }
    // Writes the list to the user's lpoptions (or the system's, as root); false when it cannot.
    bool write(http_t* http) const { return cupsSetDests2(http, count_, dests_) == 0; }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
};

} // namespace host
