// SPDX-License-Identifier: Apache-2.0
// Times the preview in the print window (Qt's offscreen platform, the sample printer) as a person meets
// it: the first proofed sheet at the window's size once the window shows, for a one-page and a 100-page
// PDF, and the re-proof after one colour option changed by a click (EconoMode) or a pick (Quick Color),
// each a second after the sheet before it showed (PREVIEW_BENCH_LOOK: other milliseconds). Each run
// opens a fresh dialog, so Ghostscript's start is in the first sheet. Prints medians.
#include "BenchDocument.h"
#include "host/Dialog.h"
#include "host/JobSubmitter.h"
#include "host/gui/GuiSession.h"
#include "host/gui/PreviewPane.h"
#include "host/gui/PrintWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Samples = std::vector<double>;

std::string programDir()
{
    char path[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string("./x");
    return exe.substr(0, exe.rfind('/'));
}

template <class Widget>
Widget* find(const char* name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = top->findChild<Widget*>(name)) return found;
    return nullptr;
}

// Runs the window until the pane shows a sheet it was asked for after `asked` requests; the
// milliseconds since `clock` started, or -1 after 30 s.
double untilShown(host::PreviewPane& pane, int asked, const QElapsedTimer& clock)
{
    QElapsedTimer limit;
    limit.start();
    while ((pane.requests() <= asked || pane.busy()) && limit.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return pane.busy() ? -1 : clock.nsecsElapsed() / 1e6;
}

// A person looks at a sheet before changing an option; the preview works in the background meanwhile.
void look()
{
    const int milliseconds = std::getenv("PREVIEW_BENCH_LOOK") ? std::atoi(std::getenv("PREVIEW_BENCH_LOOK")) : 1000;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void clickBox(QCheckBox& box)
{
    QStyleOptionButton option;
    option.initFrom(&box);
    const QPoint at = box.style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, &box).center();
    QWidget* top = box.window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, box.mapTo(top, at));
}

void pickNext(QComboBox& combo)
{
    combo.showPopup();
    combo.view()->setCurrentIndex(combo.model()->index((combo.currentIndex() + 1) % combo.count(), 0));
    QTest::keyClick(combo.view(), Qt::Key_Return);
}

struct Run {
    double frame = -1, first = -1, econo = -1, quickColor = -1;
    int width = 0, height = 0;
};

// One dialog with `document` as the job's: shown, its first sheet, then the two changes.
Run measure(host::GuiSession& gui, const host::ProgramFiles& files, const std::string& document, bool changes)
{
    std::string error;
    auto job = host::JobSubmitter::open({document}, &error);
    auto dialog = job ? host::Dialog::open(host::Options(), files, &error) : nullptr;
    if (!dialog) {
        std::fprintf(stderr, "preview_window: %s\n", error.c_str());
        std::exit(1);
    }
    dialog->setDocuments(job->readable());
    Run run;
    QElapsedTimer clock;
    clock.start();
    // As the window opens for a person: the panel restored before it shows.
    ui::View* view = dialog->panel().panelView();
    dialog->panel().restoreValuesAndReturnError(nullptr);
    gui.attach(*dialog);
    gui.panelViewShown(view);
    QApplication::processEvents();
    run.frame = clock.nsecsElapsed() / 1e6;
    auto* pane = find<host::PreviewPane>("preview");
    clock.restart();
    run.first = pane ? untilShown(*pane, 0, clock) : -1;
    if (pane && changes) {
        run.width = pane->box().width;
        run.height = pane->box().height;
        look();
        int asked = pane->requests();
        clock.restart();
        clickBox(*find<QCheckBox>("check_EconomyPrint"));
        run.econo = untilShown(*pane, asked, clock);
        look();
        asked = pane->requests();
        clock.restart();
        pickNext(*find<QComboBox>("menu_QuickColor"));
        run.quickColor = untilShown(*pane, asked, clock);
    }
    gui.detach();
    return run;
}

void report(const char* name, Samples samples)
{
    std::sort(samples.begin(), samples.end());
    std::printf("%-52s median %7.1f ms  (%.1f to %.1f, %zu runs)\n", name, samples[samples.size() / 2], samples.front(),
        samples.back(), samples.size());
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    // A home of its own: the dialog reads and may write the settings file there.
    const std::string folder =
        std::filesystem::temp_directory_path() / ("preview-window-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder + "/config");
    ::setenv("HOME", folder.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    ::setenv("CUPS_SERVER", "127.0.0.1:1", 1); // the sample printer alone
    const std::string one = previewbench::makeDocument(folder, 1), hundred = previewbench::makeDocument(folder, 100);
    std::string error;
    auto gui = host::GuiSession::start(argc, argv, &error);
    if (!gui || one.empty() || hundred.empty()) {
        std::fprintf(stderr, "preview_window: %s\n", error.c_str());
        return 1;
    }
    const host::ProgramFiles files = host::ProgramFiles::find(programDir());
    measure(*gui, files, one, false); // fonts, Qt's styles and the page cache warm, as on a desktop
    Samples frame, first, econo, quickColor, hundredFirst;
    Run last;
    for (int i = 0; i < runs; ++i) {
        last = measure(*gui, files, one, true);
        frame.push_back(last.frame);
        first.push_back(last.first);
        econo.push_back(last.econo);
        quickColor.push_back(last.quickColor);
        hundredFirst.push_back(measure(*gui, files, hundred, false).first);
    }
    double load[3] = {};
    ::getloadavg(load, 3);
    std::printf("sheet area %d x %d pixels; load average %.2f on %ld cores\n", last.width, last.height, load[0],
        ::sysconf(_SC_NPROCESSORS_ONLN));
    report("window shown (first frame), with a document", frame);
    report("first proofed sheet after the window shows, 1 page", first);
    report("first proofed sheet after the window shows, 100 pages", hundredFirst);
    report("re-proof after a click on EconoMode", econo);
    report("re-proof after a pick in Quick Color", quickColor);
    std::filesystem::remove_all(folder);
    return 0;
}
