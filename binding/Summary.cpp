// SPDX-License-Identifier: Apache-2.0
// The summary lines of the controls.
#include "binding/Summary.h"

#include "base/Localize.h"
#include "base/Status.h"
#include "binding/PpdControls.h"

namespace tlco {
namespace {

void addLine(const std::string& title, cf::StringRef value, cf::Dictionary& dictionary, cf::Array& order)
{
    dictionary.set(title, std::move(value));
    order.append(cf::String::create(title));
}

} // namespace

int32_t addSummaryLines(const PDEControlRecord* table, cf::Dictionary* dictionary, cf::Array* order)
{
    if (!pluginBundle) return noErr;
    if (!dictionary || !order) return paramErr;
    int32_t status = noErr;
    for (const PDEControlRecord* record = table; record && record->control; ++record) {
        if (!record->summaryKey) continue;
        auto title = localizedString(record->summaryKey);
        cf::StringRef value = controlChoiceText(record);
        if (!title || !value) {
            status = paramErr;
            continue;
        }
        addLine(*title, std::move(value), *dictionary, *order);
    }
    return status;
}

int32_t addQuickColorSummaryLine(
    const char* titleKey, const cf::StringRef& value, cf::Dictionary* dictionary, cf::Array* order)
{
    if (!pluginBundle) return noErr;
    if (!dictionary || !order || !value) return paramErr;
    auto key = cf::String::createWithCString(titleKey, cf::kCFStringEncodingASCII);
    if (!key) return paramErr;
    auto title = localizedString(key->utf8());
    if (!title) return paramErr;
    addLine(*title, value, *dictionary, *order);
    return noErr;
}

} // namespace tlco
