// The profile management window's controller.
#include "profiles/ProfileControl.h"

#include "panels/AdvancedColorOptions.h"
#include "plugin/Classes.h"
#include "plugin/Localize.h"
#include "ui/Application.h"

#include <nlohmann/json.hpp>

namespace tlco {

const ui::ClassInfo& ProfileControl::staticClassInfo()
{
    using P = ProfileControl;
    static const ui::ClassInfo info = ui::ClassBuilder<P>(registeredName("ProfileControl"), nullptr)
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
    if (!_profileManagementWindow) return;
    initWithProfileControl();
    _profileManagementWindow->setTitle(localizedString("ProfileTitle").value_or("ProfileTitle"));
    ui::Application::shared().runModalForWindow(*_profileManagementWindow);
    _profileManagementWindow->close();
    _profileManagementWindow->center();
}

void ProfileControl::initWithProfileControl()
{
    buttonIdentify = 0;
    if (onAdvancedView) onAdvancedView->setControlValueToTicket();
}

void ProfileControl::profileMenu(ui::Object*) {}
void ProfileControl::addButton(ui::Object*) {}
void ProfileControl::editButton(ui::Object*) {}
void ProfileControl::deleteButton(ui::Object*) {}
void ProfileControl::browseButton(ui::Object*) {}
void ProfileControl::profileOK(ui::Object*) {}
void ProfileControl::profileCancel(ui::Object*) {}

void ProfileControl::profileWindowOK(ui::Object*)
{
    ui::Application::shared().stopModal();
}

void ProfileControl::profileWindowCancel(ui::Object*)
{
    ui::Application::shared().stopModal();
}

int ProfileControl::numberOfRowsInTableView(ui::TableView&)
{
    ProfileList* list = currentProfileDict();
    return list ? list->iNum : 0;
}

cf::Ref ProfileControl::tableViewObjectValueForTableColumn(ui::TableView&, ui::TableColumn&, int)
{
    return cf::String::create("");
}

void ProfileControl::tableViewSetObjectValue(ui::TableView&, const cf::Ref&, ui::TableColumn&, int) {}
bool ProfileControl::selectionShouldChangeInTableView(ui::TableView&) { return buttonIdentify == 0; }
bool ProfileControl::tableViewShouldSelectRow(ui::TableView&, int) { return true; }
void ProfileControl::tableViewSelectionDidChange(ui::TableView&) {}

ProfileList* ProfileControl::currentProfileDict()
{
    switch (_profileMenu ? _profileMenu->indexOfSelectedItem() : -1) {
    case 0: return &plistRGBDict;
    case 1: return &plistSIMDict;
    case 2: return &plistDSTDict;
    default: return nullptr;
    }
}

bool ProfileControl::isCustomProfile() { return false; }
void ProfileControl::vHandlingButtonSetDisable(bool, bool, bool) {}
void ProfileControl::vProfileSettingsClearEditText() {}
void ProfileControl::vProfileSettingsAllDisablePart() {}
void ProfileControl::vProfileSettingsAllEnablePart() {}

} // namespace tlco
