// SPDX-License-Identifier: Apache-2.0
// The preview in the print window under a person's hands, through real clicks and keys: a colour
// option re-proofs the sheet, a layout choice changes the sheets, the arrows and the soft-proof
// switch, nothing drawn again for what changes no sheet, a broken document, input while it draws.
#include "PersonHarness.h"
#include "host/JobSubmitter.h"
#include "host/gui/PreviewPane.h"
#include "preview/TestDocuments.h"
#include "support/HomeSandbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using namespace persontest;

host::PreviewPane* pane()
{
    return dynamic_cast<host::PreviewPane*>(widget("preview"));
}

// The pane shows what it was last asked for.
bool settled()
{
    host::PreviewPane* shown = pane();
    return shown && shown->requests() > 0 && !shown->busy();
}

QString position()
{
    auto* label = qobject_cast<QLabel*>(widget("previewPosition"));
    return label ? label->text() : QString();
}

// The sheet as the window paints it.
QImage painted()
{
    return widget("previewSheet")->grab().toImage().convertToFormat(QImage::Format_RGB888);
}

int colourfulPixels(const QImage& image)
{
    int colourful = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            colourful += c.red() != c.green() || c.green() != c.blue();
        }
    return colourful;
}

QColor middleOfSheet()
{
    const QImage& picture = pane()->picture();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

// A check box takes a click on its box.
QPoint boxOf(QWidget* widget)
{
    auto* box = qobject_cast<QCheckBox*>(widget);
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box).center();
}

// Picks the item of a pop-up that holds data, by keyboard.
Step pickData(const char* popUp, const QString& data)
{
    return [popUp, data] {
        auto* box = qobject_cast<QComboBox*>(widget(popUp));
        if (!box || !box->isVisible()) return false;
        pick(box, box->findData(data));
        return true;
    };
}

class PreviewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        setenv("CUPS_SERVER", "127.0.0.1:1", 1); // no server: the sample printer alone
    }

    // The window for a person with the document as the job's.
    Outcome run(const std::string& document, std::vector<Step> steps)
    {
        std::string error;
        auto job = host::JobSubmitter::open({document}, &error);
        EXPECT_TRUE(job) << error;
        return runPerson({}, std::move(steps), job.get(), 40);
    }

    testdocs::TestDocuments documents;
};

} // namespace

TEST_F(PreviewWindow, AColourOptionChangedInThePanelReproofsTheShownSheet)
{
    int before = -1, after = -1, asked = 0;
    Outcome outcome = run(documents.testPagePdf(),
        {settled,
            [&] {
                before = colourfulPixels(painted());
                asked = pane()->requests();
                click(widget("check_ColorAsGrayscale"), boxOf(widget("check_ColorAsGrayscale")));
                return true;
            },
            [&] { return pane()->requests() > asked && settled(); },
            [&] {
                after = colourfulPixels(painted());
                return true;
            }});
    ASSERT_TRUE(outcome.finished);
    EXPECT_GT(before, 1000) << "the proof in colour";
    EXPECT_EQ(after, 0) << "Color as Grayscale: every painted pixel has R = G = B";
}

TEST_F(PreviewWindow, PagesPerSheetInTheLayoutPaneChangesTheSheetCount)
{
    QString first, then;
    Outcome outcome = run(documents.colouredPagesPdf(4),
        {settled,
            [&] {
                first = position();
                return true;
            },
            pickData("paneSelector", "Layout"), pickData("pane_number-up", "2"),
            [] { return settled() && pane()->sheets() == 2; },
            [&] {
                then = position();
                return true;
            }});
    ASSERT_TRUE(outcome.finished) << then.toStdString();
    EXPECT_EQ(first.toStdString(), "Sheet 1 of 4");
    EXPECT_EQ(then.toStdString(), "Sheet 1 of 2");
}

TEST_F(PreviewWindow, TheArrowsAndTheSoftProofSwitch)
{
    QColor proofed, plain;
    QString second;
    Outcome outcome = run(documents.colouredPagesPdf(3),
        {settled,
            [] {
                click(widget("previewNext"));
                return true;
            },
            [&] {
                if (!settled() || pane()->sheet() != 2) return false;
                second = position();
                proofed = middleOfSheet();
                click(widget("previewProof"), boxOf(widget("previewProof")));
                return true;
            },
            [&] {
                if (!settled() || pane()->proof()) return false;
                plain = middleOfSheet();
                return true;
            }});
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(second.toStdString(), "Sheet 2 of 3");
    EXPECT_EQ(plain, QColor(0, 255, 0)) << "the document's own green";
    EXPECT_GT(proofed.green(), 128);
    EXPECT_NE(proofed, plain) << "toner green is not the screen's";
}

TEST_F(PreviewWindow, APaneSwitchOrACopiesChangeDrawsNothingAgain)
{
    int asked = 0, after = 0, copies = 0;
    QElapsedTimer clock;
    Outcome outcome = run(documents.testPagePdf(),
        {settled,
            [&] {
                asked = pane()->requests();
                return true;
            },
            pickData("paneSelector", "Copies & Pages"),
            [] {
                click(widget("pane_copies"));
                return true;
            },
            [] {
                key(Qt::Key_Up);
                return true;
            },
            pickData("paneSelector", "Layout"), pickData("paneSelector", "Color Options"),
            [&] {
                clock.start();
                copies = qobject_cast<QSpinBox*>(widget("pane_copies"))->value();
                return true;
            },
            // Time for the window to take in what changed.
            [&] { return clock.elapsed() > 300; },
            [&] {
                after = pane()->requests();
                return true;
            }});
    ASSERT_TRUE(outcome.finished);
    EXPECT_GT(copies, 1) << "a copies change was made";
    EXPECT_GT(asked, 0);
    EXPECT_EQ(after, asked);
}

TEST_F(PreviewWindow, ABrokenDocumentGivesANoteAndPrintStillWorks)
{
    QString notes;
    Outcome outcome = run(documents.brokenPdf(), {settled, [&] {
                                                      notes = qobject_cast<QLabel*>(widget("previewNotes"))->text();
                                                      click(widget("printButton"));
                                                      return true;
                                                  }});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(notes.contains("broken.pdf") && notes.contains("cannot be shown")) << notes.toStdString();
    EXPECT_TRUE(std::filesystem::exists(homesandbox::home() + "/.config/printdialog-settings.plist"))
        << "the sample printer's Print wrote the settings";
}

TEST_F(PreviewWindow, TheWindowTakesInputWhileASheetIsDrawn)
{
    bool checkedWhileBusy = false;
    qint64 longestGap = 0;
    QElapsedTimer clock;
    Outcome outcome = run(documents.busyPdf(400000),
        {[] { return pane() && pane()->busy() && widget("check_EconomyPrint"); },
            [&] {
                clock.start();
                click(widget("check_EconomyPrint"), boxOf(widget("check_EconomyPrint")));
                return true;
            },
            [&] {
                longestGap = std::max(longestGap, clock.restart());
                if (!qobject_cast<QCheckBox*>(widget("check_EconomyPrint"))->isChecked()) return false;
                checkedWhileBusy = pane()->busy();
                return true;
            }});
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(checkedWhileBusy) << "the click was taken before the sheet was drawn";
    EXPECT_LT(longestGap, 150) << "the event loop ran all along";
}
