// SPDX-License-Identifier: Apache-2.0
// XML through the layer's own reader and writer, in linear time; binary property lists and XML
// its reader leaves aside through libplist.
#include "cf/PropertyList.h"

#include "cf/PlistLibrary.h"
#include "cf/XmlPlistReader.h"
#include "cf/XmlPlistWriter.h"

namespace cf {

Ref PropertyList::createFromData(std::string_view bytes, Unsupported unsupported)
{
    if (auto value = XmlPlistReader::read(bytes)) return *value;
    return PlistLibrary::read(bytes, unsupported);
}

std::optional<std::string> PropertyList::createXMLData(const Ref& root)
{
    return XmlPlistWriter::write(root);
}

} // namespace cf
