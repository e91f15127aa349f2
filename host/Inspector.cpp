// SPDX-License-Identifier: Apache-2.0
// State as JSON and as text.
#include "host/Inspector.h"

#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Number.h"
#include "host/Presets.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/Window.h"

#include <sstream>

namespace host {
namespace {

const char* kindOf(const ui::Object* object)
{
    if (dynamic_cast<const ui::PopUpButton*>(object)) return "PopUpButton";
    if (dynamic_cast<const ui::CheckBox*>(object)) return "CheckBox";
    if (dynamic_cast<const ui::Button*>(object)) return "Button";
    if (dynamic_cast<const ui::Label*>(object)) return "Label";
    if (dynamic_cast<const ui::TabView*>(object)) return "TabView";
    if (dynamic_cast<const ui::TextField*>(object)) return "TextField";
    if (dynamic_cast<const ui::TableView*>(object)) return "TableView";
    return nullptr;
}

nlohmann::json tableRows(ui::TableView& table)
{
    nlohmann::json rows = nlohmann::json::array();
    ui::TableDataSource* source = table.dataSource();
    if (!source) return rows;
    int count = source->numberOfRowsInTableView(table);
    for (int row = 0; row < count; ++row) {
        nlohmann::json shown = nlohmann::json::object();
        for (const auto& column : table.tableColumns()) {
            nlohmann::json value = valueToJson(source->tableViewObjectValueForTableColumn(table, *column, row));
            if (column->identifier() == "icon" && column->dataCell()->image())
                value = column->dataCell()->image()->path;
            shown[column->identifier()] = value.is_null() ? nlohmann::json("") : value;
        }
        rows.push_back(shown);
    }
    return rows;
}

nlohmann::json controlToJson(ui::Object* object, const char* kind)
{
    nlohmann::json control = {{"class", kind}};
    if (auto* view = dynamic_cast<ui::View*>(object)) control["enabled"] = view->isEnabled();
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(object)) {
        nlohmann::json items = nlohmann::json::array();
        for (const auto& item : popUp->items()) items.push_back(item.title);
        control["items"] = items;
        control["selected"] = popUp->indexOfSelectedItem();
    } else if (auto* button = dynamic_cast<ui::Button*>(object)) {
        control["title"] = button->title();
        if (button->isSwitch()) control["state"] = button->state();
    } else if (auto* label = dynamic_cast<ui::Label*>(object)) {
        control["text"] = label->stringValue();
    } else if (auto* tabs = dynamic_cast<ui::TabView*>(object)) {
        nlohmann::json items = nlohmann::json::array();
        for (const auto& item : tabs->items()) items.push_back(item.label);
        control["items"] = items;
        control["tab"] = tabs->indexOfSelectedTabViewItem();
    } else if (auto* field = dynamic_cast<ui::TextField*>(object)) {
        control["text"] = field->stringValue();
    } else if (auto* table = dynamic_cast<ui::TableView*>(object)) {
        control["rows"] = tableRows(*table);
        control["selectedRow"] = table->selectedRow();
    }
    return control;
}

// "main", "advanced", or null: which option view the panel shows now.
nlohmann::json shownView(Dialog& dialog)
{
    ui::Nib* nib = dialog.nib();
    if (!nib) return nullptr;
    for (const auto& [id, name] : {std::pair{"onColorView", "main"}, std::pair{"onAdvancedView", "advanced"}}) {
        auto* view = dynamic_cast<ui::View*>(nib->object(id));
        auto* top = dynamic_cast<ui::View*>(nib->object("pdeMainView"));
        if (view && top && view != top && view->isDescendantOf(top)) return name;
    }
    return nullptr;
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

void renderControl(std::ostringstream& out, ui::Object* object)
{
    const char* kind = kindOf(object);
    if (!kind) return;
    out << "  " << object->identifier() << ": ";
    if (auto* popUp = dynamic_cast<ui::PopUpButton*>(object)) {
        out << "pop-up ";
        for (int i = 0; i < popUp->numberOfItems(); ++i) {
            if (i) out << " | ";
            out << (i == popUp->indexOfSelectedItem() ? "[" + popUp->itemTitleAtIndex(i) + "]"
                                                      : popUp->itemTitleAtIndex(i));
        }
    } else if (auto* box = dynamic_cast<ui::CheckBox*>(object)) {
        out << "check box " << (box->state() ? "[x] " : "[ ] ") << box->title();
    } else if (auto* button = dynamic_cast<ui::Button*>(object)) {
        out << "button <" << button->title() << ">";
    } else if (auto* label = dynamic_cast<ui::Label*>(object)) {
        out << "label " << quoted(label->stringValue());
    } else if (auto* tabs = dynamic_cast<ui::TabView*>(object)) {
        out << "tabs ";
        for (int i = 0; i < tabs->numberOfTabViewItems(); ++i) {
            if (i) out << " | ";
            const std::string& title = tabs->items()[static_cast<size_t>(i)].label;
            out << (i == tabs->indexOfSelectedTabViewItem() ? "[" + title + "]" : title);
        }
    } else if (auto* field = dynamic_cast<ui::TextField*>(object)) {
        out << "text field " << quoted(field->stringValue());
    } else if (dynamic_cast<ui::TableView*>(object)) {
        out << "table";
    }
    if (auto* view = dynamic_cast<ui::View*>(object); view && !view->isEnabled()) out << "  (disabled)";
    out << "\n";
}

void renderTree(std::ostringstream& out, ui::View* view)
{
    for (ui::View* child : view->subviews()) {
        renderControl(out, child);
        renderTree(out, child);
    }
}

} // namespace

nlohmann::json valueToJson(const cf::Ref& value)
{
    if (!value) return nullptr;
    switch (value->typeID()) {
    case cf::TypeID::String:
        return cf::as<cf::String>(value)->utf8();
    case cf::TypeID::Number: {
        auto number = cf::as<cf::Number>(value);
        if (number->isReal()) return number->doubleValue();
        return number->int64Value();
    }
    case cf::TypeID::Boolean:
        return cf::as<cf::Boolean>(value)->value();
    case cf::TypeID::Data:
        return cf::as<cf::Data>(value)->bytes();
    case cf::TypeID::Array: {
        nlohmann::json array = nlohmann::json::array();
        for (const auto& item : cf::as<cf::Array>(value)->items()) array.push_back(valueToJson(item));
        return array;
    }
    case cf::TypeID::Dictionary: {
        nlohmann::json object = nlohmann::json::object();
        for (const auto& [key, item] : cf::as<cf::Dictionary>(value)->stringEntries()) object[key] = valueToJson(item);
        return object;
    }
    }
    return nullptr;
}

nlohmann::json summaryToJson(const cf::DictionaryRef& summary)
{
    nlohmann::json order = nlohmann::json::array();
    nlohmann::json values = nlohmann::json::object();
    if (summary) {
        if (auto list = cf::as<cf::Array>(summary->get("Summary Display Order"))) order = valueToJson(list);
        for (const auto& [key, value] : summary->stringEntries())
            if (key != "Summary Display Order") values[key] = valueToJson(value);
    }
    return {{"order", order}, {"values", values}};
}

nlohmann::json stateToJson(Dialog& dialog)
{
    nlohmann::json controls = nlohmann::json::object();
    nlohmann::json window = {{"open", false}, {"title", ""}, {"mode", 0}};
    if (ui::Nib* nib = dialog.nib()) {
        for (const auto& object : nib->objects()) {
            if (const char* kind = kindOf(object.get()))
                controls[object->identifier()] = controlToJson(object.get(), kind);
            if (auto* w = dynamic_cast<ui::Window*>(object.get())) {
                window["open"] = w->isVisible();
                window["title"] = w->title();
            }
            if (const auto* getter = object->classInfo().findGetter("editMode")) window["mode"] = (*getter)(*object);
        }
    }
    return {{"shownView", shownView(dialog)}, {"window", window}, {"controls", controls},
        {"ticket", valueToJson(dialog.ticket().values())}, {"dialog", panesToJson(dialog)}};
}

nlohmann::json panesToJson(Dialog& dialog)
{
    if (dialog.isTerminated() && !dialog.panesBuilt()) return nullptr;
    nlohmann::json options = nlohmann::json::object();
    for (const PaneOption& option : dialog.panes().options()) {
        nlohmann::json choices = nullptr;
        if (!option.freeForm()) {
            choices = nlohmann::json::array();
            for (const PaneChoice& choice : option.choices)
                if (choice.available) choices.push_back(choice.value);
        }
        options[option.name] = {{"value", option.value}, {"choices", choices}, {"enabled", option.enabled}};
    }
    const std::string& instance = dialog.printer().instance;
    return {{"pane", dialog.shownPane()}, {"panes", dialog.paneNames()},
        {"preset", instance.empty() ? std::string(kDefaultPreset) : instance}, {"options", options}};
}

std::string renderPanel(Dialog& dialog)
{
    std::ostringstream out;
    nlohmann::json shown = shownView(dialog);
    out << dialog.panel().panelName() << " (" << (shown.is_string() ? shown.get<std::string>() : "no") << " view)\n";
    ui::Nib* nib = dialog.nib();
    if (nib && shown.is_string()) {
        auto* view = dynamic_cast<ui::View*>(nib->object(shown == "main" ? "onColorView" : "onAdvancedView"));
        if (view) renderTree(out, view);
    }
    if (dialog.isTerminated() && !dialog.panesBuilt()) return out.str();
    // The dialog's own panes, one line each: NAME=VALUE of its options, a disabled one in brackets.
    const std::vector<PaneOption>& options = dialog.panes().options();
    for (const std::string& pane : dialog.panes().paneNames()) {
        out << pane << ":";
        for (const PaneOption& option : options)
            if (option.pane == pane)
                out << " " << (option.enabled ? "" : "(") << option.name << "=" << option.value
                    << (option.enabled ? "" : ")");
        out << "\n";
    }
    return out.str();
}

std::string renderSummary(const cf::DictionaryRef& summary)
{
    std::ostringstream out;
    out << "Summary:\n";
    nlohmann::json lines = summaryToJson(summary);
    for (const auto& title : lines["order"]) {
        std::string key = title.is_string() ? title.get<std::string>() : title.dump();
        const nlohmann::json& value = lines["values"].contains(key) ? lines["values"][key] : nlohmann::json("");
        out << "  " << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
    }
    return out.str();
}

} // namespace host
