// SPDX-License-Identifier: Apache-2.0
// The preset pop-up and its two actions.
#include "host/gui/PresetChooser.h"

#include "host/Presets.h"
#include "host/Translate.h"

#include <QInputDialog>

namespace host {
namespace {

enum Role { kPreset, kSave, kMakeDefault };
constexpr int kRoleData = Qt::UserRole + 1;

QString tq(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

PresetChooser::PresetChooser()
{
    setObjectName("presetChooser");
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    askName = [this] {
        bool ok = false;
        const QString name = QInputDialog::getText(this, tq(host::tr("Save Current Settings as Preset...")),
            tq(host::tr("Preset Name:")), QLineEdit::Normal, QString(), &ok);
        return ok ? name.trimmed().toStdString() : std::string();
    };
    connect(this, &QComboBox::activated, this, [this](int index) { activate(index); });
}

void PresetChooser::setPresets(const std::vector<std::string>& instances, const std::string& current, bool queue)
{
    clear();
    addItem(tq(host::tr(kDefaultPreset)), QString());
    setItemData(0, kPreset, kRoleData);
    current_ = 0;
    for (const std::string& instance : instances) {
        addItem(tq(instance), tq(instance));
        setItemData(count() - 1, kPreset, kRoleData);
        if (instance == current) current_ = count() - 1;
    }
    if (queue) {
        insertSeparator(count());
        addItem(tq(host::tr("Save Current Settings as Preset...")));
        setItemData(count() - 1, kSave, kRoleData);
        addItem(tq(host::tr("Use as Default for All Applications")));
        setItemData(count() - 1, kMakeDefault, kRoleData);
    }
    setCurrentIndex(current_);
}

void PresetChooser::activate(int index)
{
    const int role = itemData(index, kRoleData).toInt();
    if (role == kPreset) {
        if (index != current_ && onPreset) onPreset(itemData(index).toString().toStdString());
        return;
    }
    // The actions are not presets: the one in use stays shown.
    setCurrentIndex(current_);
    if (role == kMakeDefault && onMakeDefault) return onMakeDefault();
    if (role != kSave || !askName) return;
    const std::string name = askName();
    if (!name.empty() && onSave) onSave(name);
}

} // namespace host
