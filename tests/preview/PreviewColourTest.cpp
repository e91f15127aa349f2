// SPDX-License-Identifier: Apache-2.0
// The soft proof shows what the panel's colour settings do to the test page, drawn by Ghostscript
// with the printer's profile, as PDF and as PostScript.
#include "preview/PreviewTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace previewtest;
using host::preview::OptionMap;
using host::preview::SheetBox;

namespace {

constexpr SheetBox kBox{300, 425};

Raster draw(host::preview::PreviewEngine& engine, const PreviewJob& job, std::vector<std::string>* notes = nullptr)
{
    host::preview::PreviewSheet sheet = engine.render(job, 1, kBox);
    EXPECT_EQ(sheet.sheets, 1) << ::testing::PrintToString(sheet.notes);
    if (notes) *notes = sheet.notes;
    return sheet.picture;
}

bool mentions(const std::vector<std::string>& notes, const std::string& word)
{
    for (const std::string& note : notes)
        if (note.find(word) != std::string::npos) return true;
    return false;
}

class PreviewColour : public ::testing::TestWithParam<bool> {
protected:
    std::string document() { return GetParam() ? documents.testPagePostScript() : documents.testPagePdf(); }
    testdocs::TestDocuments documents;
};

} // namespace

TEST_P(PreviewColour, ColorAsGrayscaleGivesGrayInEveryPixel)
{
    auto preview = engine();
    const Raster picture = draw(*preview, job(document(), {{"TLColorAsGray", "True"}}));
    ASSERT_FALSE(picture.empty());
    EXPECT_EQ(colourfulPixels(picture), 0);
    EXPECT_GT(measure(picture, testdocs::kImage).inked, 0) << "the image is still there, in gray";
}

TEST_P(PreviewColour, PerceptualAndSaturationDrawTheSaturatedImageDifferently)
{
    auto preview = engine();
    const Raster perceptual = draw(*preview, job(document(), {{"TLImageRenderIntent", "Perceptual"}}));
    const Raster saturation = draw(*preview, job(document(), {{"TLImageRenderIntent", "Saturation"}}));
    EXPECT_NE(measure(perceptual, testdocs::kImage).lightness, measure(saturation, testdocs::kImage).lightness);
    EXPECT_EQ(measure(perceptual, testdocs::kShape).lightness, measure(saturation, testdocs::kShape).lightness)
        << "the image's intent leaves graphics alone";
}

TEST_P(PreviewColour, TextGrayTreatmentDecidesWhichPlatesCarryGrayText)
{
    struct Case {
        const char* treatment;
        bool onColourPlates;
    };
    const Case cases[] = {{"BlackOnly", false}, {"TrueGray", false}, {"Composite", true}};
    auto preview = engine();
    for (const Case& c : cases) {
        const Raster plates =
            draw(*preview, job(document(), {{"TLColorSeparation", "True"}, {"TLTextGrayTreatment", c.treatment}}));
        EXPECT_GT(measure(plates, testdocs::kGrayText, 3).touched, 50) << c.treatment << ": K";
        for (int plate = 0; plate < 3; ++plate) {
            const int touched = measure(plates, testdocs::kGrayText, plate).touched;
            EXPECT_TRUE(c.onColourPlates ? touched > 50 : touched == 0) << c.treatment << ": plate " << plate;
        }
    }
}

TEST_P(PreviewColour, EconoModeAndBrightnessChangeTheToner)
{
    struct Case {
        const char* key;
        const char* choice;
        int lighter; // +1 lighter than the PPD's defaults, -1 darker
        const char* note;
    };
    const Case cases[] = {
        {"TLEconoMode", "True", +1, "50 %"},
        {"TLBrightness", "Plus2", +1, nullptr},
        {"TLBrightness", "Minus2", -1, nullptr},
    };
    auto preview = engine();
    const double normal = measure(draw(*preview, job(document())), testdocs::kImage).lightness;
    for (const Case& c : cases) {
        std::vector<std::string> notes;
        const double changed =
            measure(draw(*preview, job(document(), {{c.key, c.choice}}), &notes), testdocs::kImage).lightness;
        EXPECT_GT((changed - normal) * c.lighter, 3) << c.key << " " << c.choice;
        EXPECT_EQ(mentions(notes, "50 %"), c.note != nullptr) << c.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, PreviewColour, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? "PostScript" : "Pdf"; });

namespace {

// The ticket entries of a destination profile chosen from the panel's list: the path on the
// printer's disk, nibble-encoded.
OptionMap listedDestination(const std::string& fileName)
{
    const std::string path = "/ata1a/data/USfiles/Profiles/" + fileName;
    std::string encoded;
    for (unsigned char c : path) {
        encoded += static_cast<char>(48 + (c >> 4));
        encoded += static_cast<char>(48 + (c & 15));
    }
    OptionMap ticket;
    for (const char* kind : {"Image", "Text", "Graphics"}) {
        const std::string key = std::string("TL") + kind + "DestinationProfile";
        ticket[key] = "Auto";
        ticket[key + "Custom"] = "True";
        ticket[key + "CustomFilename"] = encoded;
    }
    return ticket;
}

} // namespace

TEST(PreviewProfiles, ALocalUserProfileIsUsedAndAnUnfitOneNeverIs)
{
    struct Case {
        const char* name;
        const char* file;     // the listed profile's file name
        const char* copyFrom; // the Ghostscript profile in the user's folder under that name; null: none
        const char* text;     // else what the file there holds; null: there is no file
        bool differsFromAuto;
        const char* note; // a word the notes must hold; null: no note about profiles
    };
    const std::string gs = "/usr/share/color/icc/ghostscript/";
    const Case cases[] = {
        {"a copy of Ghostscript's PostScript CMYK profile", "MYCMYK.ICC", "ps_cmyk.icc", nullptr, true, nullptr},
        {"stored on the printer alone", "ONPRINTER.ICC", nullptr, nullptr, false, "no local copy"},
        {"an RGB profile", "RGB.ICC", "srgb.icc", nullptr, false, "not a CMYK profile"},
        {"not a profile", "TEXT.ICC", nullptr, "acsp, but no profile\n", false, "not an ICC profile"},
    };
    testdocs::TestDocuments documents;
    const std::string folder = documents.folder() + "/profiles";
    std::filesystem::create_directory(folder);
    auto preview = engine(folder);
    const std::string page = documents.testPagePdf();
    const Raster automatic = draw(*preview, job(page));
    for (const Case& c : cases) {
        if (c.copyFrom) std::filesystem::copy_file(gs + c.copyFrom, folder + "/" + c.file);
        if (c.text) std::ofstream(folder + "/" + c.file) << c.text;
        std::vector<std::string> notes;
        const Raster proof = draw(*preview, job(page, listedDestination(c.file)), &notes);
        EXPECT_EQ(!samePixels(proof, automatic), c.differsFromAuto) << c.name;
        const bool noted = c.note && mentions(notes, c.note) && mentions(notes, "Auto");
        EXPECT_EQ(noted, c.note != nullptr) << c.name;
        EXPECT_EQ(mentions(notes, "proofed as"), c.note != nullptr) << c.name;
    }
}

TEST(PreviewProfiles, TheProofShowsThePrintersColoursThePlainLayoutTheDocuments)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    PreviewJob plain = job(documents.testPagePdf());
    plain.proof = false;
    const testdocs::Box redCell{60, 102, 100, 140};
    const Raster document = draw(*preview, plain);
    const Raster proof = draw(*preview, job(documents.testPagePdf()));
    const uint8_t* asGiven =
        document.at(static_cast<int>(80 * document.width / 595.0), static_cast<int>(120 * document.height / 842.0));
    const uint8_t* asPrinted =
        proof.at(static_cast<int>(80 * proof.width / 595.0), static_cast<int>(120 * proof.height / 842.0));
    EXPECT_EQ(std::vector<int>(asGiven, asGiven + 3), (std::vector<int>{255, 0, 0}));
    EXPECT_GT(asPrinted[1] + asPrinted[2], 20) << "toner red is not the screen's pure red";
    EXPECT_LT(measure(proof, redCell).lightness, 200);
}

TEST(PreviewProfiles, MatchPaperColorTintsCmykObjectsWithTheSimulatedPressPaper)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    const std::string page = documents.cmykPagePdf();
    const OptionMap swop = {{"TLSimSource", "SWOP"}, {"TLSimRenderIntent", "Relative"}};
    OptionMap matched = swop;
    matched["TLSimRenderIntent"] = "Absolute";
    const Raster relative = draw(*preview, job(page, swop));
    const Raster absolute = draw(*preview, job(page, matched));
    EXPECT_GT(std::abs(measure(relative, testdocs::kCmykSquare).lightness -
                  measure(absolute, testdocs::kCmykSquare).lightness),
        2);
    const testdocs::Box paper{350, 500, 550, 800};
    EXPECT_EQ(measure(absolute, paper).touched, 0) << "paper without objects gets no toner";
}

TEST(PreviewProfiles, AQuickColorPresetDecidesTheAdvancedOptions)
{
    testdocs::TestDocuments documents;
    auto preview = engine();
    const std::string page = documents.testPagePdf();
    const Raster standardAsked =
        draw(*preview, job(page, {{"TLQuickColor", "Standard"}, {"TLImageRenderIntent", "Saturation"}}));
    const Raster standard =
        draw(*preview, job(page, {{"TLQuickColor", "Standard"}, {"TLImageRenderIntent", "Perceptual"}}));
    const Raster vivid = draw(*preview, job(page, {{"TLQuickColor", "Vivid"}}));
    EXPECT_TRUE(samePixels(standardAsked, standard)) << "Standard takes its own image intent";
    EXPECT_FALSE(samePixels(standard, vivid)) << "Vivid draws images with Saturation";
}
