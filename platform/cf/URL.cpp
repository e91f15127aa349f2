// SPDX-License-Identifier: Apache-2.0
// URL parsing: scheme and authority by hand, the host through libcups' URI parser, which knows
// bracketed IPv6 literals.
#include "cf/URL.h"

#include <cups/http.h>

#include <cctype>

namespace cf {
namespace {

// The host as libcups parses it: percent escapes kept, an IPv6 literal without its brackets; empty
// when the URI does not parse.
std::string hostOf(const std::string& text)
{
    char scheme[64], user[1024], host[1024], resource[1024];
    int port = 0;
    const http_uri_status_t status = httpSeparateURI(HTTP_URI_CODING_NONE, text.c_str(), scheme, sizeof scheme, user,
        sizeof user, host, sizeof host, &port, resource, sizeof resource);
    return status >= HTTP_URI_STATUS_OK ? std::string(host) : std::string();
}

} // namespace

std::shared_ptr<URL> URL::create(std::string_view text)
{
    size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) return nullptr;
    for (size_t i = 0; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!(std::isalnum(c) || c == '+' || c == '-' || c == '.')) return nullptr;
    }
    auto url = std::make_shared<URL>();
    url->text_ = std::string(text);
    url->scheme_ = std::string(text.substr(0, colon));
    std::string_view rest = text.substr(colon + 1);
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        size_t end = rest.find_first_of("/?#");
        std::string_view authority = rest.substr(0, end);
        size_t at = authority.rfind('@');
        url->authority_ = std::string(at == std::string_view::npos ? authority : authority.substr(at + 1));
        url->host_ = hostOf(url->text_);
    }
    return url;
}

std::optional<std::string> URL::netLocation() const
{
    if (!authority_ || authority_->empty()) return std::nullopt;
    return authority_;
}

std::optional<std::string> URL::hostName() const
{
    if (!authority_ || host_.empty()) return std::nullopt;
    return host_;
}

std::optional<std::string> URL::replacingPercentEscapes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
            return std::nullopt;
        out.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

} // namespace cf
