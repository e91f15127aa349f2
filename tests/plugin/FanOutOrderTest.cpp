// SPDX-License-Identifier: Apache-2.0
// The controller sends every request to both views in its fixed order.
#include "panels/PainChangeController.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

template <class Base>
class Recording : public Base {
public:
    explicit Recording(std::string name) : name_(std::move(name)) { }
    void setPPDFile(ppd_file_t* ppd) override
    {
        log("setPPDFile");
        Base::setPPDFile(ppd);
    }
    void setPMPrint(PMPrintSettings t, PMPrintSession s) override
    {
        log("setPMPrint");
        Base::setPMPrint(t, s);
    }
    void createPDEControlTable() override
    {
        log("createPDEControlTable");
        Base::createPDEControlTable();
    }
    void deallocPDEControlTable() override
    {
        log("deallocPDEControlTable");
        Base::deallocPDEControlTable();
    }
    void addPPDArray(cf::Array* a) override
    {
        log("addPPDArray");
        Base::addPPDArray(a);
    }
    void createPDEItemForPPDKey() override { log("createPDEItemForPPDKey"); }
    void defaultFromPPDInfo() override { log("defaultFromPPDInfo"); }
    void getControlValueFromTicket() override { log("getControlValueFromTicket"); }
    void setControlValueToTicket() override { log("setControlValueToTicket"); }
    int16_t getControlCount() const override { return name_ == "main" ? 11 : 47; }
    void getSummaryText(cf::Dictionary*, cf::Array*) override { log("getSummaryText"); }

private:
    void log(const char* operation) const { calls.push_back(name_ + ":" + operation); }
    std::string name_;
};

struct FanOut : ::testing::Test {
    void SetUp() override
    {
        calls.clear();
        const ui::ClassInfo& info = controller.classInfo();
        (*info.findOutlet("onColorView"))(controller, &main);
        (*info.findOutlet("onAdvancedView"))(controller, &advanced);
        (*info.findOutlet("onMainCustomView"))(controller, &container);
    }
    Recording<tlco::ColorOptions> main{"main"};
    Recording<tlco::AdvancedColorOptions> advanced{"advanced"};
    ui::View container;
    tlco::PainChangeController controller;
};

TEST_F(FanOut, AdvancedFirstExceptForDefaults)
{
    using Op = void (*)(tlco::PainChangeController&);
    const std::vector<std::pair<std::string, Op>> fanOuts = {
        {"createPDEControlTable", [](tlco::PainChangeController& c) { c.creatPDEControlTableEachView(); }},
        {"deallocPDEControlTable", [](tlco::PainChangeController& c) { c.deallocPDEControlTableEachView(); }},
        {"setPPDFile", [](tlco::PainChangeController& c) { c.setPPDFileEachView(nullptr); }},
        {"setPMPrint", [](tlco::PainChangeController& c) { c.setPMPrintEachView(nullptr, nullptr); }},
        {"addPPDArray", [](tlco::PainChangeController& c) { c.addPPDArrayEachView(cf::Array::create().get()); }},
        {"createPDEItemForPPDKey", [](tlco::PainChangeController& c) { c.createPDEItemForPPDKeyEachView(); }},
        {"getControlValueFromTicket", [](tlco::PainChangeController& c) { c.getControlValueFromTickettEachView(); }},
        {"setControlValueToTicket", [](tlco::PainChangeController& c) { c.setControlValueToTicketEachView(); }},
    };
    for (const auto& [operation, call] : fanOuts) {
        calls.clear();
        call(controller);
        EXPECT_EQ(calls, (std::vector<std::string>{"advanced:" + operation, "main:" + operation}));
    }
    calls.clear();
    controller.defaultFromPPDInfoEachView();
    EXPECT_EQ(calls, (std::vector<std::string>{"main:defaultFromPPDInfo", "advanced:defaultFromPPDInfo"}));
    EXPECT_EQ(controller.getControlCountEachView(), 58);
}

TEST_F(FanOut, SummaryTakesTheAdvancedLinesOnlyForCustom)
{
    auto dictionary = cf::Dictionary::create();
    auto order = cf::Array::create();
    // Without a Quick Color pop-up the index is -1: no preset and no advanced lines.
    controller.getSummaryTextEachView(dictionary.get(), order.get());
    EXPECT_EQ(calls, (std::vector<std::string>{"main:getSummaryText"}));
}

} // namespace
