// SPDX-License-Identifier: Apache-2.0
// The print window and the profile window under a person's hands, through real mouse clicks and key
// presses: the window keeps its size, the profile window blocks the print window, Return keeps an
// entry being typed, the summary shows at once, Tab visits every control in reading order, the
// profile table's highlight, Space and screen reader follow the selection and the tick boxes.
#include "PersonHarness.h"
#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using namespace persontest;

void SetUpPerson()
{
    homesandbox::reset();
    // No CUPS server answers: the chooser holds the sample printer alone.
    setenv("CUPS_SERVER", "127.0.0.1:1", 1);
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits until the panel of the first printer is on screen.
Step panelShown()
{
    return [] {
        QWidget* quick = widget("menu_QuickColor");
        return quick && quick->isVisible();
    };
}

// Custom, then Advanced Color Options: the advanced view.
std::vector<Step> toAdvancedView()
{
    return {panelShown(),
        [] {
            pick(widget("menu_QuickColor"), 3);
            return true;
        },
        [] {
            QWidget* advanced = widget("button_AdvanceColorOptions");
            if (!advanced->isEnabled()) return false;
            click(advanced);
            return true;
        },
        [] {
            QWidget* tabs = widget("tab_SwitchVew");
            return tabs && tabs->isVisible();
        }};
}

std::vector<Step> toProfileWindow()
{
    std::vector<Step> steps = toAdvancedView();
    steps.push_back([] {
        click(widget("button_ManageProfile"));
        return true;
    });
    steps.push_back([] { return profileWindow() != nullptr; });
    return steps;
}

std::vector<Step> operator+(std::vector<Step> first, const std::vector<Step>& then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

QString summaryValue(const QString& title)
{
    auto* summary = qobject_cast<QTreeWidget*>(widget("summary"));
    for (int i = 0; summary && i < summary->topLevelItemCount(); ++i)
        if (summary->topLevelItem(i)->text(0) == title) return summary->topLevelItem(i)->text(1);
    return {};
}

TEST(Window, WidthAfterFiftyChangesIsTheWidthAfterOne)
{
    SetUpPerson();
    int afterOne = 0, afterFifty = 0, clicks = 0;
    bool resizable = false;
    std::vector<Step> steps = {panelShown(),
        [&] {
            click(widget("check_EconomyPrint"));
            return true;
        },
        [&] {
            afterOne = printWindow()->width();
            return true;
        },
        [&] {
            click(widget("check_EconomyPrint"));
            return ++clicks == 49;
        },
        [&] {
            afterFifty = printWindow()->width();
            resizable = printWindow()->maximumWidth() > printWindow()->minimumWidth();
            return true;
        }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_GT(afterOne, 0);
    EXPECT_EQ(afterFifty, afterOne);
    EXPECT_TRUE(resizable) << "a person can make the window larger";
}

TEST(Window, SummaryShowsTheRestoredTicketBeforeTheFirstChange)
{
    SetUpPerson();
    const std::string ticket = homesandbox::home() + "/ticket.plist";
    testproc::Result saved = testproc::run({testpaths::printdialog(), "--ticket", ticket, "--script", "-"},
        "panelView\nrestore\nselect menu_QuickColor 1\nsave\n", {"LC_ALL=C"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    QString shown;
    host::Options options;
    options.ticket = ticket;
    Outcome outcome = runPerson(options, {panelShown(), [&] {
                                              shown = summaryValue("Quick Color");
                                              return true;
                                          }});
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(shown.toStdString(), "Photo");
}

TEST(Window, AClickOnThePrintWindowWhileTheProfileWindowIsOpenChangesNothing)
{
    SetUpPerson();
    int tabAfterClick = -1;
    bool printed = false;
    std::vector<Step> steps = toProfileWindow() +
        std::vector<Step>{[&] {
                              auto* tabs = qobject_cast<QTabWidget*>(widget("tab_SwitchVew"));
                              click(tabs->tabBar(), tabs->tabBar()->tabRect(2).center());
                              click(widget("printButton"));
                              return true;
                          },
            [&] {
                tabAfterClick = qobject_cast<QTabWidget*>(widget("tab_SwitchVew"))->currentIndex();
                printed = !messageBoxText().isEmpty();
                click(widget("button_ProfileWindowCancel"));
                return true;
            },
            [] { return profileWindow() == nullptr; }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(tabAfterClick, 0) << "the tab bar behind the profile window took the click";
    EXPECT_FALSE(printed) << "Print behind the profile window took the click";
}

TEST(Window, ReturnInTheEditAreaKeepsTheEntryAndReturnAgainConfirmsTheWindow)
{
    SetUpPerson();
    QString focusAfterAdd;
    bool openAfterReturn = false;
    int rowsAfterReturn = -1;
    std::vector<Step> steps = toProfileWindow() +
        std::vector<Step>{[] {
                              click(widget("_addButton"));
                              return true;
                          },
            [&] {
                focusAfterAdd = focusName();
                type("KEY1.ICC");
                key(Qt::Key_Tab);
                type("Keyboard");
                key(Qt::Key_Return);
                return true;
            },
            [&] {
                openAfterReturn = profileWindow() != nullptr;
                auto* table = qobject_cast<QTableView*>(widget("_profileTableView"));
                rowsAfterReturn = table ? table->model()->rowCount() : -1;
                key(Qt::Key_Return);
                return true;
            },
            [] { return profileWindow() == nullptr; }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(focusAfterAdd.toStdString(), "_fileNameEdit");
    EXPECT_TRUE(openAfterReturn) << "Return in the edit area closed the window";
    EXPECT_EQ(rowsAfterReturn, 1);
    const std::string list =
        readAll(homesandbox::home() + "/Library/Preferences/jp.tessaluma.printers.zq4410PS.profile.plist");
    EXPECT_NE(list.find("KEY1.ICC"), std::string::npos);
    EXPECT_NE(list.find("Keyboard"), std::string::npos);
}

// Print is the default button: with the focus on it, it must look otherwise than without.
TEST(Window, TheFocusOnPrintShowsApartFromTheDefaultLook)
{
    SetUpPerson();
    QImage focused, unfocused;
    std::vector<Step> steps = {panelShown(),
        [] {
            printWindow()->activateWindow();
            widget("menu_QuickColor")->setFocus(Qt::TabFocusReason);
            key(Qt::Key_Backtab); // to the pane selector: Print keeps its default look, without the focus
            return true;
        },
        [&] {
            unfocused = widget("printButton")->grab().toImage();
            widget("cancelButton")->setFocus(Qt::TabFocusReason);
            key(Qt::Key_Backtab); // to Print
            return true;
        },
        [&] {
            if (focusName() != "printButton") return false;
            focused = widget("printButton")->grab().toImage();
            return true;
        }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    ASSERT_EQ(focused.size(), unfocused.size());
    EXPECT_NE(focused, unfocused);
}

// Tab from the first control visits each reachable control once, in reading order, and comes back.
struct Chain {
    const char* name;
    std::vector<Step> (*reach)();
    std::vector<const char*> order;
};

void PrintTo(const Chain& chain, std::ostream* out)
{
    *out << chain.name;
}

class TabChain : public ::testing::TestWithParam<Chain> { };

TEST_P(TabChain, VisitsEveryControlOnceInReadingOrder)
{
    SetUpPerson();
    const Chain& chain = GetParam();
    std::vector<std::string> visited;
    std::vector<Step> steps = chain.reach() +
        std::vector<Step>{[&] {
                              QWidget* first = widget(chain.order.front());
                              first->activateWindow();
                              first->setFocus(Qt::TabFocusReason);
                              return true;
                          },
            [&] {
                visited.push_back(focusName().toStdString());
                if (visited.size() > chain.order.size()) return true;
                key(Qt::Key_Tab);
                return false;
            },
            [] {
                if (QWidget* cancel = widget("button_ProfileWindowCancel")) click(cancel);
                return true;
            }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    std::vector<std::string> expected(chain.order.begin(), chain.order.end());
    expected.push_back(chain.order.front());
    EXPECT_EQ(visited, expected);
}

std::vector<Step> mainView()
{
    return {panelShown()};
}

std::vector<Step> addingInTheProfileWindow()
{
    return toProfileWindow() +
        std::vector<Step>{[] {
                              click(widget("_addButton"));
                              return true;
                          },
            [] { return focusName() == "_fileNameEdit"; }};
}

INSTANTIATE_TEST_SUITE_P(Window, TabChain,
    ::testing::Values(Chain{"main view", mainView,
                          {"printerChooser", "presetChooser", "paneSelector", "menu_QuickColor", "menu_Brightness",
                              "check_ColorAsGrayscale", "check_ColorSeparation", "check_EconomyPrint",
                              "menu_EdgeStrength", "printButton", "cancelButton"}},
        Chain{"advanced view", toAdvancedView,
            {"printerChooser", "presetChooser", "paneSelector", "tab_SwitchVew", "menu_iRGBSource", "menu_iRGBIntent",
                "menu_iRGBGrayTreatment", "menu_iDestinationProfile", "menu_iHalftone", "menu_iEdgeEnhancement",
                "button_ManageProfile", "button_DownloadManager", "button_HideAdvancedOptions", "printButton",
                "cancelButton"}},
        Chain{"profile window", toProfileWindow,
            {"_profileMenu", "_profileTableView", "_addButton", "button_ProfileWindowCancel",
                "button_ProfileWindowOK"}},
        Chain{"profile window, adding", addingInTheProfileWindow,
            {"_fileNameEdit", "_profileNameEdit", "_locationMenu", "_browse", "_localCancel",
                "button_ProfileWindowCancel", "button_ProfileWindowOK", "_profileTableView"}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

// The colour on screen (what the window last painted, not a fresh rendering) in the middle of a
// row's file name cell.
QRgb cellColour(QTableView* table, int row)
{
    const QRect cell = table->visualRect(table->model()->index(row, 2));
    const QPoint at = table->viewport()->mapTo(table->window(), QPoint(cell.left() + 2, cell.center().y()));
    const QImage screen = table->screen()->grabWindow(table->window()->winId()).toImage();
    return screen.pixel(at);
}

TEST(Window, TheProfileTableShowsItsSelectionAndTicksFromKeyboardAndScreenReader)
{
    SetUpPerson();
    auto addEntry = [](const char* name) {
        return std::vector<Step>{[] {
                                     click(widget("_addButton"));
                                     return true;
                                 },
            [] { return focusName() == "_fileNameEdit"; },
            [name] {
                type(name);
                key(Qt::Key_Return);
                return true;
            },
            [] { return !widget("_fileNameEdit")->isEnabled(); }};
    };
    QTableView* table = nullptr;
    QRgb plain = 0, highlighted = 0, afterDown = 0, row1AfterDown = 0, afterBelow = 0;
    QString tickName;
    QAccessible::Role tickRole = QAccessible::NoRole;
    bool tickedBySpace = false, tickedByReader = true;
    auto tick = [&](int row) {
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(table);
        return shown->child(row * table->model()->columnCount())->state().checked;
    };
    std::vector<Step> steps = toProfileWindow() + addEntry("ONE.ICC") + addEntry("TWO.ICC") +
        std::vector<Step>{[&] {
                              table = qobject_cast<QTableView*>(widget("_profileTableView"));
                              plain = cellColour(table, 0);
                              click(table->viewport(), table->visualRect(table->model()->index(0, 2)).center());
                              return true;
                          },
            [&] {
                highlighted = cellColour(table, 0);
                key(Qt::Key_Down);
                return true;
            },
            [&] {
                afterDown = cellColour(table, 0);
                row1AfterDown = cellColour(table, 1);
                const bool before = tick(1);
                key(Qt::Key_Space);
                QTimer::singleShot(0, [&, before] { tickedBySpace = tick(1) != before; });
                return true;
            },
            [&] {
                QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(table)->child(0);
                if (!cell || !cell->actionInterface()) return true; // the checks below fail
                tickName = cell->text(QAccessible::Name);
                tickRole = cell->role();
                const bool before = cell->state().checked;
                cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
                tickedByReader = tick(0) != before;
                const QRect last = table->visualRect(table->model()->index(1, 2));
                click(table->viewport(), QPoint(last.center().x(), last.bottom() + 10));
                return true;
            },
            [&] {
                afterBelow = cellColour(table, 1);
                click(widget("button_ProfileWindowCancel"));
                return true;
            }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_NE(highlighted, plain) << "a clicked row is highlighted";
    EXPECT_EQ(afterDown, plain) << "Down leaves the first row";
    EXPECT_EQ(row1AfterDown, highlighted) << "and highlights the second";
    EXPECT_EQ(afterBelow, plain) << "a click below the rows takes the highlight away";
    EXPECT_TRUE(tickedBySpace);
    EXPECT_EQ(tickRole, QAccessible::CheckBox);
    EXPECT_EQ(tickName.toStdString(), "Show in Menus: ONE.ICC");
    EXPECT_TRUE(tickedByReader);
}

// Alt and a letter reach every labelled control; no two controls shown together share a letter.
TEST(Window, EveryLabelledControlHasItsOwnMnemonic)
{
    SetUpPerson();
    std::map<std::string, std::vector<std::string>> missing, shared;
    auto check = [&](const char* where, QWidget* top) {
        std::map<QChar, std::string> letters;
        for (QWidget* shown : top->findChildren<QWidget*>()) {
            if (!shown->isVisible()) continue;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(shown); label && label->buddy()) text = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(shown)) text = button->text();
            if (text.isEmpty() || qobject_cast<QTabBar*>(shown->parentWidget())) continue;
            const QString name = shown->objectName();
            const qsizetype at = text.indexOf(QRegularExpression("&[^&]"));
            if (at < 0) {
                missing[where].push_back(name.toStdString());
                continue;
            }
            const QChar letter = text[at + 1].toLower();
            if (letters.count(letter)) shared[where].push_back(letters[letter] + " " + name.toStdString());
            letters[letter] = name.toStdString();
        }
        return true;
    };
    std::vector<Step> steps = {panelShown(), [&] { return check("main view", printWindow()); }};
    steps = steps + toAdvancedView() + std::vector<Step>{[&] { return check("advanced view", printWindow()); }};
    steps = steps +
        std::vector<Step>{[] {
                              click(widget("button_ManageProfile"));
                              return true;
                          },
            [] { return profileWindow() != nullptr; }, [&] { return check("profile window", profileWindow()); },
            [] {
                click(widget("button_ProfileWindowCancel"));
                return true;
            }};
    Outcome outcome = runPerson({}, steps);
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
    EXPECT_TRUE(shared.empty()) << ::testing::PrintToString(shared);
}

} // namespace
