// SPDX-License-Identifier: Apache-2.0
// Walks the object table of a binary property list ("bplist00": objects, an offset table and a
// 32-byte trailer) far enough to find the key strings of its dictionaries.
#include "cf/BinaryPlistKeys.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace cf::binaryplist {
namespace {

constexpr std::string_view kMagic = "bplist00";
constexpr size_t kTrailerSize = 32;
constexpr unsigned kDictionary = 0xD;
constexpr unsigned kAsciiString = 0x5;
constexpr unsigned kUtf16String = 0x6;
constexpr unsigned kInteger = 0x1;

class Reader {
public:
    explicit Reader(std::string& bytes) : bytes_(bytes) { }

    std::optional<uint64_t> number(uint64_t at, unsigned width) const
    {
        if (width == 0 || width > 8 || at > bytes_.size() || bytes_.size() - at < width) return std::nullopt;
        uint64_t value = 0;
        for (unsigned i = 0; i < width; ++i) value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }

    // The element count of the object at `at` and where its contents start.
    std::optional<std::pair<uint64_t, uint64_t>> count(uint64_t at) const
    {
        auto marker = number(at, 1);
        if (!marker) return std::nullopt;
        if ((*marker & 0xF) != 0xF) return std::make_pair(*marker & 0xF, at + 1);
        auto intMarker = number(at + 1, 1);
        if (!intMarker || (*intMarker >> 4) != kInteger || (*intMarker & 0xF) > 3) return std::nullopt;
        unsigned width = 1u << (*intMarker & 0xF);
        auto value = number(at + 2, width);
        if (!value) return std::nullopt;
        return std::make_pair(*value, at + 2 + width);
    }

    bool holds(uint64_t at, uint64_t length) const { return at <= bytes_.size() && bytes_.size() - at >= length; }
    char& at(uint64_t index) { return bytes_[index]; }
    size_t size() const { return bytes_.size(); }

private:
    std::string& bytes_;
};

struct Trailer {
    unsigned offsetWidth;
    unsigned refWidth;
    uint64_t objects;
    uint64_t offsetTable;
};

std::optional<Trailer> readTrailer(const Reader& reader)
{
    const uint64_t start = reader.size() - kTrailerSize;
    auto offsetWidth = reader.number(start + 6, 1);
    auto refWidth = reader.number(start + 7, 1);
    auto objects = reader.number(start + 8, 8);
    auto table = reader.number(start + 24, 8);
    if (!offsetWidth || !refWidth || !objects || !table) return std::nullopt;
    Trailer trailer{static_cast<unsigned>(*offsetWidth), static_cast<unsigned>(*refWidth), *objects, *table};
    if (trailer.offsetWidth == 0 || trailer.offsetWidth > 8 || trailer.refWidth == 0 || trailer.refWidth > 8)
        return std::nullopt;
    if (trailer.objects > reader.size() || !reader.holds(trailer.offsetTable, trailer.objects * trailer.offsetWidth))
        return std::nullopt;
    return trailer;
}

std::optional<uint64_t> objectOffset(const Reader& reader, const Trailer& trailer, uint64_t object)
{
    if (object >= trailer.objects) return std::nullopt;
    return reader.number(trailer.offsetTable + object * trailer.offsetWidth, trailer.offsetWidth);
}

void maskKey(Reader& reader, uint64_t at)
{
    auto marker = reader.number(at, 1);
    auto counted = reader.count(at);
    if (!marker || !counted) return;
    const auto [length, contents] = *counted;
    if ((*marker >> 4) == kAsciiString && reader.holds(contents, length)) {
        for (uint64_t i = 0; i < length; ++i)
            if (reader.at(contents + i) == '\0') reader.at(contents + i) = kMaskedNul;
    } else if ((*marker >> 4) == kUtf16String && length <= reader.size() && reader.holds(contents, 2 * length)) {
        for (uint64_t i = 0; i < length; ++i)
            if (reader.at(contents + 2 * i) == '\0' && reader.at(contents + 2 * i + 1) == '\0')
                reader.at(contents + 2 * i + 1) = kMaskedNul;
    }
}

void maskDictionaryKeys(Reader& reader, const Trailer& trailer, uint64_t at)
{
    auto counted = reader.count(at);
    if (!counted) return;
    const auto [entries, refs] = *counted;
    if (entries > reader.size() || !reader.holds(refs, entries * trailer.refWidth)) return;
    for (uint64_t i = 0; i < entries; ++i) {
        auto key = reader.number(refs + i * trailer.refWidth, trailer.refWidth);
        auto keyAt = key ? objectOffset(reader, trailer, *key) : std::nullopt;
        if (keyAt) maskKey(reader, *keyAt);
    }
}

} // namespace

void maskNulsInKeys(std::string& bytes)
{
    if (bytes.size() < kMagic.size() + kTrailerSize || std::string_view(bytes).substr(0, kMagic.size()) != kMagic)
        return;
    Reader reader(bytes);
    auto trailer = readTrailer(reader);
    if (!trailer) return;
    for (uint64_t object = 0; object < trailer->objects; ++object) {
        auto at = objectOffset(reader, *trailer, object);
        auto marker = at ? reader.number(*at, 1) : std::nullopt;
        if (marker && (*marker >> 4) == kDictionary) maskDictionaryKeys(reader, *trailer, *at);
    }
}

} // namespace cf::binaryplist
