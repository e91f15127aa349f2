// SPDX-License-Identifier: Apache-2.0
// Window fixture.
#include "WindowFixture.h"

#include "base/Localize.h"
#include "cf/Number.h"
#include "cf/String.h"
#include "profiles/store/ProfileText.h"
#include "profiles/store/TLPList.h"
#include "support/HomeSandbox.h"
#include "ui/Application.h"

#include <deque>
#include <fstream>
#include <sstream>

namespace windowtest {

ProfileItem profile(
    int32_t state, const std::string& fileName, const std::string& profileName, int32_t location, int32_t index)
{
    ProfileItem item{};
    item.iIndexOnDevice = index;
    item.iInMenu = state;
    item.iProfileClass = 1;
    tlco::setFieldText(item.FileName, fileName);
    tlco::setFieldText(item.ProfileName, profileName);
    item.iLocation = location;
    return item;
}

std::unique_ptr<ProfileList> makeList(std::initializer_list<ProfileItem> items)
{
    auto list = std::make_unique<ProfileList>();
    for (const ProfileItem& item : items) list->litem[list->iNum++] = item;
    return list;
}

void writeLists(const ProfileList& rgb, const ProfileList& sim, const ProfileList& dst)
{
    ASSERT_EQ(0, tlco::TLPListWriteProfile_All(&rgb, &sim, &dst));
}

void writeRGB(std::initializer_list<ProfileItem> items)
{
    writeLists(*makeList(items), *makeList(), *makeList());
}

std::unique_ptr<ProfileList> readList(int listIndex)
{
    auto list = std::make_unique<ProfileList>();
    tlco::TLPListReadProfile_Dict(list.get(), listIndex);
    return list;
}

std::optional<std::string> profileFileBytes()
{
    std::ifstream in(homesandbox::home() + "/" + tlco::kProfileListFile, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WindowTest::SetUp()
{
    homesandbox::reset();
}

void WindowTest::TearDown()
{
    ui::Application::shared().setEventSource(nullptr);
    while (ui::Application::shared().takeOpenPanelAnswer()) {
    }
    harness.reset();
}

void WindowTest::load(const std::string& deviceURI)
{
    testpanel::Options options;
    options.deviceURI = deviceURI;
    harness = std::make_unique<testpanel::Harness>(options);
    harness->panel().supportedPPDOptionKeys();
    ASSERT_TRUE(harness->loaded());
    auto& h = *harness;
    control = h.get<tlco::ProfileControl>("profileControl");
    window = h.get<ui::Window>("_profileManagementWindow");
    table = h.get<ui::TableView>("_profileTableView");
    selector = h.get<ui::PopUpButton>("_profileMenu");
    location = h.get<ui::PopUpButton>("_locationMenu");
    fileName = h.get<tlco::TLTextField>("_fileNameEdit");
    profileName = h.get<tlco::TLTextField>("_profileNameEdit");
    fileNameLabel = h.get<ui::Label>("_fileNameText");
    profileNameLabel = h.get<ui::Label>("_profileNameText");
    locationLabel = h.get<ui::Label>("_locationText");
    add = h.get<ui::Button>("_addButton");
    edit = h.get<ui::Button>("_editButton");
    remove = h.get<ui::Button>("_deleteButton");
    browse = h.get<ui::Button>("_browse");
    localOK = h.get<ui::Button>("_localOK");
    localCancel = h.get<ui::Button>("_localCancel");
    windowOK = h.get<ui::Button>("button_ProfileWindowOK");
    windowCancel = h.get<ui::Button>("button_ProfileWindowCancel");
    manageProfile = h.get<ui::Button>("button_ManageProfile");
    for (void* object : std::initializer_list<void*>{control, window, table, selector, location, fileName, profileName,
             fileNameLabel, profileNameLabel, locationLabel, add, edit, remove, browse, localOK, localCancel, windowOK,
             windowCancel, manageProfile})
        ASSERT_NE(object, nullptr);
}

void WindowTest::runWindow(std::vector<std::function<void()>> steps)
{
    auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
    ui::Application::shared().setEventSource([queue] {
        if (queue->empty()) return false;
        auto step = std::move(queue->front());
        queue->pop_front();
        step();
        return true;
    });
    manageProfile->userClick();
    ui::Application::shared().setEventSource(nullptr);
}

std::string WindowTest::cell(int row, const char* id)
{
    ui::TableColumn* column = table->tableColumnWithIdentifier(id);
    if (!column) return "<no column>";
    cf::Ref value = table->dataSource()->tableViewObjectValueForTableColumn(*table, *column, row);
    if (auto text = cf::as<cf::String>(value)) return text->utf8();
    if (auto number = cf::as<cf::Number>(value)) return std::to_string(number->int64Value());
    return "<none>";
}

std::vector<std::string> WindowTest::column(const char* id)
{
    std::vector<std::string> values;
    for (int row = 0; row < rows(); ++row) values.push_back(cell(row, id));
    return values;
}

std::vector<ui::View*> WindowTest::editArea() const
{
    return {
        fileNameLabel, profileNameLabel, locationLabel, fileName, profileName, location, browse, localCancel, localOK};
}

std::vector<bool> WindowTest::buttons() const
{
    return {selector->isEnabled(), add->isEnabled(), edit->isEnabled(), remove->isEnabled()};
}

std::string WindowTest::disk() const
{
    return tlco::localizedString("Disk").value_or("Disk");
}
std::string WindowTest::card() const
{
    return tlco::localizedString("Card").value_or("Card");
}

} // namespace windowtest
