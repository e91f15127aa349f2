// SPDX-License-Identifier: Apache-2.0
// The factory and the panel protocol as a print dialog drives them.
#include "support/PanelHarness.h"
#include "support/TestPaths.h"

#include "base/Localize.h"
#include "cf/Array.h"
#include "plugin/PDEPlugIn.h"
#include "plugin/PDEPlugInInterface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> strings(const cf::ArrayRef& array)
{
    std::vector<std::string> out;
    for (const auto& item : array->items()) out.push_back(cf::as<cf::String>(item)->utf8());
    return out;
}

TEST(Factory, OffersOnePanelForThePrintDialogTypeOnly)
{
    testpanel::Harness harness;
    tlco::PDEPlugIn factory;
    EXPECT_TRUE(factory.initWithBundle(tlco::pluginBundle));
    auto panels = factory.PDEPanelsForType(pde::kPrintDialogType, testpanel::forwardingCallback(harness));
    ASSERT_TRUE(panels.has_value());
    EXPECT_EQ(panels->size(), 1u);
    for (const char* other : {"", "bdb091f4-e57f-11d3-b5cc-0050e4603277", "BDB091F4-E57F-11D3-B5CC-0050E4603278"})
        EXPECT_FALSE(factory.PDEPanelsForType(other, testpanel::forwardingCallback(harness)).has_value()) << other;
}

TEST(Factory, KeepsTheFirstBundleOnly)
{
    testpanel::Harness harness;
    cf::BundleRef first = tlco::pluginBundle;
    tlco::PDEPlugIn factory;
    EXPECT_TRUE(factory.initWithBundle(std::make_shared<cf::Bundle>("/nowhere", "other")));
    EXPECT_EQ(tlco::pluginBundle, first);
}

TEST(Panel, NamesAndKindNeedNoLoad)
{
    testpanel::Harness harness;
    EXPECT_EQ(harness.panel().panelKind(), "jp.tessaluma.pde.zq4410.tlco");
    EXPECT_EQ(harness.panel().panelName(), "Color Options");
    EXPECT_TRUE(harness.panel().shouldHide());
    EXPECT_FALSE(harness.loaded());
}

TEST(Panel, EachOfTheFourEntryPointsLoadsTheDescription)
{
    using Call = void (*)(pde::Panel&);
    const std::vector<std::pair<const char*, Call>> calls = {
        {"panelView", [](pde::Panel& p) { EXPECT_NE(p.panelView(), nullptr); }},
        {"supportedPPDOptionKeys", [](pde::Panel& p) { p.supportedPPDOptionKeys(); }},
        {"restore", [](pde::Panel& p) { EXPECT_TRUE(p.restoreValuesAndReturnError(nullptr)); }},
        {"summaryInfo", [](pde::Panel& p) { p.summaryInfo(); }},
    };
    for (const auto& [name, call] : calls) {
        testpanel::Harness harness;
        call(harness.panel());
        EXPECT_TRUE(harness.loaded()) << name;
    }
}

TEST(Panel, LoadsOnceHoweverOftenTheViewIsAskedFor)
{
    testpanel::Harness harness;
    ui::View* first = harness.panel().panelView();
    ui::Nib* nib = ui::Nib::forOwner(harness.panelObject.get());
    EXPECT_EQ(harness.panel().panelView(), first);
    EXPECT_EQ(ui::Nib::forOwner(harness.panelObject.get()), nib);
}

TEST(Panel, SummaryBeforeTheViewGivesTheFullSummary)
{
    testpanel::Harness harness;
    cf::DictionaryRef summary = harness.panel().summaryInfo();
    auto order = cf::as<cf::Array>(summary->get("Summary Display Order"));
    ASSERT_TRUE(order);
    // Six main lines, then the preset's 21 advanced lines (Quick Color is not Custom by default).
    EXPECT_EQ(order->count(), 27u);
    EXPECT_EQ(summary->count(), 28u);
}

TEST(Panel, SupportedKeysListAdvancedThenMainKeywords)
{
    testpanel::Harness harness;
    auto keys = strings(harness.panel().supportedPPDOptionKeys());
    ASSERT_EQ(keys.size(), 27u);
    EXPECT_EQ(keys.front(), "TLImageRGBSource");
    EXPECT_EQ(keys[20], "TLSimGrayTreatment");
    EXPECT_EQ(keys[21], "TLQuickColor");
    EXPECT_EQ(keys.back(), "TLEdgeType");
}

TEST(Panel, SaveBeforeLoadChangesNothing)
{
    testpanel::Harness harness;
    EXPECT_TRUE(harness.panel().saveValuesAndReturnError(nullptr));
    EXPECT_EQ(harness.ticket.values()->count(), 0u);
    EXPECT_FALSE(harness.loaded());
}

TEST(Panel, WillShowReturnsToTheMainView)
{
    testpanel::Harness harness;
    harness.panel().panelView();
    harness.panel().restoreValuesAndReturnError(nullptr);
    auto* container = harness.get<ui::View>("onMainCustomView");
    auto* main = harness.get<ui::View>("onColorView");
    auto* advanced = harness.get<ui::View>("onAdvancedView");
    ASSERT_TRUE(container && main && advanced);
    harness.get<ui::Object>("painChange")->performAction("ColorToAdvancedView", nullptr);
    EXPECT_EQ(advanced->superview(), container);
    harness.panel().willShow();
    EXPECT_EQ(main->superview(), container);
    EXPECT_EQ(advanced->superview(), nullptr);
}

TEST(Panel, ShouldPrintWritesOnlyTheAdvancedViewAfterThePreset)
{
    testpanel::Harness harness;
    harness.panel().restoreValuesAndReturnError(nullptr);
    EXPECT_TRUE(harness.panel().shouldPrint());
    auto model =
        cf::as<cf::Dictionary>(cf::as<cf::Dictionary>(harness.ticket.values()->get("zq4410"))->get("zq4410_test"));
    ASSERT_TRUE(model);
    EXPECT_FALSE(model->contains("TLQuickColor"));
    EXPECT_TRUE(model->contains("TLImageRGBSource"));
    EXPECT_TRUE(harness.ticket.values()->contains("TLImageHalftone"));
}

TEST(Panel, TerminateLetsGoOfTheCallback)
{
    testpanel::Harness harness;
    auto* panel = dynamic_cast<tlco::PDEPlugInInterface*>(harness.panelObject.get());
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->holdsCallback());
    harness.panel().terminate();
    EXPECT_FALSE(panel->holdsCallback());
}

class BrokenDescription : public ::testing::TestWithParam<const char*> { };

TEST_P(BrokenDescription, LoadsNothingAndTriesAgainOnTheNextCall)
{
    fs::path bundle = fs::temp_directory_path() / ("tlco-bundle-" + std::to_string(::getpid()));
    fs::remove_all(bundle);
    fs::create_directories(bundle);
    std::string content = GetParam();
    if (!content.empty()) std::ofstream(bundle / "PDEMain.json") << content;

    testpanel::Options options;
    options.bundleDir = bundle.string();
    testpanel::Harness harness(options);
    EXPECT_EQ(harness.panel().panelView(), nullptr);
    EXPECT_FALSE(harness.loaded());
    EXPECT_EQ(harness.panel().supportedPPDOptionKeys()->count(), 0u);
    cf::DictionaryRef summary = harness.panel().summaryInfo();
    EXPECT_EQ(summary->count(), 1u);
    EXPECT_EQ(cf::as<cf::Array>(summary->get("Summary Display Order"))->count(), 0u);
    EXPECT_TRUE(harness.panel().restoreValuesAndReturnError(nullptr));
    EXPECT_TRUE(harness.panel().shouldPrint());
    harness.panel().willShow();

    fs::copy_file(fs::path(testpaths::bundleDir()) / "PDEMain.json", bundle / "PDEMain.json",
        fs::copy_options::overwrite_existing);
    EXPECT_NE(harness.panel().panelView(), nullptr);
    EXPECT_TRUE(harness.loaded());
    fs::remove_all(bundle);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, BrokenDescription,
    ::testing::Values("", "{ not json", "{\"objects\": [{\"id\": \"x\", \"class\": \"NoSuchClass\"}]}",
        "{\"objects\": [{\"id\": \"owner\", \"outlets\": {\"noSuchOutlet\": \"owner\"}}]}"));

} // namespace
