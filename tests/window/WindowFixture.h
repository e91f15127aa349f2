// SPDX-License-Identifier: Apache-2.0
// The profile management window of a loaded panel, its widgets, and profile lists to start from.
#pragma once

#include "controls/TLTextField.h"
#include "profiles/ProfileControl.h"
#include "profiles/store/ProfileList.h"
#include "support/PanelHarness.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TableView.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace windowtest {

using tlco::ProfileItem;
using tlco::ProfileList;

inline constexpr const char* kUSB = "usb://TESSALUMA/zq4410";
inline constexpr const char* kLPD = "lpd://192.0.2.10/queue";
inline constexpr const char* kIPP = "ipp://192.0.2.10/ipp/print";

ProfileItem profile(int32_t state, const std::string& fileName, const std::string& profileName = "",
    int32_t location = tlco::kLocationDisk, int32_t index = 1);
std::unique_ptr<ProfileList> makeList(std::initializer_list<ProfileItem> items = {});
// Writes the three lists to the profile list file (asserts success).
void writeLists(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst);
void writeRGB(std::initializer_list<ProfileItem> items);
// One list as the file holds it now; an empty list when it can't be read.
std::unique_ptr<ProfileList> readList(int listIndex);
std::optional<std::string> profileFileBytes();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the panel for a printer with this device URI (without fetching its profiles).
    void load(const std::string& deviceURI = kUSB);
    // Prepares the window for an opening, as opening it does, without a modal run.
    void open() { control->initWithProfileControl(); }
    // Opens the window with Manage Profile; each step is one user event of the modal run.
    void runWindow(std::vector<std::function<void()>> steps);

    // A row's shown value: text, or "0"/"1" for the tick box.
    std::string cell(int row, const char* column);
    std::vector<std::string> column(const char* column);
    int rows() { return table->numberOfRows(); }
    int32_t mode() const { return control->editMode(); }
    // The nine controls of the edit area, in a fixed order.
    std::vector<ui::View*> editArea() const;
    // Enabled states: list selector, Add, Edit, Delete.
    std::vector<bool> buttons() const;
    std::string disk() const;
    std::string card() const;

    std::unique_ptr<testpanel::Harness> harness;
    tlco::ProfileControl* control = nullptr;
    ui::Window* window = nullptr;
    ui::TableView* table = nullptr;
    ui::PopUpButton* selector = nullptr;
    ui::PopUpButton* location = nullptr;
    tlco::TLTextField* fileName = nullptr;
    tlco::TLTextField* profileName = nullptr;
    ui::Label* fileNameLabel = nullptr;
    ui::Label* profileNameLabel = nullptr;
    ui::Label* locationLabel = nullptr;
    ui::Button* add = nullptr;
    ui::Button* edit = nullptr;
    ui::Button* remove = nullptr;
    ui::Button* browse = nullptr;
    ui::Button* localOK = nullptr;
    ui::Button* localCancel = nullptr;
    ui::Button* windowOK = nullptr;
    ui::Button* windowCancel = nullptr;
    ui::Button* manageProfile = nullptr;
};

} // namespace windowtest
