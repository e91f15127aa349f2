// Property-list conversion between cf values and libplist nodes, and file I/O.
#include "cf/PropertyList.h"

#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/String.h"

#include <plist/plist.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace cf {
namespace {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

Ref fromNode(plist_t node)
{
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
    case PLIST_ARRAY: {
        auto array = Array::create();
        uint32_t size = plist_array_get_size(node);
        for (uint32_t i = 0; i < size; ++i) {
            Ref item = fromNode(plist_array_get_item(node, i));
            if (!item) return nullptr;
            array->append(std::move(item));
        }
        return array;
    }
    case PLIST_DICT: {
        auto dict = Dictionary::create();
        plist_dict_iter iter = nullptr;
        plist_dict_new_iter(node, &iter);
        for (;;) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, iter, &key, &item);
            if (!item) {
                std::free(key);
                break;
            }
            Ref value = fromNode(item);
            if (!value) {
                std::free(key);
                std::free(iter);
                return nullptr;
            }
            if (key) dict->set(key, std::move(value));
            std::free(key);
        }
        std::free(iter);
        return dict;
    }
    default:
        return nullptr;
    }
}

plist_t toNode(const Ref& value)
{
    if (!value) return nullptr;
    switch (value->typeID()) {
    case TypeID::String: return plist_new_string(as<String>(value)->utf8().c_str());
    case TypeID::Number: {
        auto number = as<Number>(value);
        if (number->isReal()) return plist_new_real(number->doubleValue());
        return plist_new_uint(static_cast<uint64_t>(number->int64Value()));
    }
    case TypeID::Boolean: return plist_new_bool(as<Boolean>(value)->value() ? 1 : 0);
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

Ref PropertyList::createFromData(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max()) return nullptr;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root) return nullptr;
    PlistPtr owner(root);
    return fromNode(root);
}

std::optional<std::string> PropertyList::createXMLData(const Ref& root)
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

std::optional<std::string> PropertyList::readFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

bool PropertyList::writeFileAtomically(const std::string& path, std::string_view bytes, mode_t mode)
{
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0;
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (ok && left > 0) {
        ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        data += n;
        left -= static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace cf
