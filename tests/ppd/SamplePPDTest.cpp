// SPDX-License-Identifier: Apache-2.0
// The sample zq4410 PPDs: valid for cupstestppd, carrying the panel's 27 keywords at the choice
// positions that the Quick Color presets and the constraint rules address, and read by libcups the
// way the panel's decoding relies on.
#include "support/TestPaths.h"

#include <cups/ppd.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// libcups marks its whole PPD API deprecated; the panel is built on it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDFile = std::unique_ptr<ppd_file_t, PPDCloser>;

PPDFile openSample(const std::string& name)
{
    return PPDFile(ppdOpenFile(testpaths::ppd(name).c_str()));
}

const std::vector<std::string> kVariants = {
    "zq4410-utf8.ppd",
    "zq4410-utf8-nohyphen.ppd",
    "zq4410-sjis.ppd",
    "zq4410-cp1252.ppd",
    "zq4410-latin1.ppd",
    "zq4410-unknown.ppd",
    "zq4410-undecodable.ppd",
    "zq4410-noencoding.ppd",
    "zq4410-missing.ppd",
    "zq4410-short.ppd",
};

const std::vector<std::string> kCheckBoxKeywords = {"TLColorAsGray", "TLColorSeparation", "TLEconoMode"};
const std::vector<std::string> kMainPopUpKeywords = {"TLQuickColor", "TLBrightness", "TLEdgeType"};
const std::vector<std::string> kAdvancedKeywords = {
    "TLImageRGBSource",
    "TLImageRenderIntent",
    "TLImageGrayTreatment",
    "TLImageDestinationProfile",
    "TLImageHalftone",
    "TLImageEdgeEnhance",
    "TLTextRGBSource",
    "TLTextRenderIntent",
    "TLTextGrayTreatment",
    "TLTextDestinationProfile",
    "TLTextHalftone",
    "TLTextEdgeEnhance",
    "TLGraphicsRGBSource",
    "TLGraphicsRenderIntent",
    "TLGraphicsGrayTreatment",
    "TLGraphicsDestinationProfile",
    "TLGraphicsHalftone",
    "TLGraphicsEdgeEnhance",
    "TLSimSource",
    "TLSimRenderIntent",
    "TLSimGrayTreatment",
};

struct CheckResult {
    int status = -1;
    std::string output;
};

CheckResult cupstestppd(const std::string& name)
{
    CheckResult result;
    std::string command = "cupstestppd -W all '" + testpaths::ppd(name) + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
    result.status = pclose(pipe);
    return result;
}

std::vector<std::string> choiceKeywords(const ppd_option_t* option)
{
    std::vector<std::string> keywords;
    for (int i = 0; i < option->num_choices; ++i) keywords.emplace_back(option->choices[i].choice);
    return keywords;
}

bool hasChoice(const ppd_option_t* option, const char* choice)
{
    for (int i = 0; i < option->num_choices; ++i)
        if (std::string(option->choices[i].choice) == choice) return true;
    return false;
}

TEST(SamplePPD, EveryFilePassesCupstestppdButTheOneWithoutEncoding)
{
    std::vector<std::string> files = kVariants;
    files.push_back("zq4410.ppd");
    for (const auto& name : files) {
        SCOPED_TRACE(name);
        EXPECT_NE(openSample(name), nullptr);
        CheckResult check = cupstestppd(name);
        if (name == "zq4410-noencoding.ppd") {
            EXPECT_NE(check.status, 0);
            EXPECT_NE(check.output.find("REQUIRED LanguageEncoding"), std::string::npos) << check.output;
            // That line is the file's only fault.
            EXPECT_EQ(check.output.find("**FAIL**"), check.output.rfind("**FAIL**")) << check.output;
        } else {
            EXPECT_EQ(check.status, 0) << check.output;
            EXPECT_EQ(check.output.find("WARN"), std::string::npos) << check.output;
        }
    }
}

TEST(SamplePPD, PlainFileOffersEveryKeywordAtThePositionsThePanelAddresses)
{
    PPDFile ppd = openSample("zq4410.ppd");
    ASSERT_NE(ppd, nullptr);

    for (const auto& keyword : kCheckBoxKeywords) {
        SCOPED_TRACE(keyword);
        ppd_option_t* option = ppdFindOption(ppd.get(), keyword.c_str());
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->ui, PPD_UI_BOOLEAN);
        EXPECT_EQ(choiceKeywords(option), (std::vector<std::string>{"True", "False"}));
        EXPECT_STREQ(option->defchoice, "False");
        // Display texts differ from the keywords, so a test can tell which one the panel shows.
        EXPECT_STREQ(option->choices[0].text, "On");
        EXPECT_STREQ(option->choices[1].text, "Off");
    }

    std::vector<std::string> popUps = kMainPopUpKeywords;
    popUps.insert(popUps.end(), kAdvancedKeywords.begin(), kAdvancedKeywords.end());
    for (const auto& keyword : popUps) {
        SCOPED_TRACE(keyword);
        ppd_option_t* option = ppdFindOption(ppd.get(), keyword.c_str());
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->ui, PPD_UI_PICKONE);
        EXPECT_TRUE(hasChoice(option, option->defchoice)) << option->defchoice;
    }
    // The presets select up to item 2 of every advanced pop-up.
    for (const auto& keyword : kAdvancedKeywords)
        EXPECT_GE(ppdFindOption(ppd.get(), keyword.c_str())->num_choices, 3) << keyword;

    ppd_option_t* quickColor = ppdFindOption(ppd.get(), "TLQuickColor");
    ASSERT_EQ(quickColor->num_choices, 4);
    EXPECT_STREQ(quickColor->choices[3].text, "Custom");
    EXPECT_STREQ(quickColor->defchoice, "Standard");

    const std::map<std::string, std::string> firstChoices = {
        {"TLImageRGBSource", "None"},
        {"TLTextRGBSource", "None"},
        {"TLGraphicsRGBSource", "None"},
        {"TLSimSource", "None"},
        {"TLImageDestinationProfile", "Auto"},
        {"TLTextDestinationProfile", "Auto"},
        {"TLGraphicsDestinationProfile", "Auto"},
        {"TLEdgeType", "Off"},
    };
    for (const auto& [keyword, first] : firstChoices)
        EXPECT_STREQ(ppdFindOption(ppd.get(), keyword.c_str())->choices[0].choice, first.c_str()) << keyword;
}

// What each variant leaves out or cuts short on purpose; everything else matches the plain file.
struct VariantShape {
    std::set<std::string> missing;
    std::map<std::string, int> shortened;
};

TEST(SamplePPD, VariantsMatchThePlainFileExceptWhereTheyMeanTo)
{
    PPDFile plain = openSample("zq4410.ppd");
    ASSERT_NE(plain, nullptr);
    const std::map<std::string, VariantShape> shapes = {
        {"zq4410-missing.ppd", {{"TLBrightness", "TLTextHalftone", "TLSimSource"}, {}}},
        {"zq4410-short.ppd", {{}, {{"TLImageHalftone", 2}, {"TLTextRenderIntent", 1}, {"TLGraphicsEdgeEnhance", 1}}}},
    };

    for (const auto& name : kVariants) {
        SCOPED_TRACE(name);
        PPDFile variant = openSample(name);
        ASSERT_NE(variant, nullptr);
        VariantShape shape = shapes.count(name) ? shapes.at(name) : VariantShape{};
        int options = 0;
        for (ppd_option_t* option = ppdFirstOption(plain.get()); option; option = ppdNextOption(plain.get())) {
            ++options;
            SCOPED_TRACE(option->keyword);
            ppd_option_t* other = ppdFindOption(variant.get(), option->keyword);
            if (shape.missing.count(option->keyword)) {
                EXPECT_EQ(other, nullptr);
                continue;
            }
            ASSERT_NE(other, nullptr);
            EXPECT_EQ(other->ui, option->ui);
            std::vector<std::string> expected = choiceKeywords(option);
            auto cut = shape.shortened.find(option->keyword);
            if (cut == shape.shortened.end()) {
                EXPECT_STREQ(other->defchoice, option->defchoice);
            } else {
                // Shortened lists keep the leading choices, so every remaining position keeps its meaning.
                expected.resize(static_cast<size_t>(cut->second));
                EXPECT_TRUE(hasChoice(other, other->defchoice)) << other->defchoice;
            }
            EXPECT_EQ(choiceKeywords(other), expected);
        }
        EXPECT_EQ(variant->num_consts, plain->num_consts);
        EXPECT_GE(options, 30);
    }
}

TEST(SamplePPD, GrayscaleAndSeparationExcludeEachOtherInBothDirections)
{
    std::vector<std::string> files = kVariants;
    files.push_back("zq4410.ppd");
    for (const auto& name : files) {
        SCOPED_TRACE(name);
        PPDFile ppd = openSample(name);
        ASSERT_NE(ppd, nullptr);
        std::set<std::string> pairs;
        for (int i = 0; i < ppd->num_consts; ++i) {
            const ppd_const_t& c = ppd->consts[i];
            pairs.insert(std::string(c.option1) + " " + c.choice1 + " " + c.option2 + " " + c.choice2);
        }
        EXPECT_EQ(pairs,
            (std::set<std::string>{"TLColorAsGray True TLColorSeparation True",
                "TLColorSeparation True TLColorAsGray True", "MediaType Transparency Duplex ",
                "Duplex  MediaType Transparency", "MediaType Labels TLOutputBin FaceDown",
                "TLOutputBin FaceDown MediaType Labels"}));

        ppdMarkDefaults(ppd.get());
        EXPECT_EQ(ppdConflicts(ppd.get()), 0);
        ppdMarkOption(ppd.get(), "TLColorAsGray", "True");
        EXPECT_EQ(ppdConflicts(ppd.get()), 0);
        EXPECT_GT(ppdMarkOption(ppd.get(), "TLColorSeparation", "True"), 0);
        EXPECT_TRUE(ppdFindOption(ppd.get(), "TLColorAsGray")->conflicted);
        EXPECT_TRUE(ppdFindOption(ppd.get(), "TLColorSeparation")->conflicted);
    }
}

// libcups converts every text to UTF-8 and reports "UTF-8" whatever the file declares; it converts
// only the Adobe names it knows, passes an unknown name's bytes through, and without a declaration
// converts from ISO 8859-1 but leaves lang_encoding null.
struct TextCase {
    const char* file;
    const char* option;
    const char* choice;
    const char* text;
    const char* langEncoding;
};

const TextCase kTextCases[] = {
    {"zq4410.ppd", "TLQuickColor", "CustomSettings", "Custom", "UTF-8"},
    {"zq4410-latin1.ppd", "TLQuickColor", "Photo", "Photo (qualit\u00e9)", "UTF-8"},
    {"zq4410-latin1.ppd", "TLBrightness", "Minus2", "Tr\u00e8s sombre", "UTF-8"},
    {"zq4410-cp1252.ppd", "TLQuickColor", "Vivid", "Vivid \u201cPresentation\u201d", "UTF-8"},
    {"zq4410-cp1252.ppd", "TLSimSource", "Euroscale", "Euroscale (\u20ac)", "UTF-8"},
    {"zq4410-sjis.ppd", "TLQuickColor", "CustomSettings", "\u30ab\u30b9\u30bf\u30e0", "UTF-8"},
    {"zq4410-sjis.ppd", "TLBrightness", "Normal", "\u6a19\u6e96 (\uff89\uff70\uff8f\uff99)", "UTF-8"},
    {"zq4410-unknown.ppd", "TLQuickColor", "CustomSettings", "Custom \u2013 Ma\u00df", "UTF-8"},
    {"zq4410-unknown.ppd", "TLQuickColor", "Standard", "Standard\u2122", "UTF-8"},
    {"zq4410-utf8.ppd", "TLQuickColor", "CustomSettings", "Custom (\u30ab\u30b9\u30bf\u30e0)", "UTF-8"},
    {"zq4410-utf8-nohyphen.ppd", "TLBrightness", "Normal", "Normal \u2013 \u6a19\u6e96", "UTF-8"},
    {"zq4410-undecodable.ppd", "TLQuickColor", "CustomSettings", "\xEF\xD3\xCF\xC2\xD9\xCA", "UTF-8"},
    {"zq4410-noencoding.ppd", "TLQuickColor", "CustomSettings", "Custom (Ma\u00df)", nullptr},
};

TEST(SamplePPD, LibcupsHandsOverUtf8TextsWhateverTheFileDeclares)
{
    for (const auto& c : kTextCases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.option + " " + c.choice);
        PPDFile ppd = openSample(c.file);
        ASSERT_NE(ppd, nullptr);
        if (c.langEncoding)
            EXPECT_STREQ(ppd->lang_encoding, c.langEncoding);
        else
            EXPECT_EQ(ppd->lang_encoding, nullptr);
        ppd_choice_t* choice = ppdFindChoice(ppdFindOption(ppd.get(), c.option), c.choice);
        ASSERT_NE(choice, nullptr);
        EXPECT_STREQ(choice->text, c.text);
    }
}

} // namespace
