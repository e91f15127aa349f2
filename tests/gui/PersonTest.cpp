// SPDX-License-Identifier: Apache-2.0
// A person at the print window: Print on the sample printer writes the settings made in the window,
// Cancel leaves the ticket as it was, and a printer that cannot be had is said in a message box and
// on stderr with exit status 1.
#include "host/gui/GuiSession.h"
#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"
#include "ui/InputDriver.h"
#include "ui/Nib.h"
#include "ui/PopUpButton.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

QPushButton* windowButton(const char* name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* button = top->findChild<QPushButton*>(name); button && button->isVisible()) return button;
    return nullptr;
}

struct Person {
    const char* name;
    std::optional<std::string> ppd; // none: the sample printer
    int quickColor;                 // the item picked before pressing the button; -1: none
    const char* button;
    int status;
    bool ticketWritten;
    int messageBoxes;
    bool ticketOption = true; // false: the settings go to the configuration folder, made when missing
    bool early = false;       // one click at the first moment the window is on screen, the panel still opening
};

void PrintTo(const Person& person, std::ostream* out)
{
    *out << person.name;
}

class PersonAtTheWindow : public ::testing::TestWithParam<Person> { };

TEST_P(PersonAtTheWindow, EndsAsThePersonChose)
{
    const Person& p = GetParam();
    homesandbox::reset();
    setenv("CUPS_SERVER", "127.0.0.1:1", 1); // no server: the chooser holds the sample printer alone
    const std::string config = homesandbox::home() + "/config/new";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string ticket =
        p.ticketOption ? homesandbox::home() + "/ticket.plist" : config + "/printdialog-settings.plist";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "person";
    static char* argv[] = {name, nullptr};
    std::string error;
    auto gui = host::GuiSession::start(argc, argv, &error);
    ASSERT_TRUE(gui) << error;

    // Message boxes are answered as soon as they show.
    int boxes = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            box->accept();
        }
    });
    answer.start(20);
    // The person picks and then presses the button until the window answers: the window is on screen
    // while the panel still opens, and a pick or a click then may not last.
    QTimer act;
    QObject::connect(&act, &QTimer::timeout, [&] {
        QPushButton* button = windowButton(p.button);
        QWidget* modal = QApplication::activeModalWidget();
        if (!button || QApplication::activePopupWidget() || (modal && modal != button->window())) return;
        ui::Nib* nib = ui::Nib::loaded().empty() ? nullptr : ui::Nib::loaded().back();
        auto* quickColor = nib ? dynamic_cast<ui::PopUpButton*>(nib->object("menu_QuickColor")) : nullptr;
        if (quickColor && p.quickColor >= 0 && quickColor->indexOfSelectedItem() != p.quickColor)
            return gui->input().selectItem(*quickColor, p.quickColor);
        QTest::mouseClick(button, Qt::LeftButton);
    });
    if (p.early)
        QTimer::singleShot(0, [&] {
            if (QPushButton* button = windowButton(p.button)) QTest::mouseClick(button, Qt::LeftButton);
        });
    else
        act.start(100);
    // Nothing may keep the window open for ever.
    QTimer::singleShot(10000, [] {
        if (QPushButton* cancel = windowButton("cancelButton")) cancel->click();
    });

    host::Options options;
    if (p.ticketOption) options.ticket = ticket;
    options.ppd = p.ppd;
    const int status = gui->runForPerson(options, host::ProgramFiles::find(testpaths::binaryDir() + "/bin"), nullptr);
    answer.stop();
    act.stop();
    gui.reset();

    EXPECT_EQ(status, p.status) << p.name;
    EXPECT_EQ(std::filesystem::exists(ticket), p.ticketWritten) << p.name;
    if (p.ticketWritten) {
        const char* chosen = p.quickColor == 1 ? "<string>Photo</string>" : "<string>Standard</string>";
        EXPECT_NE(readAll(ticket).find(chosen), std::string::npos) << p.name;
    }
    EXPECT_EQ(boxes, p.messageBoxes) << p.name;
}

INSTANTIATE_TEST_SUITE_P(Window, PersonAtTheWindow,
    ::testing::Values(Person{"print", std::nullopt, 1, "printButton", 0, true, 1},
        Person{"print, no ticket file", std::nullopt, 1, "printButton", 0, true, 1, false},
        Person{"cancel", std::nullopt, 1, "cancelButton", 0, false, 0},
        Person{"no printer", std::string("/nonexistent.ppd"), -1, "printButton", 1, false, 1},
        Person{"print while the panel opens", std::nullopt, -1, "printButton", 0, true, 1, true, true}),
    [](const auto& info) { return std::string(info.param.button) + std::to_string(info.index); });

// What Print wrote without --ticket is where the next run starts, in the window and in a script:
// $XDG_CONFIG_HOME/printdialog-settings.plist, else ~/.config/printdialog-settings.plist.
TEST(DefaultSettings, WhatPrintSavedIsWhatTheNextRunShows)
{
    for (bool xdg : {true, false}) {
        homesandbox::reset();
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        const std::string config = homesandbox::home() + (xdg ? "/xdg" : "/.config");
        if (xdg)
            setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "person";
        static char* argv[] = {name, nullptr};
        std::string error;
        auto gui = host::GuiSession::start(argc, argv, &error);
        ASSERT_TRUE(gui) << error;
        QTimer answer; // a timer of its own: the box runs inside the click that opened it
        QObject::connect(&answer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        answer.start(20);
        QTimer act;
        QObject::connect(&act, &QTimer::timeout, [&] {
            ui::Nib* nib = ui::Nib::loaded().empty() ? nullptr : ui::Nib::loaded().back();
            auto* quickColor = nib ? dynamic_cast<ui::PopUpButton*>(nib->object("menu_QuickColor")) : nullptr;
            QPushButton* print = windowButton("printButton");
            if (!quickColor || !print || QApplication::activePopupWidget()) return;
            if (quickColor->indexOfSelectedItem() != 1) return gui->input().selectItem(*quickColor, 1);
            QTest::mouseClick(print, Qt::LeftButton);
        });
        act.start(50);
        QTimer::singleShot(10000, [] {
            if (QPushButton* cancel = windowButton("cancelButton")) cancel->click();
        });
        const int status = gui->runForPerson({}, host::ProgramFiles::find(testpaths::binaryDir() + "/bin"), nullptr);
        act.stop();
        answer.stop();
        gui.reset();
        ASSERT_EQ(status, 0);
        EXPECT_TRUE(std::filesystem::exists(config + "/printdialog-settings.plist")) << (xdg ? "XDG" : "HOME");

        testproc::Result next =
            testproc::run({testpaths::printdialog(), "--json", "--script", "-"}, "panelView\nrestore\nsummary\n");
        EXPECT_EQ(next.status, 0) << next.err;
        EXPECT_NE(next.out.find("\"Quick Color\":\"Photo\""), std::string::npos)
            << (xdg ? "XDG " : "HOME ") << next.out;
    }
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
