// SPDX-License-Identifier: Apache-2.0
// Every control of the main view, the advanced pages and the profile window shows its text in full,
// inside its parent, overlapping no other control; constraints show as disabled widgets; typing
// into a filtered field in the window gives the filtered text.
#include "profiles/ProfileControl.h"
#include "support/HomeSandbox.h"
#include "support/PanelHarness.h"
#include "support/Process.h"
#include "support/TestPaths.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TextField.h"
#include "ui/Window.h"
#include "ui/qt/Mirror.h"
#include "ui/qt/QtInputDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

namespace {

QApplication& app()
{
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // Never destroyed: Qt's input devices must not go in the exit handlers after the platform.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// A text without its mnemonic mark: "&Add" and "追加(&A)" read "Add" and "追加".
QString withoutMnemonic(QString text)
{
    text.remove(QRegularExpression("\\(&[A-Z0-9]\\)"));
    return text.replace(QRegularExpression("&(.)"), "\\1");
}

// The text a widget shows, and the text the model holds for it.
QString shown(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->buddy() ? withoutMnemonic(label->text()) : label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return withoutMnemonic(button->text());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
    return {};
}

QString modelText(ui::View& view)
{
    if (auto* label = dynamic_cast<ui::Label*>(&view)) return QString::fromStdString(label->stringValue());
    if (auto* button = dynamic_cast<ui::Button*>(&view)) return QString::fromStdString(button->title());
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(&view))
        return QString::fromStdString(popUp->titleOfSelectedItem().value_or(""));
    return {};
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        homesandbox::home();
        harness = std::make_unique<testpanel::Harness>();
        root = harness->panel().panelView();
        ASSERT_NE(root, nullptr);
        harness->panel().restoreValuesAndReturnError(nullptr);
        mirror = std::make_unique<ui::qt::Mirror>();
        mirror->widgetFor(*root)->show();
        mirror->flush();
    }
    void TearDown() override
    {
        mirror.reset();
        harness.reset();
    }

    // Checks the shown controls under view (a container) against each other and their parent.
    void checkControls(ui::View& container, const char* where)
    {
        std::vector<std::pair<ui::View*, QWidget*>> controls;
        collect(container, controls);
        ASSERT_FALSE(controls.empty()) << where;
        for (auto& [view, widget] : controls) {
            const std::string id = view->identifier();
            EXPECT_TRUE(widget->isVisible()) << where << ": " << id;
            EXPECT_EQ(shown(widget), modelText(*view)) << where << ": " << id;
            EXPECT_FALSE(shown(widget).isEmpty()) << where << ": " << id;
            const QRect inParent(QPoint(0, 0), widget->parentWidget()->size());
            EXPECT_TRUE(inParent.contains(widget->geometry())) << where << ": " << id << " leaves its parent";
            QSize need = widget->sizeHint();
            if (auto* combo = qobject_cast<QComboBox*>(widget))
                need.setWidth(combo->fontMetrics().horizontalAdvance(combo->currentText()) + 30);
            EXPECT_GE(widget->width(), need.width()) << where << ": " << id << " cuts its text";
            EXPECT_GE(widget->height(), need.height() - 2) << where << ": " << id << " cuts its text";
            for (auto& [other, otherWidget] : controls) {
                if (other == view || otherWidget->parentWidget() != widget->parentWidget()) continue;
                EXPECT_FALSE(widget->geometry().intersects(otherWidget->geometry()))
                    << where << ": " << id << " overlaps " << other->identifier();
            }
        }
    }

    void collect(ui::View& view, std::vector<std::pair<ui::View*, QWidget*>>& out)
    {
        for (ui::View* child : view.subviews()) {
            QWidget* widget = mirror->find(child);
            if (!widget || child->isHidden()) continue;
            if (!modelText(*child).isEmpty() || dynamic_cast<ui::PopUpButton*>(child)) out.emplace_back(child, widget);
            if (!dynamic_cast<ui::TabView*>(child)) collect(*child, out);
        }
    }

    template <class T>
    T* get(const char* id)
    {
        return harness->get<T>(id);
    }
    void checkMain();
    void checkAdvanced();
    void checkProfiles();

    std::unique_ptr<testpanel::Harness> harness;
    std::unique_ptr<ui::qt::Mirror> mirror;
    ui::View* root = nullptr;
};

TEST_F(Geometry, MainViewShowsEveryControlWhole)
{
    checkMain();
}
TEST_F(Geometry, AdvancedPagesShowEveryControlWhole)
{
    checkAdvanced();
}
TEST_F(Geometry, ProfileWindowShowsEveryControlWhole)
{
    checkProfiles();
}

// The Japanese texts are longer or taller: the scale grows so that they fit too.
class JapaneseGeometry : public Geometry {
protected:
    void SetUp() override
    {
        setenv("LANGUAGE", "ja", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        std::setlocale(LC_ALL, "");
        Geometry::SetUp();
    }
    void TearDown() override
    {
        Geometry::TearDown();
        unsetenv("LANGUAGE");
        std::setlocale(LC_ALL, "C");
    }
};

TEST_F(JapaneseGeometry, EveryViewShowsEveryControlWhole)
{
    EXPECT_EQ(modelText(*get<ui::View>("button_AdvanceColorOptions")).toStdString(), "詳細カラーオプション");
    checkMain();
    checkAdvanced();
    checkProfiles();
}

// Every text a person reads in the profile window is Japanese ("OK" reads the same).
TEST_F(JapaneseGeometry, TheProfileWindowSpeaksJapanese)
{
    checkProfiles();
    QWidget* dialog = mirror->find(get<ui::Window>("_profileManagementWindow")->contentView())->window();
    QStringList texts{dialog->windowTitle()};
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(widget)) texts << withoutMnemonic(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << withoutMnemonic(button->text());
        if (auto* box = qobject_cast<QGroupBox*>(widget)) texts << box->title();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        if (auto* table = qobject_cast<QTableView*>(widget)) {
            texts << table->accessibleName();
            for (int c = 0; c < table->model()->columnCount(); ++c)
                for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)})
                    texts << table->model()->headerData(c, Qt::Horizontal, role).toString();
        }
    }
    QStringList english;
    for (const QString& text : texts)
        if (!text.isEmpty() && text != "OK" &&
            std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; }))
            english << text;
    EXPECT_TRUE(english.isEmpty()) << english.join(", ").toStdString();
}

void Geometry::checkMain()
{
    checkControls(*get<ui::View>("onColorView"), "main view");
}

void Geometry::checkAdvanced()
{
    get<ui::PopUpButton>("menu_QuickColor")->userSelectItem(3); // Custom opens the advanced view
    get<ui::Button>("button_AdvanceColorOptions")->userClick();
    auto* tabs = get<ui::TabView>("tab_SwitchVew");
    ASSERT_TRUE(get<ui::View>("onAdvancedView")->superview()) << "the advanced view is shown";
    for (int page = 0; page < tabs->numberOfTabViewItems(); ++page) {
        tabs->userSelectTab(page);
        mirror->flush();
        checkControls(
            *tabs->items()[static_cast<size_t>(page)].view, tabs->items()[static_cast<size_t>(page)].label.c_str());
    }
    checkControls(*get<ui::View>("onAdvancedView"), "advanced buttons");
}

void Geometry::checkProfiles()
{
    auto* control = get<tlco::ProfileControl>("profileControl");
    auto* window = get<ui::Window>("_profileManagementWindow");
    control->initWithProfileControl();
    window->orderFront();
    mirror->flush();
    QWidget* dialog = mirror->find(window->contentView())->window();
    EXPECT_TRUE(dialog->isVisible());
    checkControls(*window->contentView(), "profile window");
    checkControls(*get<ui::View>("_editGroupBox"), "profile settings");
}

TEST_F(Geometry, ConstrainedControlIsShownDisabled)
{
    QWidget* grayscale = mirror->find(get<ui::View>("check_ColorAsGrayscale"));
    ASSERT_NE(grayscale, nullptr);
    EXPECT_TRUE(grayscale->isEnabled());
    ui::qt::QtInputDriver input(*mirror);
    input.click(*get<ui::CheckBox>("check_ColorSeparation"));
    EXPECT_EQ(get<ui::CheckBox>("check_ColorSeparation")->state(), 1) << "the click reached the model";
    EXPECT_FALSE(grayscale->isEnabled());
}

// Under a large font the tick and icon columns take what they draw and a long profile name is whole.
TEST_F(Geometry, TheProfileTableFitsItsColumnsToTheirContents)
{
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(20);
    QApplication::setFont(large);
    auto* control = get<tlco::ProfileControl>("profileControl");
    control->initWithProfileControl();
    get<ui::Window>("_profileManagementWindow")->orderFront();
    get<ui::Button>("_addButton")->userClick();
    get<ui::TextField>("_fileNameEdit")->userType("LONG.ICC");
    const std::string name = "A very long profile name here";
    get<ui::TextField>("_profileNameEdit")->userType(name);
    get<ui::Button>("_localOK")->userClick();
    mirror->flush();
    auto* table = qobject_cast<QTableView*>(mirror->find(get<ui::View>("_profileTableView")));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->model()->rowCount(), 1);
    const int indicator = table->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, table);
    EXPECT_LE(table->columnWidth(0), indicator + 16) << "tick box column";
    EXPECT_LE(table->columnWidth(1), table->style()->pixelMetric(QStyle::PM_SmallIconSize) + 16) << "icon column";
    EXPECT_GE(table->columnWidth(3), table->fontMetrics().horizontalAdvance(QString::fromStdString(name)))
        << "the profile name is cut";
    QApplication::setFont(before);
}

TEST_F(Geometry, TypingIntoAFilteredFieldInTheWindowGivesTheFilteredText)
{
    auto* control = get<tlco::ProfileControl>("profileControl");
    auto* window = get<ui::Window>("_profileManagementWindow");
    control->initWithProfileControl();
    window->orderFront();
    ui::qt::QtInputDriver input(*mirror);
    input.click(*get<ui::Button>("_addButton"));
    auto* field = get<ui::TextField>("_fileNameEdit");
    input.type(*field, "ab/c:d.icc");
    auto* edit = qobject_cast<QLineEdit*>(mirror->find(field));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text().toStdString(), "abcd.icc");
    EXPECT_EQ(field->stringValue(), "abcd.icc");
    EXPECT_EQ(edit->cursorPosition(), 8);
}

} // namespace

namespace {

TEST_F(Geometry, LabelsAreBuddiesOfTheirControls)
{
    for (const char* id : {"text_QuickColor", "text_Brightness", "text_Strength"}) {
        auto* label = qobject_cast<QLabel*>(mirror->find(get<ui::View>(id)));
        ASSERT_NE(label, nullptr) << id;
        ASSERT_NE(label->buddy(), nullptr) << id;
        EXPECT_EQ(label->buddy()->geometry().center().y() / 4, label->geometry().center().y() / 4) << id;
    }
    EXPECT_EQ(qobject_cast<QLabel*>(mirror->find(get<ui::View>("text_QuickColor")))->buddy(),
        mirror->find(get<ui::View>("menu_QuickColor")));
}

TEST_F(Geometry, EscapeCancelsAndReturnConfirmsTheProfileWindow)
{
    auto* control = get<tlco::ProfileControl>("profileControl");
    auto* window = get<ui::Window>("_profileManagementWindow");
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        control->initWithProfileControl();
        window->orderFront();
        mirror->flush();
        QWidget* dialog = mirror->find(window->contentView())->window();
        ASSERT_TRUE(dialog->isVisible());
        QTest::keyClick(dialog, key);
        mirror->flush();
        EXPECT_FALSE(window->isVisible()) << (key == Qt::Key_Escape ? "Escape" : "Return");
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST(GuiHost, WithoutADisplayTheWindowExitsWithOneLine)
{
    testproc::Result result = testproc::run({testpaths::printdialog(), "--gui", "--script", "-"}, "panelView\n",
        {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LC_ALL=C"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find("QT_QPA_PLATFORM=offscreen"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(GuiHost, ScreenshotWritesTheWindowOrTheModalWindowAsPNG)
{
    const std::string dir = homesandbox::home();
    const std::string script = "panelView\nscreenshot " + dir +
        "/main.png\nclick button_AdvanceColorOptions\n"
        "select menu_QuickColor 3\nclick button_AdvanceColorOptions\nclick button_ManageProfile\n"
        "screenshot " +
        dir + "/profiles.png\nclick button_ProfileWindowCancel\n";
    testproc::Result result = testproc::run(
        {testpaths::printdialog(), "--gui", "--script", "-"}, script, {"QT_QPA_PLATFORM=offscreen", "LC_ALL=C"});
    ASSERT_EQ(result.status, 0) << result.err;
    QImage main(QString::fromStdString(dir + "/main.png"), "PNG");
    QImage profiles(QString::fromStdString(dir + "/profiles.png"), "PNG");
    ASSERT_FALSE(main.isNull());
    ASSERT_FALSE(profiles.isNull());
    EXPECT_NE(main.size(), profiles.size()) << "the profile window, not the print window";

    result = testproc::run(
        {testpaths::printdialog(), "--script", "-"}, "panelView\nscreenshot " + dir + "/x.png\n", {"LC_ALL=C"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "printdialog: line 2: screenshot needs --gui\n");
}

} // namespace
