// SPDX-License-Identifier: Apache-2.0
// Property-list bytes (the ticket file, the profile list file, a bundle manifest): parsing never
// crashes; whatever the layer's own XML reader takes, libplist reads to the same values; the own
// writer writes libplist's bytes for every value read; and what parses serialises and parses again
// to the same shape.
#include "cf/Array.h"
#include "cf/Boolean.h"
#include "cf/Data.h"
#include "cf/Dictionary.h"
#include "cf/Number.h"
#include "cf/PlistLibrary.h"
#include "cf/PropertyList.h"
#include "cf/String.h"
#include "cf/XmlPlistReader.h"
#include "cf/XmlPlistWriter.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

bool same(const cf::Ref& a, const cf::Ref& b);

bool sameNumber(const cf::Number& a, const cf::Number& b)
{
    if (a.isReal() != b.isReal() || a.int64Value() != b.int64Value()) return false;
    const double x = a.doubleValue(), y = b.doubleValue();
    return (std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0;
}

bool sameArray(const cf::Array& a, const cf::Array& b)
{
    if (a.count() != b.count()) return false;
    for (size_t i = 0; i < a.count(); ++i)
        if (!same(a.at(i), b.at(i))) return false;
    return true;
}

bool sameDictionary(const cf::Dictionary& a, const cf::Dictionary& b)
{
    if (a.stringEntries().size() != b.stringEntries().size() || !a.otherEntries().empty() || !b.otherEntries().empty())
        return false;
    for (auto x = a.stringEntries().begin(), y = b.stringEntries().begin(); x != a.stringEntries().end(); ++x, ++y)
        if (x->first != y->first || !same(x->second, y->second)) return false;
    return true;
}

bool same(const cf::Ref& a, const cf::Ref& b)
{
    if (!a || !b || a->typeID() != b->typeID()) return false;
    switch (a->typeID()) {
    case cf::TypeID::String:
        return cf::as<cf::String>(a)->utf8() == cf::as<cf::String>(b)->utf8();
    case cf::TypeID::Number:
        return sameNumber(*cf::as<cf::Number>(a), *cf::as<cf::Number>(b));
    case cf::TypeID::Boolean:
        return cf::as<cf::Boolean>(a)->value() == cf::as<cf::Boolean>(b)->value();
    case cf::TypeID::Data:
        return cf::as<cf::Data>(a)->bytes() == cf::as<cf::Data>(b)->bytes();
    case cf::TypeID::Array:
        return sameArray(*cf::as<cf::Array>(a), *cf::as<cf::Array>(b));
    case cf::TypeID::Dictionary:
        return sameDictionary(*cf::as<cf::Dictionary>(a), *cf::as<cf::Dictionary>(b));
    }
    return false;
}

void writesAsLibplist(const cf::Ref& value)
{
    if (value && cf::XmlPlistWriter::write(value) != cf::PlistLibrary::writeXml(value)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto own = cf::XmlPlistReader::read(bytes);
    const cf::Ref library = cf::PlistLibrary::read(bytes, cf::PropertyList::Unsupported::Refuse);
    if (own && !same(*own, library)) std::abort();
    writesAsLibplist(library);
    // The profile list is read passing over unsupported values; whatever that gives must serialise.
    cf::Ref lenient = cf::PropertyList::createFromData(bytes, cf::PropertyList::Unsupported::Skip);
    writesAsLibplist(lenient);
    if (lenient && !cf::PropertyList::createXMLData(lenient)) std::abort();
    cf::Ref root = cf::PropertyList::createFromData(bytes);
    if (!root) return 0;
    auto xml = cf::PropertyList::createXMLData(root);
    if (!xml) return 0;
    cf::Ref again = cf::PropertyList::createFromData(*xml);
    if (!again || again->typeID() != root->typeID()) std::abort();
    return 0;
}
