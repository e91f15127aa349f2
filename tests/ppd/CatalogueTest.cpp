// SPDX-License-Identifier: Apache-2.0
// The catalogues in the bundle (Japanese, English): every key the panel looks up has a text, and a
// catalogue holds no key that nothing looks up. Sets LANGUAGE under LC_ALL=C.UTF-8 itself.
#include "panels/PainChangeController.h"
#include "plugin/Classes.h"
#include "plugin/PDEPlugInInterface.h"
#include "support/TestPaths.h"
#include "ui/Nib.h"
#include "ui/PopUpButton.h"

#include "cf/Bundle.h"

#include <cstdlib>
#include <cups/ppd.h>
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <memory>
#include <set>
#include <string>

// libcups marks its whole PPD API deprecated; the panel is built on it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// The keys of the control tables, as the views build them, the keys looked up elsewhere, and every
// text of the interface description a person reads (not the pop-ups' stand-in items, which the
// PPD's choices replace).
std::set<std::string> keysThePanelLooksUp()
{
    std::set<std::string> keys = {"Color Options", "Disk", "Card", "ProfileTitle",
        "asking %s for its stored colour profiles\u2026", "The profiles were not saved: %s", "Image", "Text",
        "Graphics", "Simulation"};
    std::set<std::string> described;
    tlco::registerClasses();
    tlco::PDEPlugInInterface owner;
    std::unique_ptr<ui::Nib> nib =
        ui::Nib::load(testpaths::bundleDir() + "/PDEMain.json", &owner, nullptr, [&](const std::string& text) {
            described.insert(text);
            return text;
        });
    std::unique_ptr<ppd_file_t, PPDCloser> ppd(ppdOpenFile(testpaths::ppd("zq4410.ppd").c_str()));
    auto* painChange = nib ? dynamic_cast<tlco::PainChangeController*>(nib->object("painChange")) : nullptr;
    if (!painChange || !ppd) return {};
    for (tlco::OptionsView* view : {static_cast<tlco::OptionsView*>(painChange->colorView()),
             static_cast<tlco::OptionsView*>(painChange->advancedView())}) {
        view->setPPDFile(ppd.get());
        view->createPDEControlTable();
        for (const tlco::PDEControlRecord* r = view->getControlData(); r && r->control; ++r) {
            if (r->titleKey) keys.insert(r->titleKey);
            if (r->summaryKey) keys.insert(r->summaryKey);
            if (auto* popUp = dynamic_cast<ui::PopUpButton*>(r->control); popUp && tlco::hasKeyword(*r))
                for (const auto& item : popUp->items()) described.erase(item.title);
        }
        view->deallocPDEControlTable();
    }
    keys.insert(described.begin(), described.end());
    return keys;
}

std::set<std::string> catalogueKeys(const std::string& language)
{
    std::set<std::string> keys;
    std::ifstream po(testpaths::sourceDir() + "/resources/po/" + language + ".po");
    std::string line;
    const std::string prefix = "msgid \"";
    while (std::getline(po, line)) {
        if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 1) continue;
        std::string key = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (!key.empty()) keys.insert(key);
    }
    return keys;
}

bool isUtf8(const std::string& text)
{
    size_t pending = 0;
    for (unsigned char c : text) {
        if (pending) {
            if ((c & 0xC0) != 0x80) return false;
            --pending;
        } else if ((c & 0xE0) == 0xC0) {
            pending = 1;
        } else if ((c & 0xF0) == 0xE0) {
            pending = 2;
        } else if ((c & 0xF8) == 0xF0) {
            pending = 3;
        } else if (c >= 0x80) {
            return false;
        }
    }
    return pending == 0;
}

TEST(JapaneseCatalogue, TranslatesEveryKeyThePanelLooksUpAndNothingElse)
{
    ::setenv("LANGUAGE", "ja", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "");
    cf::Bundle bundle(testpaths::bundleDir(), "jp.tessaluma.pde.zq4410.tlco");
    std::set<std::string> looked = keysThePanelLooksUp();
    ASSERT_GE(looked.size(), 51u);
    for (const auto& key : looked) {
        std::string text = bundle.localizedString(key);
        if (key != "OK") { // reads the same in Japanese
            EXPECT_NE(text, key) << "no Japanese text for " << key;
        }
        EXPECT_TRUE(isUtf8(text)) << key;
    }
    EXPECT_EQ(catalogueKeys("ja"), looked);
}

// English texts are mostly the keys themselves; the keys that are not English words get words.
TEST(EnglishCatalogue, GivesEveryKeyEnglishWords)
{
    ::setenv("LANGUAGE", "en", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "");
    cf::Bundle bundle(testpaths::bundleDir(), "jp.tessaluma.pde.zq4410.tlco");
    EXPECT_EQ(catalogueKeys("en"), keysThePanelLooksUp());
    EXPECT_EQ(bundle.localizedString("ProfileTitle"), "Profile Management");
    EXPECT_EQ(bundle.localizedString("EdgeType"), "Edge Type");
    EXPECT_EQ(bundle.localizedString("Disk"), "Disk");
}

} // namespace
