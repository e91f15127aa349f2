// SPDX-License-Identifier: Apache-2.0
// A URL split into its parts, enough of CFURL for device URIs.
#pragma once

#include "Export.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace cf {

class TL_EXPORT URL {
public:
    // Null when the text has no scheme followed by ":".
    static std::shared_ptr<URL> create(std::string_view text);

    // The URL's text as given, scheme included.
    const std::string& string() const { return text_; }
    const std::string& scheme() const { return scheme_; }
    // Host, or host and port joined by ":"; nothing when the URL has no authority part.
    std::optional<std::string> netLocation() const;
    // The host part, percent escapes left as they are, an IPv6 literal without its brackets; nothing
    // when there is none or the URL does not parse.
    std::optional<std::string> hostName() const;

    // The text with every %XX escape replaced by its byte; nothing when an escape is malformed.
    static std::optional<std::string> replacingPercentEscapes(std::string_view text);

private:
    std::string text_;
    std::string scheme_;
    std::optional<std::string> authority_;
    std::string host_;
};

using URLRef = std::shared_ptr<URL>;

} // namespace cf
