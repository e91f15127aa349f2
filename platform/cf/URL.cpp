// Minimal URL parsing: scheme, authority (user info, host, port), the rest untouched.
#include "cf/URL.h"

#include <cctype>

namespace cf {

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
        std::string_view hostPort = at == std::string_view::npos ? authority : authority.substr(at + 1);
        url->authority_ = std::string(hostPort);
        if (!hostPort.empty() && hostPort.front() == '[') {
            size_t close = hostPort.find(']');
            url->host_ = std::string(hostPort.substr(0, close == std::string_view::npos ? hostPort.size() : close + 1));
        } else {
            url->host_ = std::string(hostPort.substr(0, hostPort.find(':')));
        }
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
