// iconv-backed conversions between the encodings we name and UTF-8.
#include "cf/StringEncoding.h"

#include <cerrno>
#include <iconv.h>

namespace cf {
namespace {

const char* iconvName(StringEncoding encoding)
{
    switch (encoding) {
    case kCFStringEncodingISOLatin1: return "ISO-8859-1";
    case kCFStringEncodingWindowsLatin1: return "CP1252";
    case kCFStringEncodingASCII: return "ASCII";
    case kCFStringEncodingShiftJIS: return "SHIFT_JIS";
    case kCFStringEncodingUTF8: return "UTF-8";
    default: return "MACINTOSH";
    }
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> run(std::string_view input)
    {
        std::string output;
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

std::optional<std::string> convert(std::string_view bytes, const char* to, const char* from)
{
    Converter converter(to, from);
    if (!converter.valid()) return std::nullopt;
    return converter.run(bytes);
}

} // namespace

StringEncoding encodingFromNSStringEncoding(NSStringEncoding encoding)
{
    switch (encoding) {
    case NSASCIIStringEncoding: return kCFStringEncodingASCII;
    case NSUTF8StringEncoding: return kCFStringEncodingUTF8;
    case NSISOLatin1StringEncoding: return kCFStringEncodingISOLatin1;
    case NSShiftJISStringEncoding: return kCFStringEncodingShiftJIS;
    case NSWindowsCP1252StringEncoding: return kCFStringEncodingWindowsLatin1;
    default: return kCFStringEncodingMacRoman;
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
