// SPDX-License-Identifier: Apache-2.0
// The printer chooser against a private cupsd: the queues with location and state, the CUPS default
// in place of the sample printer, each printer's own saved settings and summary, a warning before
// queuing to a stopped queue, and a server that never answers while the window takes input.
#include "PersonHarness.h"
#include "cups/CupsServer.h"
#include "host/JobSubmitter.h"
#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

using namespace persontest;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsb = "usb://TESSALUMA/zq4410";

QComboBox* chooser()
{
    return qobject_cast<QComboBox*>(widget("printerChooser"));
}

QStringList chooserItems()
{
    QStringList items;
    for (int i = 0; chooser() && i < chooser()->count(); ++i) items << chooser()->itemText(i);
    return items;
}

QString status()
{
    auto* label = qobject_cast<QLabel*>(widget("printerStatus"));
    return label && label->isVisible() ? label->text() : QString();
}

QString summaryValue(const QString& title)
{
    auto* summary = qobject_cast<QTreeWidget*>(widget("summary"));
    for (int i = 0; summary && i < summary->topLevelItemCount(); ++i)
        if (summary->topLevelItem(i)->text(0) == title) return summary->topLevelItem(i)->text(1);
    return {};
}

class Chooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        std::string why;
        ASSERT_TRUE(server_.start(&why)) << why;
        ASSERT_TRUE(server_.addQueue("office", kUsb, testpaths::ppd("zq4410.ppd"), &why)) << why;
        ASSERT_TRUE(server_.changeQueue("office", {"-L", "Room 2"}, &why)) << why;
        ASSERT_TRUE(server_.addQueue("stopped", kUsb, testpaths::ppd("zq4410.ppd"), &why)) << why;
        run({"/usr/sbin/lpadmin", "-h", server_.address(), "-d", "office"});
        run({"/usr/sbin/cupsdisable", "-h", server_.address(), "-r", "toner empty", "stopped"});
    }

    void run(const std::vector<std::string>& argv)
    {
        testproc::Result result = testproc::run(argv);
        ASSERT_EQ(result.status, 0) << argv.front() << ": " << result.err;
    }

    cupstest::CupsServer server_;
};

TEST_F(Chooser, ListsTheQueuesWithLocationAndStateAndOpensTheDefault)
{
    QStringList items, afterStopped;
    int current = -1;
    QString stoppedStatus;
    std::vector<Step> steps = {[&] {
                                   if (chooser()->count() < 3 || chooser()->currentIndex() != 1) return false;
                                   items = chooserItems();
                                   current = chooser()->currentIndex();
                                   pick(chooser(), 2);
                                   return true;
                               },
        [&] {
            stoppedStatus = status();
            return stoppedStatus.startsWith(QChar(0x26a0));
        }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(items,
        QStringList({"Sample printer (zq4410.ppd)", "office (Room 2) \u2014 Idle", "stopped \u2014 Stopped: paused"}));
    EXPECT_EQ(current, 1) << "the CUPS default replaces the sample printer";
    EXPECT_EQ(stoppedStatus.toStdString(), "\u26a0 Stopped: paused");
}

TEST_F(Chooser, EachPrinterShowsItsOwnSavedSettingsAndTheSummaryFollows)
{
    // What Print saved for the office queue, in the settings file read at start.
    const std::string config = homesandbox::home() + "/.config";
    std::filesystem::create_directories(config);
    testproc::Result saved = testproc::run({testpaths::printdialog(), "--queue", "office", "--ticket",
                                               config + "/printdialog-settings.plist", "--script", "-"},
        "panelView\nrestore\nselect menu_QuickColor 1\nsave\n", {"LC_ALL=C"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    QString onOffice, onSample;
    std::vector<Step> steps = {[&] {
                                   if (chooser()->currentIndex() != 1 || summaryValue("Quick Color").isEmpty())
                                       return false;
                                   onOffice = summaryValue("Quick Color");
                                   pick(chooser(), 0);
                                   return true;
                               },
        [&] {
            // The summary empties while the other printer's panel opens.
            onSample = summaryValue("Quick Color");
            return chooser()->currentIndex() == 0 && !onSample.isEmpty() && onSample != onOffice;
        }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(onOffice.toStdString(), "Photo");
    EXPECT_EQ(onSample.toStdString(), "Standard");
}

TEST_F(Chooser, PrintAsksBeforeQueuingToAStoppedQueue)
{
    const std::string document = homesandbox::home() + "/page.txt";
    std::ofstream(document) << "a page\n";
    std::string error;
    auto submitter = host::JobSubmitter::open({document}, &error);
    ASSERT_TRUE(submitter) << error;
    QString asked;
    int jobsAfterNo = -1;
    auto answer = [](bool print) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return false;
        for (QAbstractButton* button : box->buttons())
            if ((box->buttonRole(button) == QMessageBox::AcceptRole) == print) click(button);
        return true;
    };
    std::vector<Step> steps = {[] {
                                   QWidget* quick = widget("menu_QuickColor");
                                   if (!quick || !quick->isVisible()) return false;
                                   click(widget("printButton"));
                                   return true;
                               },
        [&] {
            asked = messageBoxText();
            return answer(false);
        },
        [&] {
            if (!messageBoxText().isEmpty()) return false;
            jobsAfterNo = server_.jobCount("stopped");
            click(widget("printButton"));
            return true;
        },
        [&] { return answer(true); }};
    host::Options options;
    options.queue = "stopped";
    Outcome outcome = runPerson(options, steps, submitter.get());
    ASSERT_TRUE(outcome.finished);
    EXPECT_NE(asked.indexOf("Stopped: paused"), -1) << asked.toStdString();
    EXPECT_EQ(jobsAfterNo, 0);
    EXPECT_EQ(server_.jobCount("stopped"), 1);
    EXPECT_TRUE(std::filesystem::exists(homesandbox::home() + "/.config/printdialog-settings.plist"))
        << "Print keeps what it used for the next time";
}

// A server that takes the connection and never answers: the window takes input all the while and
// says so when the limit has passed.
TEST(SilentServer, TheWindowTakesInputAndSaysTheServerDidNotAnswer)
{
    homesandbox::reset();
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 8), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    setenv("CUPS_SERVER", ("127.0.0.1:" + std::to_string(ntohs(address.sin_port))).c_str(), 1);

    QString first, last;
    Clock::time_point previous = Clock::now();
    Clock::duration longestWait{};
    std::vector<Step> steps = {[&] {
                                   first = status();
                                   previous = Clock::now();
                                   return !first.isEmpty();
                               },
        [&] {
            longestWait = std::max(longestWait, Clock::now() - previous);
            previous = Clock::now();
            last = status();
            return last.contains("did not answer");
        }};
    host::Options options;
    options.timeoutSeconds = 1;
    Outcome outcome = runPerson(options, steps);
    ::close(listener);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(first.toStdString(), "Looking for printers\u2026");
    EXPECT_NE(last.indexOf("did not answer within 1 s"), -1) << last.toStdString();
    EXPECT_LT(longestWait, std::chrono::milliseconds(500)) << "the window waited on the server";
}

} // namespace
