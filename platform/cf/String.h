// SPDX-License-Identifier: Apache-2.0
// Immutable text value, held as UTF-8; conversions from and to other encodings go through iconv.
#pragma once

#include "Export.h"

#include "cf/Object.h"
#include "cf/StringEncoding.h"

#include <optional>
#include <string>
#include <string_view>

namespace cf {

class TL_EXPORT String final : public Object {
public:
    static constexpr TypeID kTypeID = TypeID::String;

    explicit String(std::string utf8) : utf8_(std::move(utf8)) { }
    static std::shared_ptr<String> create(std::string_view utf8) { return std::make_shared<String>(std::string(utf8)); }
    // Decodes bytes in the given encoding; null when they are not valid text in it.
    static std::shared_ptr<String> createWithBytes(std::string_view bytes, StringEncoding encoding);
    // A NUL-terminated C string; null for a null pointer or undecodable bytes.
    static std::shared_ptr<String> createWithCString(const char* text, StringEncoding encoding);

    TypeID typeID() const override { return kTypeID; }
    const std::string& utf8() const { return utf8_; }
    // The text in another encoding; nothing when a character has no form there.
    std::optional<std::string> bytesInEncoding(StringEncoding encoding) const;
    // Length in UTF-16 units, as the toolkit counts it.
    size_t length() const;

private:
    std::string utf8_;
};

using StringRef = std::shared_ptr<String>;

} // namespace cf
