// SPDX-License-Identifier: Apache-2.0
// Shared pieces of the binding tests: PPDs opened with libcups, and a view-like owner of real widgets
// and the control table built over them.
#pragma once

#include "base/Localize.h"
#include "binding/PDECommon.h"
#include "support/TestPaths.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"

#include <cups/ppd.h>

#include <memory>
#include <string>
#include <vector>

// libcups marks its whole PPD API deprecated; the panel is built on it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace bindingtest {

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDFile = std::unique_ptr<ppd_file_t, PPDCloser>;

// Opened and marked with its defaults, as the print dialog hands it over.
inline PPDFile openPPD(const std::string& path)
{
    PPDFile ppd(ppdOpenFile(path.c_str()));
    if (ppd) ppdMarkDefaults(ppd.get());
    return ppd;
}

inline std::string dataPPD(const std::string& name)
{
    return testpaths::sourceDir() + "/tests/binding/data/" + name;
}

inline void useBundle()
{
    tlco::pluginBundle = std::make_shared<cf::Bundle>(testpaths::bundleDir(), "jp.tessaluma.pde.zq4410.tlco");
}

// Points the PPD's lang_encoding at another name for a while; libcups frees the original on close.
class ScopedEncoding {
public:
    ScopedEncoding(ppd_file_t* ppd, const char* name) : ppd_(ppd), saved_(ppd->lang_encoding)
    {
        ppd_->lang_encoding = const_cast<char*>(name);
    }
    ~ScopedEncoding() { ppd_->lang_encoding = saved_; }
    ScopedEncoding(const ScopedEncoding&) = delete;
    ScopedEncoding& operator=(const ScopedEncoding&) = delete;

private:
    ppd_file_t* ppd_;
    char* saved_;
};

// Widgets and their control table, as a view holds them.
class Panel {
public:
    ui::PopUpButton* popUp(
        const char* key, const char* summaryKey = nullptr, int16_t profileKind = 0, const char* ctrlName = "")
    {
        return add<ui::PopUpButton>(tlco::kControlPopUp, key, nullptr, summaryKey, ctrlName, profileKind);
    }
    ui::CheckBox* checkBox(const char* key, const char* titleKey = nullptr, const char* summaryKey = nullptr)
    {
        return add<ui::CheckBox>(tlco::kControlCheckBox, key, titleKey, summaryKey, "", 0);
    }
    ui::Label* label(const char* titleKey) { return add<ui::Label>(tlco::kControlLabel, "", titleKey, nullptr, "", 0); }
    ui::Button* button(const char* titleKey)
    {
        return add<ui::Button>(tlco::kControlButton, "", titleKey, nullptr, "", 0);
    }
    ui::TabView* tabView(const char* titleKey, int pages)
    {
        auto* tabs = add<ui::TabView>(tlco::kControlTabView, "", titleKey, nullptr, "", 0);
        for (int i = 0; i < pages; ++i) tabs->addTabViewItem(ui::TabViewItem{"page" + std::to_string(i), nullptr});
        return tabs;
    }

    // The table with its choice lists from the PPD, as a view creates it.
    tlco::PDEControlRecord* build(ppd_file_t* ppd)
    {
        auto records = template_;
        records.push_back(tlco::kEndRecord);
        table_ = tlco::ControlTable::create(records.data(), records.size());
        table_->loadChoices(ppd);
        return table_->data();
    }
    // Titles and pop-up menus from the PPD, as a view sets them up after the table exists.
    tlco::PDEControlRecord* buildWithItems(ppd_file_t* ppd)
    {
        build(ppd);
        tlco::PDECommon::commonBuildPDEItem(table_->data(), ppd);
        return table_->data();
    }

    tlco::PDEControlRecord* table() { return table_->data(); }
    tlco::PDEControlRecord& record(size_t index) { return table_->data()[index]; }

private:
    template <class Widget>
    Widget* add(int32_t type, const char* key, const char* titleKey, const char* summaryKey, const char* ctrlName,
        int16_t profileKind)
    {
        auto widget = std::make_unique<Widget>();
        Widget* raw = widget.get();
        widgets_.push_back(std::move(widget));
        template_.push_back(
            tlco::PDEControlRecord{raw, type, key, titleKey, summaryKey, ctrlName, profileKind, nullptr});
        return raw;
    }

    std::vector<std::unique_ptr<ui::View>> widgets_;
    std::vector<tlco::PDEControlRecord> template_;
    std::unique_ptr<tlco::ControlTable> table_;
};

} // namespace bindingtest
