// SPDX-License-Identifier: Apache-2.0
// A person at the window on a CUPS queue uses the dialog's own panes with the keyboard and the mouse:
// the job carries every choice, a wrong page list is refused at once, a conflicting choice cannot
// be picked, and a preset saved in the window is the lpoptions instance lp prints through.
#include "CupsServer.h"

#include "host/JobSubmitter.h"
#include "host/gui/GuiSession.h"
#include "host/gui/PresetChooser.h"
#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"
#include "ui/InputDriver.h"
#include "ui/Nib.h"
#include "ui/PopUpButton.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr const char* kQueue = "zq";

template <class T>
T* widget(const char* name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = top->findChild<T*>(name)) return found;
    return nullptr;
}

// Arrow keys on a closed pop-up until the item holding data shows; disabled items are passed over as
// the keyboard passes over them. False when it cannot be reached.
bool pick(QComboBox* box, const QString& data)
{
    const int target = box ? box->findData(data) : -1;
    if (target < 0) return false;
    box->setFocus();
    for (int step = 0; step < box->count() && box->currentIndex() != target; ++step)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    return box->currentIndex() == target;
}

// Selects the field's text, types over it and leaves the field with Tab (Return would press Print).
void typeInto(QWidget* field, const QString& text)
{
    // A message box that just closed may have left the window without focus.
    field->window()->activateWindow();
    QApplication::processEvents();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

class WindowPanesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        setenv("XDG_CONFIG_HOME", (homesandbox::home() + "/config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        document_ = homesandbox::home() + "/report.txt";
        std::ofstream(document_) << "A report.\n";
        std::string why;
        ASSERT_TRUE(server_.start(&why)) << why;
        ASSERT_TRUE(server_.addQueue(kQueue, "usb://TESSALUMA/zq4410", testpaths::ppd("zq4410.ppd"), &why)) << why;
        ASSERT_TRUE(server_.changeQueue(kQueue, {"-o", "PageSize-default=Letter"}, &why)) << why;
        static int argc = 1;
        static char name[] = "window";
        static char* argv[] = {name, nullptr};
        gui_ = host::GuiSession::start(argc, argv, &why);
        ASSERT_TRUE(gui_) << why;
    }
    void TearDown() override { gui_.reset(); }

    // Runs the window on the queue; person acts once the panes are on screen. The exit status.
    int run(std::function<void()> person)
    {
        QTimer act;
        bool acted = false;
        QObject::connect(&act, &QTimer::timeout, [&] {
            auto* panes = widget<QComboBox>("paneSelector");
            if (acted || !panes || panes->count() < 2 || QApplication::activeModalWidget()) return;
            acted = true;
            person();
        });
        act.start(50);
        QTimer boxes;
        QObject::connect(&boxes, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        boxes.start(20);
        QTimer::singleShot(20000, [] {
            if (auto* cancel = widget<QPushButton>("cancelButton")) cancel->click();
        });
        host::Options options;
        options.queue = kQueue;
        std::string why;
        auto documents = host::JobSubmitter::open({document_}, &why);
        EXPECT_TRUE(documents) << why;
        return gui_->runForPerson(options, host::ProgramFiles::find(testpaths::binaryDir() + "/bin"), documents.get());
    }

    std::map<std::string, std::string> lastJob()
    {
        std::string why;
        auto job = server_.jobAttributes(server_.jobCount(kQueue), &why);
        EXPECT_TRUE(job) << why;
        return job.value_or(std::map<std::string, std::string>());
    }

    void chooseQuickColorPhoto()
    {
        ui::Nib* nib = ui::Nib::loaded().empty() ? nullptr : ui::Nib::loaded().back();
        auto* quickColor = nib ? dynamic_cast<ui::PopUpButton*>(nib->object("menu_QuickColor")) : nullptr;
        ASSERT_TRUE(quickColor);
        gui_->input().selectItem(*quickColor, 1);
    }

    cupstest::CupsServer server_;
    std::unique_ptr<host::GuiSession> gui_;
    std::string document_;
};

TEST_F(WindowPanesTest, EveryChoiceMadeInThePanesArrivesWithTheJob)
{
    const int status = run([&] {
        auto* panes = widget<QComboBox>("paneSelector");
        ASSERT_TRUE(pick(panes, "Copies & Pages"));
        typeInto(widget<QSpinBox>("pane_copies"), "2");
        typeInto(widget<QLineEdit>("pane_page-ranges"), "1-3");
        ASSERT_TRUE(pick(panes, "Layout"));
        ASSERT_TRUE(pick(widget<QComboBox>("pane_Duplex"), "DuplexNoTumble"));
        ASSERT_TRUE(pick(widget<QComboBox>("pane_number-up"), "2"));
        ASSERT_TRUE(pick(panes, "Paper Handling"));
        ASSERT_TRUE(pick(widget<QComboBox>("pane_PageSize"), "A4"));
        ASSERT_TRUE(pick(panes, "Job"));
        auto* hold = widget<QWidget>("pane_job-hold-until");
        ASSERT_TRUE(pick(hold->findChild<QComboBox*>(), ""));
        typeInto(hold->findChild<QLineEdit*>(), "22:30");
        typeInto(widget<QSpinBox>("pane_job-priority"), "80");
        chooseQuickColorPhoto();
        QTest::mouseClick(widget<QPushButton>("printButton"), Qt::LeftButton);
    });

    ASSERT_EQ(0, status);
    auto job = lastJob();
    EXPECT_EQ("2", job["copies"]);
    EXPECT_EQ(0u, job.count("page-ranges")) << "two to a sheet: the chosen pages go as the document";
    EXPECT_EQ("DuplexNoTumble", job["Duplex"]);
    EXPECT_EQ("2", job["number-up"]);
    EXPECT_EQ("A4", job["PageSize"]);
    EXPECT_EQ("22:30", job["job-hold-until"]);
    EXPECT_EQ("80", job["job-priority"]);
    EXPECT_EQ("Photo", job["TLQuickColor"]);
}

// A wrong page list is said under its field as soon as it is given, and Print waits until it is
// mended; a transparency cannot be picked once both sides are printed.
TEST_F(WindowPanesTest, WrongOrConflictingChoicesNeverReachTheJob)
{
    std::string note;
    bool transparencyOffered = true;
    int jobsWhileRefused = -1;
    const int status = run([&] {
        auto* panes = widget<QComboBox>("paneSelector");
        ASSERT_TRUE(pick(panes, "Copies & Pages"));
        typeInto(widget<QLineEdit>("pane_page-ranges"), "3-1");
        auto* shown = widget<QLabel>("pane_page-ranges_note");
        note = shown && shown->isVisible() ? shown->text().toStdString() : "";
        ASSERT_TRUE(pick(panes, "Layout"));
        ASSERT_TRUE(pick(widget<QComboBox>("pane_Duplex"), "DuplexTumble"));
        ASSERT_TRUE(pick(panes, "Paper Handling"));
        auto* media = widget<QComboBox>("pane_MediaType");
        auto* model = qobject_cast<QStandardItemModel*>(media->model());
        transparencyOffered = model->item(media->findData("Transparency"))->isEnabled();
        EXPECT_FALSE(pick(media, "Transparency"));
        QTest::mouseClick(widget<QPushButton>("printButton"), Qt::LeftButton);
        jobsWhileRefused = server_.jobCount(kQueue);
        ASSERT_TRUE(pick(panes, "Copies & Pages"));
        typeInto(widget<QLineEdit>("pane_page-ranges"), "1,3");
        QTest::mouseClick(widget<QPushButton>("printButton"), Qt::LeftButton);
    });

    ASSERT_EQ(0, status);
    EXPECT_NE(std::string::npos, note.find("3-1 is not a page list")) << note;
    EXPECT_FALSE(transparencyOffered);
    EXPECT_EQ(0, jobsWhileRefused);
    auto job = lastJob();
    EXPECT_EQ("1-1,3-3", job["page-ranges"]);
    EXPECT_EQ("DuplexTumble", job["Duplex"]);
    EXPECT_NE("Transparency", job["MediaType"]);
}

TEST_F(WindowPanesTest, APresetSavedInTheWindowIsTheInstanceLpUses)
{
    const int status = run([&] {
        ASSERT_TRUE(pick(widget<QComboBox>("paneSelector"), "Copies & Pages"));
        typeInto(widget<QSpinBox>("pane_copies"), "4");
        chooseQuickColorPhoto();
        auto* presets = widget<host::PresetChooser>("presetChooser");
        ASSERT_TRUE(presets);
        presets->askName = [] { return std::string("Proofs"); };
        presets->setFocus();
        QTest::keyClick(presets, Qt::Key_Down); // past the separator: Save Current Settings as Preset...
        QTest::mouseClick(widget<QPushButton>("cancelButton"), Qt::LeftButton);
    });

    ASSERT_EQ(0, status);
    auto listed = testproc::run({"/usr/bin/lpoptions", "-p", std::string(kQueue) + "/Proofs"});
    EXPECT_NE(std::string::npos, listed.out.find("copies=4")) << listed.out << listed.err;
    EXPECT_NE(std::string::npos, listed.out.find("TLQuickColor=Photo")) << listed.out;
    auto lp = testproc::run({"/usr/bin/lp", "-d", std::string(kQueue) + "/Proofs", "-H", "indefinite", document_});
    ASSERT_EQ(0, lp.status) << lp.err;
    auto job = lastJob();
    EXPECT_EQ("4", job["copies"]);
    EXPECT_EQ("Photo", job["TLQuickColor"]);
}

// The queue's instances are listed above the panes; choosing one opens the dialog on it, with its
// options in the panes and the panel.
TEST_F(WindowPanesTest, ChoosingAPresetStartsFromItsOptions)
{
    auto made = testproc::run(
        {"/usr/bin/lpoptions", "-p", std::string(kQueue) + "/Draft", "-o", "copies=3", "-o", "TLEconoMode=True"});
    ASSERT_EQ(0, made.status) << made.err;
    QStringList listed;
    const int status = run([&] {
        auto* presets = widget<host::PresetChooser>("presetChooser");
        ASSERT_TRUE(presets);
        for (int wait = 0; wait < 100 && presets->findData("Draft") < 0; ++wait) QTest::qWait(50);
        for (int i = 0; i < presets->count(); ++i) listed << presets->itemText(i);
        ASSERT_TRUE(pick(presets, "Draft"));
        // The preset's PPD comes from the server off the window's thread; the panes follow.
        for (int wait = 0;
             wait < 100 && !(widget<QSpinBox>("pane_copies") && widget<QSpinBox>("pane_copies")->value() == 3);
             ++wait) {
            QTest::qWait(50);
            if (auto* panes = widget<QComboBox>("paneSelector")) pick(panes, "Copies & Pages");
        }
        EXPECT_EQ(3, widget<QSpinBox>("pane_copies")->value());
        QTest::mouseClick(widget<QPushButton>("printButton"), Qt::LeftButton);
    });

    ASSERT_EQ(0, status);
    EXPECT_EQ((QStringList{"Default Settings", "Draft", "", "Save Current Settings as Preset...",
                  "Use as Default for All Applications"}),
        listed);
    auto job = lastJob();
    EXPECT_EQ("3", job["copies"]);
    EXPECT_EQ("true", job["TLEconoMode"]);
}

} // namespace
