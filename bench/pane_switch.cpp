// SPDX-License-Identifier: Apache-2.0
// How long a pane switch takes in the print window: the pane shown and the window painted, for each
// pane of the sample printer in turn, on Qt's offscreen platform. Prints the median and the slowest
// switch in milliseconds.
#include "host/Dialog.h"
#include "host/gui/GuiSession.h"
#include "host/gui/PrintWindow.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string programDir()
{
    char path[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string("./x");
    return exe.substr(0, exe.rfind('/'));
}

host::PrintWindow* printWindow()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<host::PrintWindow*>(top)) return window;
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::string error;
    auto gui = host::GuiSession::start(argc, argv, &error);
    host::Options options;
    auto dialog = gui ? host::Dialog::open(options, host::ProgramFiles::find(programDir()), &error) : nullptr;
    if (!dialog) {
        std::fprintf(stderr, "pane_switch: %s\n", error.c_str());
        return 1;
    }
    gui->attach(*dialog);
    gui->panelViewShown(dialog->panel().panelView());
    dialog->panel().restoreValuesAndReturnError(nullptr);
    host::PrintWindow* window = printWindow();
    QApplication::processEvents();
    const std::vector<std::string> panes = dialog->paneNames();
    std::vector<double> times;
    std::vector<std::vector<double>> byPane(panes.size());
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < panes.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            window->showPane(panes[i]);
            QApplication::processEvents();
            window->repaint();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            times.push_back(took.count());
            byPane[i].push_back(took.count());
        }
    for (size_t i = 0; i < panes.size(); ++i) {
        std::sort(byPane[i].begin(), byPane[i].end());
        std::printf("  %s: median %.2f ms\n", panes[i].c_str(), byPane[i][byPane[i].size() / 2]);
    }
    std::sort(times.begin(), times.end());
    std::printf("pane switch: median %.2f ms, slowest %.2f ms (%zu switches over %zu panes)\n", times[times.size() / 2],
        times.back(), times.size(), panes.size());
    gui->detach();
    return 0;
}
