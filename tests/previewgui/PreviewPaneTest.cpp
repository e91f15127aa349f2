// SPDX-License-Identifier: Apache-2.0
// A person at the preview: pages through sheets with the arrow buttons, switches the soft proof, the
// window keeps answering while a heavy sheet is drawn, and the preview never holds the window back.
#include "host/gui/PreviewPane.h"
#include "host/preview/BackgroundPriority.h"
#include "preview/PreviewTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <QEvent>

#include <dirent.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

using host::PreviewPane;
using host::preview::PreviewJob;

QApplication& app()
{
    static int argc = 1;
    static char name[] = "preview_gui_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // Never destroyed: Qt's input devices must not go in the exit handlers after the platform.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

template <class T>
T* child(PreviewPane& pane, const char* name)
{
    T* found = pane.findChild<T*>(name);
    EXPECT_TRUE(found) << name;
    return found;
}

// Waits (bounded) until the pane shows what it was last asked for.
bool settled(PreviewPane& pane, int milliseconds = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (pane.busy() && clock.elapsed() < milliseconds) QTest::qWait(10);
    return !pane.busy();
}

// The colour at the middle of the sheet shown, as 'r', 'g', 'b', 'y' or '?'.
char middleColour(const PreviewPane& pane)
{
    const QColor c = pane.picture().pixelColor(pane.picture().width() / 2, pane.picture().height() / 2);
    const bool r = c.red() > 128, g = c.green() > 128, b = c.blue() > 128;
    return r && g && !b ? 'y' : r && !g && !b ? 'r' : !r && g && !b ? 'g' : !r && !g && b ? 'b' : '?';
}

// The nice values of this process's children that run `program`.
std::vector<int> childrenRunning(const std::string& program)
{
    std::vector<int> nice;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    while (dirent* entry = proc ? ::readdir(proc.get()) : nullptr) {
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line) || line.find("(" + program + ")") == std::string::npos) continue;
        // After the name: state, ppid, then fields up to the nice value (the 19th of the line).
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        std::vector<long> fields;
        std::string state;
        rest >> state;
        for (long value; fields.size() < 16 && rest >> value;) fields.push_back(value);
        if (fields.size() == 16 && fields[0] == ::getpid()) nice.push_back(static_cast<int>(fields[15]));
    }
    return nice;
}

// Counts the paints of a widget and what the pane had asked for at the first one.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget& widget, const PreviewPane& pane) : pane_(pane) { widget.installEventFilter(this); }
    int paints = 0;
    int requestsAtFirstPaint = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && paints++ == 0) requestsAtFirstPaint = pane_.requests();
        return false;
    }

private:
    const PreviewPane& pane_;
};

// A pane of the given size on its own engine, shown.
class PreviewPaneTest : public ::testing::Test {
protected:
    void open(int width, int height)
    {
        app();
        engine = previewtest::engine();
        pane = std::make_unique<PreviewPane>([drawer = engine.get()](std::string*) { return drawer; });
        pane->resize(width, height);
        pane->show();
    }

    testdocs::TestDocuments documents;
    std::unique_ptr<host::preview::PreviewEngine> engine;
    std::unique_ptr<PreviewPane> pane; // goes before the engine it draws with
};

} // namespace

TEST_F(PreviewPaneTest, APersonPagesThroughTheSheetsWithTheArrows)
{
    open(320, 480);
    PreviewPane& pane = *this->pane;
    pane.setProof(false);
    pane.setJob(previewtest::job(documents.colouredPagesPdf(3)));
    ASSERT_TRUE(settled(pane));
    auto* position = child<QLabel>(pane, "previewPosition");
    auto* previous = child<QToolButton>(pane, "previewPrevious");
    auto* next = child<QToolButton>(pane, "previewNext");
    EXPECT_EQ(position->text(), "Sheet 1 of 3");
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_EQ(middleColour(pane), 'r');
    const std::string expected = "gb";
    for (char colour : expected) {
        QTest::mouseClick(next, Qt::LeftButton);
        EXPECT_TRUE(pane.busy()) << "the busy mark shows at once";
        EXPECT_TRUE(child<QProgressBar>(pane, "previewBusy")->isVisible());
        ASSERT_TRUE(settled(pane));
        EXPECT_EQ(middleColour(pane), colour);
    }
    EXPECT_EQ(position->text(), "Sheet 3 of 3");
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(child<QProgressBar>(pane, "previewBusy")->isVisible());
    QTest::mouseClick(previous, Qt::LeftButton);
    ASSERT_TRUE(settled(pane));
    EXPECT_EQ(position->text(), "Sheet 2 of 3");
}

TEST_F(PreviewPaneTest, TheSoftProofSwitchShowsTheDocumentsOwnColoursOrThePrintersToner)
{
    open(320, 480);
    PreviewPane& pane = *this->pane;
    pane.setJob(previewtest::job(documents.colouredPagesPdf(1)));
    ASSERT_TRUE(settled(pane));
    EXPECT_TRUE(pane.proof());
    const QColor proofed = pane.picture().pixelColor(pane.picture().width() / 2, pane.picture().height() / 2);
    QTest::mouseClick(child<QCheckBox>(pane, "previewProof"), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(settled(pane));
    EXPECT_FALSE(pane.proof());
    const QColor plain = pane.picture().pixelColor(pane.picture().width() / 2, pane.picture().height() / 2);
    EXPECT_EQ(plain, QColor(255, 0, 0));
    EXPECT_NE(proofed, plain) << "toner red is not the screen's pure red";
}

TEST_F(PreviewPaneTest, TheWindowKeepsAnsweringWhileAHeavySheetIsDrawnAndAChangeReplacesIt)
{
    open(900, 1200);
    PreviewPane& pane = *this->pane;
    const PreviewJob busy = previewtest::job(documents.busyPdf(200000));
    const PreviewJob light = previewtest::job(documents.colouredPagesPdf(1));
    engine->sheetCount(busy); // laid out beforehand: what follows is Ghostscript's drawing
    pane.setJob(busy);
    QElapsedTimer clock;
    clock.start();
    qint64 longestGap = 0, last = 0;
    while (clock.elapsed() < 300) {
        QTest::qWait(5);
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
    }
    EXPECT_LT(longestGap, 100) << "the event loop ran all along";
    EXPECT_TRUE(pane.busy());
    pane.setJob(light);
    ASSERT_TRUE(settled(pane, 5000));
    EXPECT_EQ(middleColour(pane), 'r') << "the light page, not the heavy one";
    EXPECT_LT(clock.elapsed(), 2500) << "the heavy sheet was given up, not waited for";
}

TEST_F(PreviewPaneTest, TheFirstSheetIsAskedForOnlyOnceTheWindowIsPainted)
{
    app();
    engine = previewtest::engine();
    pane = std::make_unique<PreviewPane>([drawer = engine.get()](std::string*) { return drawer; });
    PaintWatch watch(*child<QLabel>(*pane, "previewSheet"), *pane);
    pane->setJob(previewtest::job(documents.colouredPagesPdf(1)));
    pane->resize(320, 480);
    pane->show();
    ASSERT_TRUE(settled(*pane));
    EXPECT_GT(watch.paints, 0);
    EXPECT_EQ(watch.requestsAtFirstPaint, 0) << "no sheet was asked for before the first frame";
    EXPECT_EQ(pane->requests(), 1) << "the job set before the window showed is asked for once";
    EXPECT_EQ(middleColour(*pane), 'r');
}

TEST_F(PreviewPaneTest, GhostscriptRunsBelowTheWindowsPriorityAndNoneOutlivesThePreview)
{
    const int windowPriority = host::preview::BackgroundPriority::ofThisThread();
    open(320, 480);
    pane->setJob(previewtest::job(documents.colouredPagesPdf(1)));
    ASSERT_TRUE(settled(*pane));
    // The other Quick Color presets are got ready in the background once the sheet shows.
    QElapsedTimer clock;
    clock.start();
    while (childrenRunning("gs").size() < 3 && clock.elapsed() < 10000) QTest::qWait(20);
    const std::vector<int> running = childrenRunning("gs");
    EXPECT_GE(running.size(), 3U);
    for (int nice : running) EXPECT_GE(nice, host::preview::BackgroundPriority::kNice);
    EXPECT_EQ(host::preview::BackgroundPriority::ofThisThread(), windowPriority) << "the window's thread keeps its own";
    pane.reset();
    engine.reset();
    EXPECT_TRUE(childrenRunning("gs").empty());
}
