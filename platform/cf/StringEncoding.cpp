// SPDX-License-Identifier: Apache-2.0
// iconv-backed conversions between the encodings we name and UTF-8.
#include "cf/StringEncoding.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>

namespace cf {
namespace {

const char* iconvName(StringEncoding encoding)
{
    switch (encoding) {
    case kCFStringEncodingISOLatin1:
        return "ISO-8859-1";
    case kCFStringEncodingWindowsLatin1:
        return "CP1252";
    case kCFStringEncodingASCII:
        return "ASCII";
    case kCFStringEncodingShiftJIS:
        return "SHIFT_JIS";
    case kCFStringEncodingUTF8:
        return "UTF-8";
    default:
        return "MACINTOSH";
    }
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) { }
    ~Converter()
    {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> run(std::string_view input)
    {
        // A converter is reused: it starts every text from its initial shift state.
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.reserve(input.size());
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[256];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            size_t rc = iconv(cd_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) return std::nullopt;
        }
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd_, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
        output.append(buffer, static_cast<size_t>(out - buffer));
        return output;
    }

private:
    iconv_t cd_;
};

// Opening a converter costs several allocations and a table look-up, and a PPD's texts are converted
// by the hundred: each thread keeps the few pairs it has used.
class ConverterCache {
public:
    Converter* find(const char* to, const char* from)
    {
        for (Entry& entry : entries_) {
            if (!entry.converter) {
                entry = {to, from, std::make_unique<Converter>(to, from)};
                return entry.converter.get();
            }
            if (std::strcmp(entry.to, to) == 0 && std::strcmp(entry.from, from) == 0) return entry.converter.get();
        }
        return nullptr;
    }

private:
    struct Entry {
        const char* to = nullptr; // names are string literals
        const char* from = nullptr;
        std::unique_ptr<Converter> converter;
    };
    std::array<Entry, 12> entries_;
};

std::optional<std::string> convert(std::string_view bytes, const char* to, const char* from)
{
    thread_local ConverterCache cache;
    if (Converter* cached = cache.find(to, from)) {
        if (!cached->valid()) return std::nullopt;
        return cached->run(bytes);
    }
    Converter converter(to, from);
    if (!converter.valid()) return std::nullopt;
    return converter.run(bytes);
}

} // namespace

StringEncoding encodingFromNSStringEncoding(NSStringEncoding encoding)
{
    switch (encoding) {
    case NSASCIIStringEncoding:
        return kCFStringEncodingASCII;
    case NSUTF8StringEncoding:
        return kCFStringEncodingUTF8;
    case NSISOLatin1StringEncoding:
        return kCFStringEncodingISOLatin1;
    case NSShiftJISStringEncoding:
        return kCFStringEncodingShiftJIS;
    case NSWindowsCP1252StringEncoding:
        return kCFStringEncodingWindowsLatin1;
    default:
        return kCFStringEncodingMacRoman;
    }
}

std::optional<std::string> decodeToUTF8(std::string_view bytes, StringEncoding encoding)
{
    // Even UTF-8 input goes through iconv, which rejects malformed sequences.
    return convert(bytes, "UTF-8", iconvName(encoding));
}

std::optional<std::string> encodeFromUTF8(std::string_view utf8, StringEncoding encoding)
{
    return convert(utf8, iconvName(encoding), "UTF-8");
}

} // namespace cf
