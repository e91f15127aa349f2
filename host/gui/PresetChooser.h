// SPDX-License-Identifier: Apache-2.0
// The presets above the panes: "Default Settings", each lpoptions instance of the queue, "Save
// Current Settings as Preset..." and "Use as Default for All Applications".
#pragma once

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

namespace host {

class PresetChooser final : public QComboBox {
public:
    PresetChooser();

    // The queue's instances and the one in use (empty: Default Settings); without a queue there is
    // nothing to save to, and the two actions are not offered.
    void setPresets(const std::vector<std::string>& instances, const std::string& current, bool queue);

    // A preset was chosen ("": Default Settings).
    std::function<void(const std::string& instance)> onPreset;
    // The name a person gave for the settings to be saved as.
    std::function<void(const std::string& name)> onSave;
    std::function<void()> onMakeDefault;
    // Asks for a preset's name (a dialog by default; tests answer it themselves). Empty: cancelled.
    std::function<std::string()> askName;

private:
    void activate(int index);

    int current_ = 0;
};

} // namespace host
