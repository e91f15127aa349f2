// SPDX-License-Identifier: Apache-2.0
// The widgets of one pane and how they follow the model.
#include "host/gui/PaneForm.h"

#include "host/Translate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace host {
namespace {

QString tq(const std::string& text)
{
    return QString::fromStdString(text);
}

// When a job prints: a choice of these, or a time typed beside them.
constexpr std::pair<const char*, const char*> kHoldChoices[] = {{"no-hold", "Now"}, {"indefinite", "Indefinitely"},
    {"", "At a Time (UTC)"}, {"day-time", "During the Day"}, {"evening", "In the Evening"}, {"night", "At Night"},
    {"second-shift", "Second Shift"}, {"third-shift", "Third Shift"}, {"weekend", "On the Weekend"}};
constexpr int kAtTime = 2;

void showChoices(QComboBox& box, const PaneOption& option)
{
    auto* model = qobject_cast<QStandardItemModel*>(box.model());
    for (int i = 0; i < box.count() && i < static_cast<int>(option.choices.size()); ++i) {
        const PaneChoice& choice = option.choices[static_cast<size_t>(i)];
        if (model) model->item(i)->setEnabled(choice.available);
        if (choice.value == option.value) box.setCurrentIndex(i);
    }
}

void showHold(QWidget& field, const std::string& value)
{
    auto* box = field.findChild<QComboBox*>();
    auto* time = field.findChild<QLineEdit*>();
    int index = kAtTime;
    for (int i = 0; i < static_cast<int>(std::size(kHoldChoices)); ++i)
        if (value == kHoldChoices[i].first) index = i;
    box->setCurrentIndex(index);
    time->setEnabled(index == kAtTime);
    if (index == kAtTime) time->setText(tq(value));
}

} // namespace

PaneForm::PaneForm(const std::string& pane, const std::vector<PaneOption>& options, Choose choose)
    : choose_(std::move(choose))
{
    setObjectName(tq("pane:" + pane));
    auto* layout = new QVBoxLayout(this);
    std::map<std::string, QFormLayout*> groups;
    QFormLayout* plain = nullptr;
    for (const PaneOption& option : options) {
        if (option.pane != pane) continue;
        QFormLayout*& form = option.group.empty() ? plain : groups[option.group];
        if (!form) {
            form = new QFormLayout;
            if (option.group.empty()) {
                layout->addLayout(form);
            } else {
                auto* box = new QGroupBox(tq(option.group));
                box->setLayout(form);
                layout->addWidget(box);
            }
        }
        QWidget* row = rowFor(option);
        if (option.kind == PaneOption::Kind::Toggle)
            form->addRow(QString(), row);
        else
            form->addRow(tq(option.title + ":"), row);
    }
    layout->addStretch(1);
    sync(options);
}

QWidget* PaneForm::rowFor(const PaneOption& option)
{
    QWidget* field = nullptr;
    switch (option.kind) {
    case PaneOption::Kind::Choice:
        field = choiceBox(option);
        break;
    case PaneOption::Kind::Toggle: {
        auto* box = new QCheckBox(tq(option.title));
        connect(
            box, &QCheckBox::clicked, this, [this, name = option.name](bool on) { take(name, on ? "true" : "false"); });
        field = box;
        break;
    }
    case PaneOption::Kind::Number: {
        auto* spin = new QSpinBox;
        spin->setRange(option.minimum, option.maximum);
        connect(spin, &QSpinBox::valueChanged, this,
            [this, name = option.name](int value) { take(name, std::to_string(value)); });
        field = spin;
        break;
    }
    case PaneOption::Kind::Text:
        field = option.name == "job-hold-until" ? holdField(option) : textField(option);
        break;
    }
    field->setObjectName(tq("pane_" + option.name));
    fields_[option.name] = field;
    if (!notes_.count(option.name)) return field;
    // A text field keeps the reason for a refused text right under it.
    auto* column = new QWidget;
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(field);
    stack->addWidget(notes_[option.name]);
    return column;
}

QWidget* PaneForm::choiceBox(const PaneOption& option)
{
    auto* box = new QComboBox;
    for (const PaneChoice& choice : option.choices) box->addItem(tq(choice.title), tq(choice.value));
    connect(box, &QComboBox::activated, this,
        [this, box, name = option.name](int index) { take(name, box->itemData(index).toString().toStdString()); });
    return box;
}

void PaneForm::addNote(const std::string& name)
{
    auto* note = new QLabel;
    note->setObjectName(tq("pane_" + name + "_note"));
    note->setStyleSheet("color: #b00020");
    note->setWordWrap(true);
    note->hide();
    notes_[name] = note;
}

QWidget* PaneForm::textField(const PaneOption& option)
{
    auto* field = new QLineEdit;
    if (option.name == "page-ranges") field->setPlaceholderText(tq(host::tr("All pages, or e.g. 1-3,7")));
    addNote(option.name);
    connect(field, &QLineEdit::editingFinished, this,
        [this, field, name = option.name] { take(name, field->text().toStdString()); });
    return field;
}

QWidget* PaneForm::holdField(const PaneOption& option)
{
    auto* field = new QWidget;
    auto* row = new QHBoxLayout(field);
    row->setContentsMargins(0, 0, 0, 0);
    auto* box = new QComboBox;
    for (const auto& [value, title] : kHoldChoices) box->addItem(tq(host::tr(title)), tq(std::string(value)));
    auto* time = new QLineEdit;
    time->setPlaceholderText("HH:MM");
    time->setMaximumWidth(90);
    row->addWidget(box);
    row->addWidget(time);
    addNote(option.name);
    const std::string name = option.name;
    connect(box, &QComboBox::activated, this, [this, box, time, name](int index) {
        time->setEnabled(index == kAtTime);
        if (index == kAtTime) return time->setFocus();
        take(name, box->itemData(index).toString().toStdString());
    });
    connect(time, &QLineEdit::editingFinished, this, [this, time, name] {
        if (time->isEnabled() && !time->text().isEmpty()) take(name, time->text().toStdString());
    });
    return field;
}

void PaneForm::take(const std::string& name, const std::string& value)
{
    std::string reason;
    const bool taken = choose_ && choose_(name, value, &reason);
    if (auto note = notes_.find(name); note != notes_.end()) {
        note->second->setText(taken ? QString() : tq(reason));
        note->second->setVisible(!taken);
    }
}

std::string PaneForm::refusal() const
{
    for (const auto& [name, note] : notes_)
        if (!note->text().isEmpty()) return note->text().toStdString();
    return {};
}

void PaneForm::sync(const std::vector<PaneOption>& options)
{
    for (const PaneOption& option : options) {
        auto found = fields_.find(option.name);
        if (found == fields_.end()) continue;
        QWidget* field = found->second;
        const QSignalBlocker quiet(field);
        field->setEnabled(option.enabled);
        if (auto* box = qobject_cast<QComboBox*>(field)) showChoices(*box, option);
        if (auto* check = qobject_cast<QCheckBox*>(field)) check->setChecked(option.value == "true");
        if (auto* spin = qobject_cast<QSpinBox*>(field)) spin->setValue(std::stoi(option.value));
        if (option.name == "job-hold-until") showHold(*field, option.value);
        auto* line = qobject_cast<QLineEdit*>(field);
        if (line && !(notes_.count(option.name) && notes_[option.name]->isVisible())) line->setText(tq(option.value));
    }
}

} // namespace host
