// SPDX-License-Identifier: Apache-2.0
// A person at the print window chooses a queue whose server asks for a password: a dialog asks for
// it with the text hidden, asks again after a wrong one, and a cancel ends in one message saying why.
#include "cups/CupsServer.h"
#include "host/gui/GuiSession.h"
#include "support/HomeSandbox.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(PasswordAtTheWindow, TheServerAsksThroughADialogAndACancelIsSaid)
{
    homesandbox::reset();
    cupstest::CupsServer server;
    server.requirePassword("zqa");
    std::string why;
    ASSERT_TRUE(server.start(&why)) << why;
    ASSERT_TRUE(server.addQueue("zqa", "usb://TESSALUMA/zq4410", testpaths::ppd("zq4410.ppd"), &why)) << why;

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "password";
    static char* argv[] = {name, nullptr};
    auto gui = host::GuiSession::start(argc, argv, &why);
    ASSERT_TRUE(gui) << why;

    // The first time a wrong password is typed, then the person cancels; message boxes are read.
    int asked = 0;
    bool hidden = true;
    std::vector<std::string> messages;
    QTimer person;
    QObject::connect(&person, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages.push_back(box->text().toStdString());
            box->accept();
        } else if (auto* dialog = qobject_cast<QInputDialog*>(modal)) {
            auto* field = dialog->findChild<QLineEdit*>();
            if (!field) return;
            hidden = hidden && field->echoMode() == QLineEdit::Password;
            if (asked++ == 0) {
                QTest::keyClicks(field, "not-the-password");
                QTest::keyClick(field, Qt::Key_Return);
            } else {
                QTest::keyClick(field, Qt::Key_Escape);
            }
        }
    });
    person.start(20);

    host::Options options;
    options.queue = "zqa";
    const int status = gui->runForPerson(options, host::ProgramFiles::find(testpaths::binaryDir() + "/bin"), nullptr);
    person.stop();
    gui.reset();

    EXPECT_EQ(1, status);
    EXPECT_EQ(2, asked);
    EXPECT_TRUE(hidden);
    EXPECT_EQ(std::vector<std::string>{"the CUPS server asks for a password for queue zqa"}, messages);
}

} // namespace
