// SPDX-License-Identifier: Apache-2.0
// The option constraint rules of the Color Options panel and their application to a control table.
// Rules name controls by ctrlName, so one rule table serves the main view's table and the compound one.
#include "panels/ColorConstraints.h"

#include "binding/PDECommon.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace tlco {
namespace {

// Combination tokens.
constexpr int32_t kCstAnd = 1003;
constexpr int32_t kCstOr = 1004;
// Condition operators; kCstSet is also the target operator that asks for a value to be set.
constexpr int32_t kCstEqual = 1005;
constexpr int32_t kCstNotEqual = 1006;
constexpr int32_t kCstSet = 1007;
constexpr int32_t kCstLess = 1009;
constexpr int32_t kCstGreater = 1010;
constexpr int32_t kCstLessEqual = 1011;
constexpr int32_t kCstLessEqualAlt = 1012;
constexpr int32_t kCstGreaterEqual = 1013;
constexpr int32_t kCstGreaterEqualAlt = 1014;
// Ends a combination list; as a target operator, leave the value alone.
constexpr int32_t kCstEndList = 1017;
// Rule record types.
constexpr int32_t kCstTableEnd = 1019;
constexpr int32_t kCstValueChange = 1022;
// Action: disable the target when the rule matches, enable it otherwise.
constexpr int32_t kCstGrayOut = 1027;

// Tokens below this are condition numbers.
constexpr int32_t kCstFirstCode = 1000;
constexpr int kMaxConditions = 20;
constexpr int kMaxCombinationTokens = 40;
constexpr size_t kCstNameLength = 32;

struct CstCondition {
    char name[kCstNameLength];  // ctrlName of the control, zero-filled
    char label[kCstNameLength]; // readable name of the value; never compared
    int32_t value;              // a CST value
    int32_t op;
};

struct CstAction {
    int32_t type;
    int32_t param;
};

struct CstRule {
    int32_t type;
    int8_t conditionCount;
    const CstCondition* conditions;
    const int32_t* combination;
    CstCondition target;
    int8_t actionCount;
    const CstAction* actions;
};

constexpr int32_t kListEmpty[] = {kCstEndList};
constexpr int32_t kListC0OrC1[] = {0, 1, kCstOr, kCstEndList};

constexpr CstAction kGrayOut[] = {{kCstGrayOut, 0}};

constexpr CstCondition kGrayChecked = {"ColorAsGrayCheckBox", "Checked", 1, kCstEqual};
constexpr CstCondition kEconoChecked = {"EconoModeCheckBox", "Checked", 1, kCstEqual};
constexpr CstCondition kEdgeOff = {"EdgeTypePopup", "Off", 1, kCstEqual};

constexpr CstCondition kCondNotCustom[] = {{"QuickColorPopup", "Custom", 4, kCstNotEqual}};
constexpr CstCondition kCondGray[] = {kGrayChecked};
constexpr CstCondition kCondSeparation[] = {{"ColorSeparationCheckBox", "Checked", 1, kCstEqual}};
constexpr CstCondition kCondGrayImageNone[] = {kGrayChecked, {"ImageRGBSourcePopup", "None", 1, kCstEqual}};
constexpr CstCondition kCondGrayImageDest[] = {kGrayChecked, {"ImageDestinationProfilePopup", "Auto", 1, kCstNotEqual}};
constexpr CstCondition kCondGrayTextNone[] = {kGrayChecked, {"TextRGBSourcePopup", "None", 1, kCstEqual}};
constexpr CstCondition kCondGrayTextDest[] = {kGrayChecked, {"TextDestinationProfilePopup", "Auto", 1, kCstNotEqual}};
constexpr CstCondition kCondGrayGraphicsNone[] = {kGrayChecked, {"GraphicsRGBSourcePopup", "None", 1, kCstEqual}};
constexpr CstCondition kCondGrayGraphicsDest[] = {
    kGrayChecked, {"GraphicsDestinationProfilePopup", "Auto", 1, kCstNotEqual}};
constexpr CstCondition kCondGraySimNone[] = {kGrayChecked, {"SimulationSourcePopup", "None", 1, kCstEqual}};
constexpr CstCondition kCondEconoEdgeOff[] = {kEconoChecked, kEdgeOff};
constexpr CstCondition kCondEdgeOff[] = {kEdgeOff};

// A target that is only enabled or disabled.
template <size_t N>
requires(N <= kCstNameLength) constexpr CstCondition keep(const char (&name)[N])
{
    CstCondition condition{};
    for (size_t i = 0; i < N; ++i) condition.name[i] = name[i];
    condition.value = -1;
    condition.op = kCstEndList;
    return condition;
}

constexpr CstRule cstColorOption[] = {
    {kCstValueChange, 1, kCondNotCustom, kListEmpty, keep("GoToAdvancedOptionsButton"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, {"ColorSeparationCheckBox", "UnChecked", 0, kCstSet}, 1, kGrayOut},
    {kCstValueChange, 1, kCondSeparation, kListEmpty, {"ColorAsGrayCheckBox", "UnChecked", 0, kCstSet}, 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("ImageRGBSourcePopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGrayImageNone, kListC0OrC1, keep("ImageRenderIntentPopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGrayImageDest, kListC0OrC1, keep("ImageGrayTreatmentPopup"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("ImageDestinationProfilePopup"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("TextRGBSourcePopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGrayTextNone, kListC0OrC1, keep("TextRenderIntentPopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGrayTextDest, kListC0OrC1, keep("TextGrayTreatmentPopup"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("TextDestinationProfilePopup"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("GraphicsRGBSourcePopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGrayGraphicsNone, kListC0OrC1, keep("GraphicsRenderIntentPopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGrayGraphicsDest, kListC0OrC1, keep("GraphicsGrayTreatmentPopup"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("GraphicsDestinationProfilePopup"), 1, kGrayOut},
    {kCstValueChange, 1, kCondGray, kListEmpty, keep("SimulationSourcePopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGraySimNone, kListC0OrC1, keep("SimulationRenderIntentPopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondGraySimNone, kListC0OrC1, keep("SimulationGrayTreatmentPopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondEconoEdgeOff, kListC0OrC1, keep("ImageEdgeEnhancePopup"), 1, kGrayOut},
    // The stored list also names c1, which this rule lacks; it reads as false.
    {kCstValueChange, 1, kCondEdgeOff, kListC0OrC1, keep("TextEdgeEnhancePopup"), 1, kGrayOut},
    {kCstValueChange, 2, kCondEconoEdgeOff, kListC0OrC1, keep("GraphicsEdgeEnhancePopup"), 1, kGrayOut},
    {kCstTableEnd, 0, nullptr, kListEmpty, keep(""), 0, nullptr},
};

constexpr int kRuleCount = [] {
    int n = 0;
    while (cstColorOption[n].type != kCstTableEnd) ++n;
    return n;
}();
static_assert(kRuleCount == 21);

// Null for a position that names no rule, so callers outside the table do nothing.
const CstRule* ruleAt(int rule)
{
    if (rule < 0 || rule >= kRuleCount) return nullptr;
    const CstRule* r = &cstColorOption[rule];
    return r->type == kCstValueChange ? r : nullptr;
}

// The first record before the end record whose ctrlName equals the name; an empty name matches
// nothing, and a record without a control is no control to act on.
const PDEControlRecord* findControl(const PDEControlRecord* table, const char (&name)[kCstNameLength])
{
    const std::string_view wanted(name, strnlen(name, kCstNameLength));
    if (!table || wanted.empty()) return nullptr;
    for (const PDEControlRecord* record = table; record->type != kControlEnd; ++record) {
        if (record->control && record->ctrlName && wanted == record->ctrlName) return record;
    }
    return nullptr;
}

bool holds(int32_t value, int32_t op, int32_t wanted)
{
    switch (op) {
    case kCstEqual:
        return value == wanted;
    case kCstNotEqual:
        return value != wanted;
    case kCstLess:
        return value < wanted;
    case kCstGreater:
        return value > wanted;
    case kCstLessEqual:
    case kCstLessEqualAlt:
        return value <= wanted;
    case kCstGreaterEqual:
    case kCstGreaterEqualAlt:
        return value >= wanted;
    default:
        return false; // kCstSet and unknown codes never hold
    }
}

void act(int rule, const PDEControlRecord* table, bool enable)
{
    const CstRule* r = ruleAt(rule);
    if (!r || !r->actions) return;
    for (int a = 0; a < r->actionCount; ++a) {
        const PDEControlRecord* record = findControl(table, r->target.name);
        if (record && r->actions[a].type == kCstGrayOut) record->control->setEnabled(enable);
    }
}

} // namespace

void vColorPresetConstraints(PDEControlRecord* table)
{
    if (!table) return;
    for (int i = 0; cstColorOption[i].type != kCstTableEnd; ++i) {
        if (bMatchCondition(i, table)) {
            vValueChange(i, table);
            vActOption(i, table);
        } else {
            vActReverseOption(i, table);
        }
    }
}

uint8_t bMatchCondition(int rule, PDEControlRecord* table)
{
    const CstRule* r = ruleAt(rule);
    if (!r) return 0;

    std::array<bool, kMaxConditions> results{};
    const int count = r->conditionCount < kMaxConditions ? r->conditionCount : kMaxConditions;
    for (int k = 0; k < count; ++k) {
        const CstCondition& condition = r->conditions[k];
        const PDEControlRecord* record = findControl(table, condition.name);
        if (!record) continue;
        const int32_t value =
            PDECommon::commonConvertToCSTValue(record, PDECommon::commonGetControlValueWithSInt32(record));
        results[static_cast<size_t>(k)] = holds(value, condition.op, condition.value);
    }

    bool accumulator = results[0];
    bool operand = false;
    for (int t = 0; r->combination && t < kMaxCombinationTokens; ++t) {
        const int32_t token = r->combination[t];
        if (token == kCstEndList) break;
        if (token < kCstFirstCode) {
            // A number outside the results names no condition and reads as false.
            operand = token >= 0 && token < kMaxConditions && results[static_cast<size_t>(token)];
        } else if (token == kCstAnd) {
            accumulator = accumulator && operand;
        } else if (token == kCstOr) {
            accumulator = accumulator || operand;
        }
    }
    return accumulator ? 1 : 0;
}

void vValueChange(int rule, PDEControlRecord* table)
{
    const CstRule* r = ruleAt(rule);
    if (!r || r->target.op != kCstSet) return;
    const PDEControlRecord* record = findControl(table, r->target.name);
    if (!record) return;
    PDECommon::commonSetControlValueWithSInt32(record, PDECommon::commonConvertFromCSTValue(record, r->target.value));
}

void vActOption(int rule, PDEControlRecord* table)
{
    act(rule, table, false);
}

void vActReverseOption(int rule, PDEControlRecord* table)
{
    act(rule, table, true);
}

} // namespace tlco
