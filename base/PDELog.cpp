// SPDX-License-Identifier: Apache-2.0
// Diagnostic logging.
#include "base/PDELog.h"

#include "cf/StringEncoding.h"
#include "cf/Utf8.h"
#include "services/SystemLog.h"

#include <cstdarg>
#include <langinfo.h>
#include <string>
#include <vector>

namespace tlco {
namespace {

std::string vformat(const char* format, va_list args)
{
    if (!format) return {};
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string describe(const ui::Object* self)
{
    if (!self) return "(null)";
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(self));
    return "<" + self->classInfo().name + ": " + address + ">";
}

// The prefix and the object's description are literal text; only the caller's format expands arguments.
void log(const char* prefix, const char* separator, const ui::Object* self, const char* format, va_list args)
{
    svc::SystemLog::write(std::string(prefix) + " self(" + describe(self) + ")" + separator + vformat(format, args));
}

// The text in the system's default encoding (the locale's codeset), "?" for what it cannot hold.
std::string toSystemEncoding(const std::string& utf8)
{
    std::string codeset = nl_langinfo(CODESET);
    if (codeset == "UTF-8") return utf8;
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        const size_t width = cf::utf8::widthAt(utf8, i);
        std::string character = utf8.substr(i, width);
        if (c < 0x80) {
            out += character;
        } else if (codeset == "ISO-8859-1") {
            auto latin = cf::encodeFromUTF8(character, cf::kCFStringEncodingISOLatin1);
            out += latin ? *latin : "?";
        } else {
            out += '?';
        }
        i += width;
    }
    return out;
}

} // namespace

void _PDELog(const ui::Object* self, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    log("LOG", ": ", self, format, args);
    va_end(args);
}

void _PDEProlog(const ui::Object* self, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    log("BEGIN", " ", self, format, args);
    va_end(args);
}

void _PDEEpilog(const ui::Object* self, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    log("END", " ", self, format, args);
    va_end(args);
}

void MyLog(FILE* stream, const char* format, ...)
{
    if (!stream) return;
    va_list args;
    va_start(args, format);
    std::string text = toSystemEncoding(vformat(format, args));
    va_end(args);
    if (text.empty()) return;
    std::fprintf(stream, "%.*s", static_cast<int>(text.size()), text.data());
    std::fflush(stream);
}

void MyDebugMessage(const char*, int32_t) { }

void PDEWarn(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = vformat(format, args);
    va_end(args);
    MyLog(stderr, "Color Options: %s\n", text.c_str());
}

} // namespace tlco
