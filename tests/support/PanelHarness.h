// SPDX-License-Identifier: Apache-2.0
// A panel as the print dialog makes it: the bundle's factory, a ticket, a session with a printer and
// an opened sample PPD. Runs inside the temporary home of HomeSandbox.
#pragma once

#include "pde/Protocol.h"
#include "print/PrintSettings.h"
#include "print/Session.h"
#include "ui/Nib.h"

#include <cups/ppd.h>

#include <memory>
#include <string>

namespace testpanel {

struct Options {
    std::string ppd = "zq4410.ppd"; // a file of ppd/
    std::string printerId = "zq4410_test";
    std::string deviceURI = "usb://TESSALUMA/zq4410";
    bool printer = true;   // false: a session without a current printer
    std::string bundleDir; // empty: the built bundle
};

class Harness : public pde::Callback {
public:
    explicit Harness(Options options = {});
    ~Harness() override;

    PMPrintSettings printSettings() override { return &ticket; }
    PMPrintSession printSession() override { return &session; }
    ppd_file_t* ppdFile() override { return ppd; }

    pde::Panel& panel() { return *panelObject; }
    // The object of the panel's interface description with that id, as T; null when not loaded.
    template <class T>
    T* get(const std::string& id) const
    {
        ui::Nib* nib = ui::Nib::forOwner(panelObject.get());
        return nib ? dynamic_cast<T*>(nib->object(id)) : nullptr;
    }
    bool loaded() const { return ui::Nib::forOwner(panelObject.get()) != nullptr; }

    pm::PrintSettings ticket;
    pm::Session session;
    ppd_file_t* ppd = nullptr;
    std::shared_ptr<pde::Panel> panelObject;
};

// A callback that forwards to a harness (the panel keeps it alive, the harness owns the data).
std::shared_ptr<pde::Callback> forwardingCallback(Harness& harness);

} // namespace testpanel
