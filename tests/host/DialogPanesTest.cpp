// SPDX-License-Identifier: Apache-2.0
// The panes' model on its own: the texts a person reads, the queue's defaults and supported values,
// and going back to a checkpoint as Cancel does.
#include "host/DialogPanes.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

namespace {

using host::DialogPanes;
using host::PaneOption;

std::unique_ptr<DialogPanes> samplePanes(const host::QueueAttributes& queue = {})
{
    return std::make_unique<DialogPanes>(
        host::openPpd(testpaths::ppd("zq4410.ppd"), nullptr), queue, std::set<std::string>{"TLQuickColor"}, nullptr);
}

std::string titleOf(const PaneOption* option, const std::string& value)
{
    const host::PaneChoice* choice = option ? option->choice(value) : nullptr;
    return choice ? choice->title : "<none>";
}

TEST(DialogPanes, PaperSizesShowTheirDimensionsInTheirOwnUnits)
{
    auto panes = samplePanes();
    const PaneOption* size = panes->find("PageSize");
    EXPECT_EQ("A4 (210 \u00d7 297 mm)", titleOf(size, "A4"));
    EXPECT_EQ("JIS B5 (182 \u00d7 257 mm)", titleOf(size, "B5"));
    EXPECT_EQ("US Letter (8.5 \u00d7 11 in)", titleOf(size, "Letter"));
    EXPECT_EQ("Executive (7.25 \u00d7 10.5 in)", titleOf(size, "Executive"));
    EXPECT_EQ(size, panes->find("media"));
}

TEST(DialogPanes, TheQueueSaysWhatIsDefaultAndWhatIsOffered)
{
    host::QueueAttributes queue;
    queue.defaults = {
        {"copies", "2"}, {"number-up", "4"}, {"job-sheets", "none"}, {"PageSize", "Letter"}, {"job-priority", "500"}};
    queue.jobSheets = {"none", "standard"};
    queue.numberUp = {"1", "2", "4"};
    auto panes = samplePanes(queue);
    EXPECT_EQ("2", panes->find("copies")->value);
    EXPECT_EQ("Letter", panes->find("PageSize")->value);
    EXPECT_EQ("50", panes->find("job-priority")->value) << "a default out of range is not taken";
    EXPECT_EQ((std::vector<std::string>{"1", "2", "4"}), panes->offered("number-up"));
    EXPECT_EQ((std::vector<std::string>{"none", "standard"}), panes->offered("job-sheets"));
    EXPECT_TRUE(panes->changed().empty());
    ASSERT_TRUE(panes->choose("copies", "1", nullptr));
    EXPECT_EQ((DialogPanes::Pairs{{"copies", "1"}}), panes->changed());
}

TEST(DialogPanes, RevertGoesBackToTheCheckpoint)
{
    auto panes = samplePanes();
    const auto saved = panes->checkpoint();
    ASSERT_TRUE(panes->choose("copies", "5", nullptr));
    ASSERT_TRUE(panes->choose("Duplex", "DuplexTumble", nullptr));
    EXPECT_EQ((std::vector<std::string>{"Plain", "Thick"}), panes->offered("MediaType"));
    panes->revert(saved);
    EXPECT_EQ("1", panes->find("copies")->value);
    EXPECT_EQ("None", panes->find("Duplex")->value);
    EXPECT_EQ((std::vector<std::string>{"Plain", "Thick", "Transparency"}), panes->offered("MediaType"));
    EXPECT_TRUE(panes->changed().empty());
}

TEST(DialogPanes, PrinterFeaturesKeepThePpdsGroupsAndLeaveOutClaimedKeys)
{
    auto panes = samplePanes();
    std::vector<std::pair<std::string, std::string>> features;
    for (const PaneOption& option : panes->options())
        if (option.pane == host::kFeaturesPane) features.emplace_back(option.name, option.group);
    EXPECT_EQ(
        (std::vector<std::pair<std::string, std::string>>{{"Resolution", "General"}, {"TLOutputBin", "Finishing"},
            {"TLTonerSave", "Finishing"}, {"TLBrightness", "Color Options"}, {"TLColorAsGray", "Color Options"},
            {"TLColorSeparation", "Color Options"}, {"TLEconoMode", "Color Options"}, {"TLEdgeType", "Color Options"}}),
        std::vector(features.begin(), features.begin() + std::min<size_t>(features.size(), 8)));
    EXPECT_EQ(nullptr, panes->find("TLQuickColor"));
}

} // namespace
