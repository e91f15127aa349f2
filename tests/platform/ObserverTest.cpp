// SPDX-License-Identifier: Apache-2.0
// The widget model tells its one observer of every visible change, and only of real changes.
#include "ui/Observer.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/OpenPanel.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

struct Recorder : ui::Observer {
    Recorder() { ui::setObserver(this); }
    ~Recorder() override { ui::setObserver(nullptr); }
    void changed(ui::Object& object, ui::Change what) override { heard.emplace_back(&object, what); }
    std::vector<std::pair<ui::Object*, ui::Change>> heard;
};

struct Rows : ui::TableDataSource {
    int numberOfRowsInTableView(ui::TableView&) override { return 3; }
    cf::Ref tableViewObjectValueForTableColumn(ui::TableView&, ui::TableColumn&, int) override { return {}; }
};

using C = ui::Change;

TEST(Observer, HearsEachVisibleChangeOnce)
{
    ui::View parent;
    ui::CheckBox box;
    ui::PopUpButton popUp;
    ui::TabView tabs;
    ui::View page;
    ui::TableView table;
    Rows rows;
    table.setDataSource(&rows);
    ui::TextField field;
    ui::Window window;
    struct Case {
        const char* name;
        std::function<void()> act;
        std::vector<std::pair<ui::Object*, ui::Change>> expected;
    };
    const std::vector<Case> cases = {
        {"title", [&] { box.setTitle("Gray"); }, {{&box, C::Text}}},
        {"same title again", [&] { box.setTitle("Gray"); }, {}},
        {"click", [&] { box.userClick(); }, {{&box, C::State}}},
        {"disable", [&] { box.setEnabled(false); }, {{&box, C::Enabled}}},
        {"hide", [&] { box.setHidden(true); }, {{&box, C::Hidden}}},
        {"frame", [&] { box.setFrame(ui::makeRect(1, 2, 3, 4)); }, {{&box, C::Frame}}},
        {"add subview", [&] { parent.addSubview(&box); }, {{&parent, C::Subviews}}},
        {"remove subview", [&] { box.removeFromSuperview(); }, {{&parent, C::Subviews}}},
        {"items", [&] { popUp.addItemWithTitle("A"); }, {{&popUp, C::Items}}},
        {"pick",
            [&] {
                popUp.addItemWithTitle("B");
                popUp.userSelectItem(1);
            },
            {{&popUp, C::Items}, {&popUp, C::Selection}}},
        {"tab page",
            [&] {
                tabs.addTabViewItem({"One", &page});
            },
            {{&tabs, C::Items}, {&tabs, C::Selection}, {&tabs, C::Subviews}}},
        {"reload", [&] { table.reloadData(); }, {{&table, C::TableData}}},
        {"row", [&] { table.userClickRow(2); }, {{&table, C::TableSelection}}},
        {"type", [&] { field.userType("x"); },
            {{&field, C::FirstResponder}, {&field, C::Text}, {&field, C::InsertionPoint}}},
        {"backspace", [&] { field.userDelete(false); },
            {{&field, C::InsertionPoint}, {&field, C::Text}, {&field, C::InsertionPoint}}},
        {"end editing", [&] { field.endEditing(); }, {{&field, C::FirstResponder}}},
        {"window",
            [&] {
                window.setTitle("Profile");
                window.orderFront();
                window.close();
            },
            {{&window, C::Text}, {&window, C::WindowShown}, {&window, C::WindowClosed}}},
    };
    Recorder recorder;
    for (const auto& c : cases) {
        recorder.heard.clear();
        c.act();
        EXPECT_EQ(recorder.heard, c.expected) << c.name;
    }
}

TEST(Observer, ModalRunsStartAndStopAndAPluggedLoopWaitsForStop)
{
    ui::Window window;
    auto& app = ui::Application::shared();
    Recorder recorder;
    int turns = 0;
    app.setModalLoop([&](ui::Window&, const std::function<bool()>& stopped) {
        while (!stopped() && turns < 5)
            if (++turns == 3) app.stopModalWithCode(7);
        return true;
    });
    EXPECT_EQ(app.runModalForWindow(window), 7);
    EXPECT_EQ(turns, 3);
    app.setModalLoop({});
    EXPECT_EQ(recorder.heard.front(), std::make_pair(static_cast<ui::Object*>(&window), C::WindowShown));
    EXPECT_EQ(recorder.heard[1].second, C::ModalStart);
    EXPECT_EQ(recorder.heard.back().second, C::ModalStop);
    // Without a loop and without events nothing can answer: the run aborts.
    EXPECT_EQ(app.runModalForWindow(window), ui::NSModalResponseAbort);
}

} // namespace
