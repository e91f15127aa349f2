// SPDX-License-Identifier: Apache-2.0
// The XML that the general property-list reader is handed when the fast reader declines a profile
// list: checked as XML first, since that reader takes a document cut short as whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tlco {

// The document as UTF-8 without a byte order mark, its line ends as XML reads them; nothing, and the
// first fault, when it is no well-formed XML. Characters XML cannot hold are let through (the reader
// of names replaces them); every other fault, a missing end tag above all, makes it damaged.
std::optional<std::string> checkedPlistXml(std::string_view bytes, std::string* fault);

} // namespace tlco
