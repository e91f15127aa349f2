// SPDX-License-Identifier: Apache-2.0
// Conversion between cf values and libplist nodes.
#include "cf/PlistLibrary.h"

#include "cf/Array.h"
#include "cf/BinaryPlistKeys.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/String.h"

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace cf {
namespace {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// Deeper nesting than any file of ours holds; it only serves to exhaust the stack.
constexpr int kMaxDepth = 256;

// Values of the format that this layer has no type for (dates, UIDs).
struct Conversion {
    PropertyList::Unsupported unsupported;
    bool failed = false;
};

Ref fromNode(plist_t node, Conversion& conversion, int depth);

bool skipsUnsupported(const Conversion& conversion)
{
    return conversion.unsupported == PropertyList::Unsupported::Skip;
}

Ref arrayFromNode(plist_t node, Conversion& conversion, int depth)
{
    auto array = Array::create();
    uint32_t size = plist_array_get_size(node);
    for (uint32_t i = 0; i < size; ++i) {
        Ref item = fromNode(plist_array_get_item(node, i), conversion, depth + 1);
        if (conversion.failed) return nullptr;
        if (item) array->append(std::move(item));
    }
    return array;
}

// Keys are taken only after their NUL characters were masked: libplist aborts on a key holding one.
Ref dictionaryFromNode(plist_t node, Conversion& conversion, int depth)
{
    auto dict = Dictionary::create();
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    std::unique_ptr<void, decltype(&std::free)> iterOwner(iter, &std::free);
    for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &item);
        std::unique_ptr<char, decltype(&std::free)> key(rawKey, &std::free);
        if (!item) break;
        Ref value = fromNode(item, conversion, depth + 1);
        if (conversion.failed) return nullptr;
        if (!value || !key || std::string_view(key.get()).find(binaryplist::kMaskedNul) != std::string_view::npos)
            continue;
        dict->set(key.get(), std::move(value));
    }
    return dict;
}

Ref fromNode(plist_t node, Conversion& conversion, int depth)
{
    if (depth > kMaxDepth) {
        conversion.failed = true;
        return nullptr;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        // plist_get_string_val asserts on a string holding a NUL byte; the pointer form does not.
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        if (!text) return nullptr;
        return String::create(std::string_view(text, static_cast<size_t>(length)));
    }
    case PLIST_UINT: {
        uint64_t raw = 0;
        plist_get_uint_val(node, &raw);
        // libplist keeps negative XML integers as their two's complement.
        return Number::create(static_cast<int64_t>(raw));
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        return Number::createReal(real);
    }
    case PLIST_BOOLEAN: {
        uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        return Boolean::create(flag != 0);
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return Data::create(std::string(bytes ? bytes : "", bytes ? static_cast<size_t>(length) : 0));
    }
    case PLIST_ARRAY:
        return arrayFromNode(node, conversion, depth);
    case PLIST_DICT:
        return dictionaryFromNode(node, conversion, depth);
    default:
        if (!skipsUnsupported(conversion)) conversion.failed = true;
        return nullptr;
    }
}

plist_t toNode(const Ref& value)
{
    if (!value) return nullptr;
    switch (value->typeID()) {
    case TypeID::String:
        return plist_new_string(as<String>(value)->utf8().c_str());
    case TypeID::Number: {
        auto number = as<Number>(value);
        if (number->isReal()) return plist_new_real(number->doubleValue());
        return plist_new_uint(static_cast<uint64_t>(number->int64Value()));
    }
    case TypeID::Boolean:
        return plist_new_bool(as<Boolean>(value)->value() ? 1 : 0);
    case TypeID::Data: {
        const std::string& bytes = as<Data>(value)->bytes();
        return plist_new_data(bytes.data(), bytes.size());
    }
    case TypeID::Array: {
        PlistPtr array(plist_new_array());
        for (const Ref& item : as<Array>(value)->items()) {
            plist_t node = toNode(item);
            if (!node) return nullptr;
            plist_array_append_item(array.get(), node);
        }
        return array.release();
    }
    case TypeID::Dictionary: {
        auto dict = as<Dictionary>(value);
        PlistPtr node(plist_new_dict());
        for (const auto& [key, item] : dict->stringEntries()) {
            plist_t child = toNode(item);
            if (!child) return nullptr;
            plist_dict_set_item(node.get(), key.c_str(), child);
        }
        // The format has string keys only.
        if (!dict->otherEntries().empty()) return nullptr;
        return node.release();
    }
    }
    return nullptr;
}

} // namespace

Ref PlistLibrary::read(std::string_view bytes, PropertyList::Unsupported unsupported)
{
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max()) return nullptr;
    std::string masked(bytes);
    binaryplist::maskNulsInKeys(masked);
    plist_t root = nullptr;
    plist_from_memory(masked.data(), static_cast<uint32_t>(masked.size()), &root);
    if (!root) return nullptr;
    PlistPtr owner(root);
    Conversion conversion{unsupported};
    Ref value = fromNode(root, conversion, 0);
    return conversion.failed ? nullptr : value;
}

std::optional<std::string> PlistLibrary::writeXml(const Ref& root)
{
    PlistPtr node(toNode(root));
    if (!node) return std::nullopt;
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node.get(), &xml, &length);
    if (!xml) return std::nullopt;
    std::string out(xml, length);
    plist_to_xml_free(xml);
    return out;
}

} // namespace cf
