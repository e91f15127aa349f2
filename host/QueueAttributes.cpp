// SPDX-License-Identifier: Apache-2.0
// Reading a queue's defaults and supported values from its IPP attributes.
#include "host/QueueAttributes.h"

#include <cstring>

namespace host {
namespace {

std::string valueText(ipp_attribute_t* attribute, int index)
{
    switch (ippGetValueTag(attribute)) {
    case IPP_TAG_INTEGER:
    case IPP_TAG_ENUM:
        return std::to_string(ippGetInteger(attribute, index));
    case IPP_TAG_BOOLEAN:
        return ippGetBoolean(attribute, index) ? "true" : "false";
    case IPP_TAG_RANGE: {
        int upper = 0;
        const int lower = ippGetRange(attribute, index, &upper);
        return std::to_string(lower) + "-" + std::to_string(upper);
    }
    default:
        break;
    }
    const char* text = ippGetString(attribute, index, nullptr);
    return text ? text : "";
}

std::vector<std::string> allValues(ipp_t* response, const char* name)
{
    std::vector<std::string> values;
    ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i) values.push_back(valueText(attribute, i));
    return values;
}

} // namespace

QueueAttributes QueueAttributes::fromResponse(ipp_t* response)
{
    QueueAttributes queue;
    if (!response) return queue;
    constexpr std::string_view kSuffix = "-default";
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (!name || ippGetCount(a) < 1 || ippGetGroupTag(a) != IPP_TAG_PRINTER) continue;
        const std::string_view full(name);
        if (full.size() <= kSuffix.size() || full.substr(full.size() - kSuffix.size()) != kSuffix) continue;
        queue.defaults[std::string(full.substr(0, full.size() - kSuffix.size()))] = valueText(a, 0);
    }
    queue.jobSheets = allValues(response, "job-sheets-supported");
    queue.numberUp = allValues(response, "number-up-supported");
    return queue;
}

} // namespace host
