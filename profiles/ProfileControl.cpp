// SPDX-License-Identifier: Apache-2.0
// The profile management window's controller: edits working copies of the three profile lists in
// a table and an edit area, and writes them to the profile list file on the window's OK.
#include "profiles/ProfileControl.h"

#include "base/ClassName.h"
#include "base/Localize.h"
#include "base/PrinterProtocol.h"
#include "base/Status.h"
#include "binding/PDECommon.h"
#include "cf/File.h"
#include "cf/Number.h"
#include "cf/String.h"
#include "cf/Utf8.h"
#include "controls/KeyFilter.h"
#include "profiles/IconedCell.h"
#include "profiles/store/TLPList.h"
#include "services/FixedPaths.h"
#include "services/Warning.h"
#include "ui/Application.h"
#include "ui/OpenPanel.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace tlco {
namespace {

constexpr int32_t kModeIdle = 0;
constexpr int32_t kModeAdding = 1;
constexpr int32_t kModeEditing = 2;

constexpr int16_t kFileNameLength = 12;
constexpr int16_t kFileNameExtension = 3;
constexpr int16_t kProfileNameLength = 30;
// Slots of profiles the user registers are numbered after the printer's own table.
constexpr int32_t kUserIndexBase = 500;
constexpr int32_t kUserProfileClass = 2;
constexpr int32_t kUserDriver = 3;

const ui::Font kCellFont{"system", 12};
const ui::Font kTableFont{"user", 9};

bool isPrinterProfile(int32_t state)
{
    return state >= kStatePrinterUnconfirmed && state <= kStatePrinterPresentShown;
}

// At most the 31 bytes a name field holds, never ending inside a UTF-8 sequence.
std::string_view boundedName(std::string_view text)
{
    return text.substr(0, cf::utf8::boundaryAtOrBefore(text, static_cast<size_t>(kProfileNameSize - 1)));
}

// A name field as the edit fields show it: empty when the bytes are no text.
std::string editableText(const char (&field)[kProfileNameSize])
{
    return std::string(storableText(fieldText(field)).value_or(""));
}

std::string locationWord(int32_t location)
{
    if (location == kLocationDisk) return localizedString("Disk").value_or("Disk");
    if (location == kLocationCard) return localizedString("Card").value_or("Card");
    return {};
}

// A fixed path of the original platform, as this system keeps it in the bundle.
std::string localPath(const char* fixedPath)
{
    return pluginBundle ? svc::FixedPaths::resolve(fixedPath, *pluginBundle) : std::string(fixedPath);
}

// The icon marking profiles present on the printer; none when the file is missing or no image.
std::shared_ptr<ui::Image> loadIcon()
{
    static constexpr char kPngSignature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    const std::string path = localPath(kProfileIconPath);
    std::ifstream in(path, std::ios::binary);
    char magic[sizeof kPngSignature] = {};
    if (!in.read(magic, sizeof magic) || std::memcmp(magic, kPngSignature, sizeof magic) != 0) return nullptr;
    auto image = std::make_shared<ui::Image>();
    image->path = path;
    return image;
}

void enable(ui::View* view, bool enabled)
{
    if (view) view->setEnabled(enabled);
}

} // namespace

const ui::ClassInfo& ProfileControl::staticClassInfo()
{
    using P = ProfileControl;
    static const ui::ClassInfo info =
        ui::ClassBuilder<P>(registeredName("ProfileControl"), nullptr)
            .outlet("_profileManagementWindow", &P::_profileManagementWindow)
            .outlet("onAdvancedView", &P::onAdvancedView)
            .outlet("_addButton", &P::_addButton)
            .outlet("_browse", &P::_browse)
            .outlet("_deleteButton", &P::_deleteButton)
            .outlet("_editButton", &P::_editButton)
            .outlet("_editGroupBox", &P::_editGroupBox)
            .outlet("_fileNameEdit", &P::_fileNameEdit)
            .outlet("_fileNameText", &P::_fileNameText)
            .outlet("_localCancel", &P::_localCancel)
            .outlet("_localOK", &P::_localOK)
            .outlet("_locationMenu", &P::_locationMenu)
            .outlet("_locationText", &P::_locationText)
            .outlet("_profileNameEdit", &P::_profileNameEdit)
            .outlet("_profileNameText", &P::_profileNameText)
            .outlet("_profileTableView", &P::_profileTableView)
            .outlet("_profileMenu", &P::_profileMenu)
            .outlet("_saveErrorText", &P::_saveErrorText)
            .action("showProfileManagementWindow", &P::showProfileManagementWindow)
            .action("profileMenu", &P::profileMenu)
            .action("addButton", &P::addButton)
            .action("editButton", &P::editButton)
            .action("deleteButton", &P::deleteButton)
            .action("browseButton", &P::browseButton)
            .action("profileOK", &P::profileOK)
            .action("profileCancel", &P::profileCancel)
            .action("profileWindowOK", &P::profileWindowOK)
            .action("profileWindowCancel", &P::profileWindowCancel)
            .getter("editMode", [](const P& self) { return nlohmann::json(self.buttonIdentify); })
            .build();
    return info;
}

void ProfileControl::showProfileManagementWindow(ui::Object*)
{
    // The window is application-modal: a second opening while it runs would drop the edits.
    if (!_profileManagementWindow || _profileManagementWindow->isVisible()) return;
    initWithProfileControl();
    _profileManagementWindow->setTitle(localizedString("ProfileTitle").value_or("ProfileTitle"));
    int response = ui::Application::shared().runModalForWindow(*_profileManagementWindow);
    // Headless, a run whose events ran out ends without OK or Cancel; the window goes as with Cancel.
    if (response == ui::NSModalResponseAbort) _profileManagementWindow->close();
    _profileManagementWindow->center();
}

void ProfileControl::initWithProfileControl()
{
    buttonIdentify = kModeIdle;
    giveKeysToEditArea(false);
    if (onAdvancedView) onAdvancedView->saveControlsToTicket();
    protocolType = PDECommon::commoniGetProtocol(session);

    auto disk = localizedString("Disk");
    auto card = localizedString("Card");
    if (_locationMenu && disk && card) {
        _locationMenu->removeAllItems();
        _locationMenu->addItemWithTitle(*disk);
        _locationMenu->addItemWithTitle(*card);
    }
    if (_profileTableView) {
        if (ui::TableColumn* icon = _profileTableView->tableColumnWithIdentifier("icon"))
            icon->setDataCell(std::make_shared<IconedCell>());
        for (const char* id : {"filename", "profilename", "location"})
            if (ui::TableColumn* column = _profileTableView->tableColumnWithIdentifier(id))
                column->dataCell()->setFont(kCellFont);
    }
    if (_profileMenu) {
        _profileMenu->setEnabled(true);
        _profileMenu->selectItemAtIndex(kListRGB);
    }
    vProfileSettingsClearEditText();
    if (_fileNameEdit) {
        _fileNameEdit->setMaxLength(kFileNameLength, kFileNameExtension);
        _fileNameEdit->setInputKey(kInputKindFileName);
        _fileNameEdit->setOperateControl(_localOK);
    }
    if (_profileNameEdit) {
        _profileNameEdit->setMaxLength(kProfileNameLength, 0);
        _profileNameEdit->setInputKey(kInputKindAscii);
    }
    vHandlingButtonSetDisable(true, false, false);
    if (_profileTableView) _profileTableView->setFont(kTableFont);
    vProfileSettingsAllDisablePart();

    lists_.clear();
    auto read = isDirectConnection() ? TLPListReadProfile_Dict_Pap : TLPListReadProfile_Dict;
    for (int kind : {kListRGB, kListSIM, kListDST}) read(lists_.edited(kind), kind);
    lists_.keepAsRead();
    if (_saveErrorText) _saveErrorText->setStringValue("");

    if (_profileTableView) {
        _profileTableView->reloadData();
        _profileTableView->deselectAll();
    }
}

void ProfileControl::profileMenu(ui::Object*)
{
    if (_profileTableView) _profileTableView->deselectAll();
    vProfileSettingsClearEditText();
    vHandlingButtonSetDisable(true, false, false);
    if (_profileTableView) _profileTableView->reloadData();
}

void ProfileControl::addButton(ui::Object*)
{
    vProfileSettingsClearEditText();
    enable(_profileMenu, false);
    vHandlingButtonSetDisable(false, false, false);
    vProfileSettingsAllEnablePart();
    enable(_localOK, false); // until the file name is usable
    buttonIdentify = kModeAdding;
    giveKeysToEditArea(true);
    focusFirstField();
}

void ProfileControl::editButton(ui::Object*)
{
    vHandlingButtonSetDisable(false, false, false);
    if (isCustomProfile()) {
        // A profile on the printer keeps its file and place; only its display name is the user's.
        vProfileSettingsAllDisablePart();
        for (ui::View* view :
            std::initializer_list<ui::View*>{_profileNameText, _profileNameEdit, _localCancel, _localOK})
            enable(view, true);
    } else {
        vProfileSettingsAllEnablePart();
    }
    enable(_profileMenu, false);
    buttonIdentify = kModeEditing;
    giveKeysToEditArea(true);
    focusFirstField();
}

void ProfileControl::deleteButton(ui::Object*)
{
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    ProfileList* list = currentProfileDict();
    const int row = _profileTableView ? _profileTableView->selectedRow() : -1;
    const int count = list ? usedItemCount(*list) : 0;
    if (list && row >= 0 && row < count) {
        if (isDirectConnection()) recordDeletion(list->litem[row]);
        std::memmove(static_cast<void*>(&list->litem[row]), &list->litem[row + 1],
            sizeof(ProfileItem) * static_cast<size_t>(count - row - 1));
        std::memset(static_cast<void*>(&list->litem[count - 1]), 0, sizeof(ProfileItem));
        list->iNum = count - 1;
        _profileTableView->reloadData();
    }
    if (_profileTableView && _profileTableView->selectedRow() >= 0) _profileTableView->deselectAll();
}

void ProfileControl::browseButton(ui::Object*)
{
    ui::OpenPanel panel;
    if (panel.runModalForDirectory(localPath(kProfileFolderPath)) != ui::NSModalResponseOK || !panel.filename()) return;
    setEditText(_fileNameEdit, "");
    enable(_localOK, false);

    const std::string name = cf::File::nameOf(*panel.filename());
    if (name.empty()) return;
    const std::u16string units = cf::utf8::toUtf16(name);
    if (units.size() > static_cast<size_t>(kFileNameLength)) return;
    int stops = 0;
    for (size_t index = 0; index < units.size();) {
        size_t next = index + 1;
        const uint32_t character = UCFindComposedCharAtIndex(units.data(), units.size(), index, &next);
        if (!FilterEditTextInputKey(kInputKindFileName, character)) return;
        if (character == u'.' && ++stops > 1) return;
        index = next;
    }
    setEditText(_fileNameEdit, name);
    enable(_localOK, true);
}

void ProfileControl::profileOK(ui::Object*)
{
    ProfileList* list = currentProfileDict();
    if (!list || !_fileNameEdit || !_profileNameEdit) return;
    const std::string_view fileName = boundedName(_fileNameEdit->stringValue());
    if (fileName.empty() || fileName.front() == '.') return;
    const std::string_view profileName = boundedName(_profileNameEdit->stringValue());
    const int locationIndex = _locationMenu ? _locationMenu->indexOfSelectedItem() : 0;
    const int32_t location = locationIndex == 0 ? kLocationDisk : kLocationCard;
    const int selected = _profileTableView ? _profileTableView->selectedRow() : -1;
    const int count = usedItemCount(*list);

    // Already listed at that place: refused without a word, the edit stays open.
    for (int row = 0; row < count; ++row) {
        if (buttonIdentify == kModeEditing && row == selected) continue;
        const ProfileItem& other = list->litem[row];
        if (fieldText(other.FileName) == fileName && other.iLocation == location) return;
    }

    ProfileItem* item = nullptr;
    int slot = -1;
    bool printerProfile = false;
    if (buttonIdentify == kModeAdding) {
        for (int i = 0; i < kProfileListCapacity && slot < 0; ++i)
            if (list->litem[i].iInMenu == kStateEmpty) slot = i;
        if (slot < 0) return;
        item = &list->litem[slot];
    } else if (buttonIdentify == kModeEditing) {
        if (selected < 0 || selected >= count) return;
        item = &list->litem[selected];
        if (isDirectConnection()) recordDeletion(*item);
        printerProfile = isPrinterProfile(item->iInMenu);
    } else {
        return;
    }

    if (!printerProfile) setFieldText(item->FileName, fileName);
    setFieldText(item->ProfileName, profileName);
    if (!printerProfile) item->iLocation = location;
    if (buttonIdentify == kModeAdding) {
        item->iIndexOnDevice = kUserIndexBase + slot;
        item->iInMenu = kStateUserShown;
        item->iProfileClass = kUserProfileClass;
        item->iDriver = kUserDriver;
        list->iNum = std::min(count + 1, kProfileListCapacity);
    }

    vProfileSettingsClearEditText();
    enable(_profileMenu, true);
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    if (_profileTableView) {
        _profileTableView->reloadData();
        _profileTableView->deselectAll();
    }
    buttonIdentify = kModeIdle;
    giveKeysToEditArea(false);
}

void ProfileControl::profileCancel(ui::Object*)
{
    vProfileSettingsClearEditText();
    if (_profileTableView) _profileTableView->deselectAll();
    enable(_profileMenu, true);
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    buttonIdentify = kModeIdle;
    giveKeysToEditArea(false);
}

void ProfileControl::profileWindowOK(ui::Object*)
{
    std::string reason;
    if (TLPListWriteProfile_Edits(lists_.edits(isDirectConnection()), &reason) != kTLPListOK) {
        showSaveFailure(reason);
        return;
    }
    if (onAdvancedView) {
        onAdvancedView->rebuildProfileMenus();
        onAdvancedView->rereadTicket();
    }
    if (constraints_) constraints_();
    ui::Application::shared().stopModal();
    if (_profileManagementWindow) _profileManagementWindow->close();
}

void ProfileControl::profileWindowCancel(ui::Object*)
{
    ui::Application::shared().stopModal();
    if (_profileManagementWindow) _profileManagementWindow->close();
}

int ProfileControl::numberOfRowsInTableView(ui::TableView&)
{
    ProfileList* list = currentProfileDict();
    return list ? usedItemCount(*list) : 0;
}

cf::Ref ProfileControl::tableViewObjectValueForTableColumn(ui::TableView&, ui::TableColumn& column, int row)
{
    const std::string& id = column.identifier();
    if (id == "inmenu") column.setDataCell(std::make_shared<ui::ButtonCell>());
    if (id == "icon") column.dataCell()->setImage(nullptr);

    ProfileList* list = currentProfileDict();
    if (!list || row < 0 || row >= usedItemCount(*list)) return cf::String::create("");
    const ProfileItem& item = list->litem[row];

    if (id == "inmenu") return cf::Number::create(isShownState(item.iInMenu) ? 1 : 0);
    if (id == "icon") {
        // Only a printer on the network confirms what it stores.
        if (isPresentOnPrinter(item.iInMenu) && isNetworkProtocol(protocolType))
            column.dataCell()->setImage(loadIcon());
        return cf::String::create("");
    }
    if (id == "filename") return cf::String::create(displayableUtf8(fieldText(item.FileName)));
    if (id == "profilename") return cf::String::create(displayableUtf8(fieldText(item.ProfileName)));
    if (id == "location") return cf::String::create(locationWord(item.iLocation));
    return cf::String::create("");
}

void ProfileControl::tableViewSetObjectValue(ui::TableView&, const cf::Ref&, ui::TableColumn& column, int row)
{
    if (column.identifier() != "inmenu") return;
    ProfileList* list = currentProfileDict();
    if (!list || row < 0 || row >= usedItemCount(*list)) return;
    int32_t& state = list->litem[row].iInMenu;
    switch (state) {
    case kStatePrinterUnconfirmed:
        state = kStatePrinterUnconfirmedShown;
        break;
    case kStatePrinterUnconfirmedShown:
        state = kStatePrinterUnconfirmed;
        break;
    case kStatePrinterPresent:
        state = kStatePrinterPresentShown;
        break;
    case kStatePrinterPresentShown:
        state = kStatePrinterPresent;
        break;
    case kStateUser:
        state = kStateUserShown;
        break;
    case kStateUserShown:
        state = kStateUser;
        break;
    default:
        break;
    }
}

bool ProfileControl::selectionShouldChangeInTableView(ui::TableView&)
{
    return buttonIdentify == kModeIdle;
}

bool ProfileControl::tableViewShouldSelectRow(ui::TableView&, int row)
{
    ProfileList* list = currentProfileDict();
    const ProfileItem* item = list && row >= 0 && row < usedItemCount(*list) ? &list->litem[row] : nullptr;
    const bool onPrinter = item && isPresentOnPrinter(item->iInMenu);
    if (buttonIdentify == kModeIdle) {
        vHandlingButtonSetDisable(true, true, true);
        // A profile the printer holds can only be hidden, not deleted.
        if (onPrinter) enable(_deleteButton, false);
    }
    if (item) {
        setEditText(_fileNameEdit, editableText(item->FileName));
        setEditText(_profileNameEdit, editableText(item->ProfileName));
        if (_locationMenu && item->iLocation == kLocationDisk) _locationMenu->selectItemAtIndex(0);
        if (_locationMenu && item->iLocation == kLocationCard) _locationMenu->selectItemAtIndex(1);
    }
    return true;
}

void ProfileControl::tableViewSelectionDidChange(ui::TableView& table)
{
    if (table.selectedRow() >= 0) return;
    if (buttonIdentify == kModeIdle) vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsClearEditText();
}

ProfileList* ProfileControl::currentProfileDict()
{
    return lists_.edited(_profileMenu ? _profileMenu->indexOfSelectedItem() : -1);
}

ProfileList* ProfileControl::currentDeleteDict()
{
    return lists_.deleted(_profileMenu ? _profileMenu->indexOfSelectedItem() : -1);
}

ProfileItem* ProfileControl::selectedItem()
{
    ProfileList* list = currentProfileDict();
    const int row = _profileTableView ? _profileTableView->selectedRow() : -1;
    if (!list || row < 0 || row >= usedItemCount(*list)) return nullptr;
    return &list->litem[row];
}

bool ProfileControl::isDirectConnection() const
{
    return isDirectProtocol(protocolType);
}

void ProfileControl::recordDeletion(const ProfileItem& item)
{
    ProfileList* deleted = currentDeleteDict();
    if (!deleted || deleted->iNum < 0 || deleted->iNum >= kProfileListCapacity) return;
    deleted->litem[deleted->iNum++] = item;
}

void ProfileControl::giveKeysToEditArea(bool editing)
{
    if (!windowDefault_ && !windowCancel_ && _profileManagementWindow && _profileManagementWindow->contentView()) {
        for (ui::View* view : _profileManagementWindow->contentView()->subviews()) {
            auto* button = dynamic_cast<ui::Button*>(view);
            if (button && button->keyEquivalent() == "\r") windowDefault_ = button;
            if (button && button->keyEquivalent() == "\x1b") windowCancel_ = button;
        }
    }
    auto keys = [](ui::Button* button, const char* key) {
        if (button) button->setKeyEquivalent(key);
    };
    keys(_localOK, editing ? "\r" : "");
    keys(_localCancel, editing ? "\x1b" : "");
    keys(windowDefault_, editing ? "" : "\r");
    keys(windowCancel_, editing ? "" : "\x1b");
}

void ProfileControl::focusFirstField()
{
    if (!_profileManagementWindow) return;
    for (TLTextField* field : {_fileNameEdit, _profileNameEdit}) {
        if (field && field->isEnabled()) {
            _profileManagementWindow->makeFirstResponder(field);
            return;
        }
    }
}

void ProfileControl::setEditText(TLTextField* field, const std::string& text)
{
    if (!field) return;
    // The field reverts a refused change to this text, not to what was typed before.
    field->setStringValue(text);
    field->setOldString(text);
}

void ProfileControl::showSaveFailure(const std::string& reason)
{
    // The window stays open with the edits: the person may free some room and try again, or cancel.
    constexpr const char* kKey = "The profiles were not saved: %s";
    std::string text = localizedString(kKey).value_or(kKey);
    if (size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, reason);
    if (_saveErrorText) _saveErrorText->setStringValue(text);
    svc::Warning::post(profileListSaveFailure(reason));
}

bool ProfileControl::isCustomProfile()
{
    const ProfileItem* item = selectedItem();
    return item && isPrinterProfile(item->iInMenu);
}

void ProfileControl::vHandlingButtonSetDisable(bool add, bool edit, bool remove)
{
    enable(_addButton, add);
    enable(_editButton, edit);
    enable(_deleteButton, remove);
}

void ProfileControl::vProfileSettingsClearEditText()
{
    setEditText(_fileNameEdit, "");
    setEditText(_profileNameEdit, "");
    if (_locationMenu) _locationMenu->selectItemAtIndex(0);
}

void ProfileControl::vProfileSettingsAllDisablePart()
{
    setEditAreaEnabled(false);
}

void ProfileControl::vProfileSettingsAllEnablePart()
{
    setEditAreaEnabled(true);
}

void ProfileControl::setEditAreaEnabled(bool enabled)
{
    for (ui::View* view : std::initializer_list<ui::View*>{_fileNameText, _profileNameText, _locationText,
             _fileNameEdit, _profileNameEdit, _locationMenu, _browse, _localCancel, _localOK})
        enable(view, enabled);
}

} // namespace tlco
