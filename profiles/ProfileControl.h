// SPDX-License-Identifier: Apache-2.0
// The profile management window's controller: shows one of the three profile lists as a table,
// edits copies of them, and writes them back on OK.
#pragma once

#include "binding/ControlRecord.h"
#include "controls/TLTextField.h"
#include "print/PMCalls.h"
#include "profiles/ProfileWindowOwner.h"
#include "profiles/WorkingLists.h"
#include "profiles/store/TLPList.h"
#include "ui/Box.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PopUpButton.h"
#include "ui/TableView.h"
#include "ui/Window.h"

#include <functional>
#include <string>

namespace tlco {

inline constexpr const char* kProfileIconPath = "/Library/Printers/TESSALUMA/zq4410/Icons/fileExist4410.icns";
inline constexpr const char* kProfileFolderPath = "/Library/Printers/TESSALUMA/zq4410/Profiles";

class ProfileControl : public ui::Object, public ui::TableDataSource, public ui::TableDelegate {
    UI_DECLARE_CLASS()

public:
    void setPMPrint(PMPrintSettings ticket, PMPrintSession printSession)
    {
        setting = ticket;
        session = printSession;
    }
    // What OK runs last, over the panel's controls: the panel's constraints.
    void setConstraints(std::function<void()> run) { constraints_ = std::move(run); }

    void showProfileManagementWindow(ui::Object* sender);
    void profileMenu(ui::Object* sender);
    void addButton(ui::Object* sender);
    void editButton(ui::Object* sender);
    void deleteButton(ui::Object* sender);
    void browseButton(ui::Object* sender);
    void profileOK(ui::Object* sender);
    void profileCancel(ui::Object* sender);
    void profileWindowOK(ui::Object* sender);
    void profileWindowCancel(ui::Object* sender);

    int numberOfRowsInTableView(ui::TableView& table) override;
    cf::Ref tableViewObjectValueForTableColumn(ui::TableView& table, ui::TableColumn& column, int row) override;
    void tableViewSetObjectValue(ui::TableView& table, const cf::Ref& value, ui::TableColumn& column, int row) override;
    bool selectionShouldChangeInTableView(ui::TableView& table) override;
    bool tableViewShouldSelectRow(ui::TableView& table, int row) override;
    void tableViewSelectionDidChange(ui::TableView& table) override;

    void initWithProfileControl();
    ProfileList* currentProfileDict();
    bool isCustomProfile();
    void vHandlingButtonSetDisable(bool add, bool edit, bool remove);
    void vProfileSettingsClearEditText();
    void vProfileSettingsAllDisablePart();
    void vProfileSettingsAllEnablePart();

    ui::Window* window() const { return _profileManagementWindow; }
    int32_t editMode() const { return buttonIdentify; }

private:
    // The deletion record of the current list; null without one.
    ProfileList* currentDeleteDict();
    // The selected row's item of the current list; null without one.
    ProfileItem* selectedItem();
    // True for a printer connected over AppleTalk or USB.
    bool isDirectConnection() const;
    // Keeps a copy of item in the deletion record of the current list, while it has room.
    void recordDeletion(const ProfileItem& item);
    // While the edit area is open, Return and Escape press its OK and Cancel, else the window's.
    void giveKeysToEditArea(bool editing);
    // Moves the keyboard into the first field a person can type in.
    void focusFirstField();
    // Enables or disables the edit area's nine controls (labels, fields, location, Browse, Cancel, OK).
    void setEditAreaEnabled(bool enabled);
    // Sets a name field's text by program, as the text the field reverts to.
    static void setEditText(TLTextField* field, const std::string& text);
    // Says in the window, and to the dialog, why OK could not save the lists.
    void showSaveFailure(const std::string& reason);

    PMPrintSettings setting = nullptr;
    PMPrintSession session = nullptr;
    int16_t protocolType = -1;
    std::function<void()> constraints_;
    ui::Window* _profileManagementWindow = nullptr;
    ProfileWindowOwner* onAdvancedView = nullptr;
    ui::Button* _addButton = nullptr;
    ui::Button* _browse = nullptr;
    ui::Button* _deleteButton = nullptr;
    ui::Button* _editButton = nullptr;
    ui::Box* _editGroupBox = nullptr;
    TLTextField* _fileNameEdit = nullptr;
    ui::Label* _fileNameText = nullptr;
    ui::Button* _localCancel = nullptr;
    ui::Button* _localOK = nullptr;
    ui::PopUpButton* _locationMenu = nullptr;
    ui::Label* _locationText = nullptr;
    TLTextField* _profileNameEdit = nullptr;
    ui::Label* _profileNameText = nullptr;
    ui::TableView* _profileTableView = nullptr;
    ui::PopUpButton* _profileMenu = nullptr;
    ui::Label* _saveErrorText = nullptr;
    int32_t buttonIdentify = 0;
    // The window's own buttons for Return and Escape (found by their key equivalents).
    ui::Button* windowDefault_ = nullptr;
    ui::Button* windowCancel_ = nullptr;
    WorkingLists lists_;
};

} // namespace tlco
