// SPDX-License-Identifier: Apache-2.0
// The headers: "P5/P6 W H 255" with comments, or PAM's "P7" lines up to ENDHDR.
#include "host/preview/NetpbmFile.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace host::preview {
namespace {

struct Header {
    int width = 0, height = 0, channels = 0, maxValue = 0;
};

// The next word of a P5/P6 header, passing over comments.
std::string word(std::istream& in)
{
    std::string result;
    for (int c = in.get(); c != EOF; c = in.get()) {
        if (c == '#') {
            in.ignore(1 << 16, '\n');
            continue;
        }
        if (std::isspace(c)) {
            if (!result.empty()) return result;
            continue;
        }
        result += static_cast<char>(c);
    }
    return result;
}

int number(const std::string& text)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(text);
}

bool readClassic(std::istream& in, int channels, Header& header)
{
    header.channels = channels;
    header.width = number(word(in));
    header.height = number(word(in));
    header.maxValue = number(word(in)); // the single white space after it is consumed by word()
    return true;
}

bool readPam(std::istream& in, Header& header)
{
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string key, value;
        fields >> key >> value;
        if (key == "ENDHDR") return true;
        if (key == "WIDTH") header.width = number(value);
        if (key == "HEIGHT") header.height = number(value);
        if (key == "DEPTH") header.channels = number(value);
        if (key == "MAXVAL") header.maxValue = number(value);
    }
    return false;
}

} // namespace

std::optional<Raster> NetpbmFile::read(const std::string& path, std::string* error)
{
    auto fail = [&](const char* reason) -> std::optional<Raster> {
        if (error) *error = reason;
        return std::nullopt;
    };
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("no picture was written");
    Header header;
    const std::string magic = word(in);
    bool known = (magic == "P5" && readClassic(in, 1, header)) || (magic == "P6" && readClassic(in, 3, header)) ||
        (magic == "P7" && readPam(in, header));
    if (!known) return fail("not a picture of a known kind");
    if (header.width <= 0 || header.height <= 0 || header.width > kMaxSide || header.height > kMaxSide ||
        header.maxValue != 255 || header.channels < 1 || header.channels > 4)
        return fail("a picture of an unexpected size or depth");
    Raster raster(header.width, header.height, header.channels);
    in.read(reinterpret_cast<char*>(raster.pixels.data()), static_cast<std::streamsize>(raster.pixels.size()));
    if (static_cast<size_t>(in.gcount()) != raster.pixels.size()) return fail("the picture is cut short");
    return raster;
}

} // namespace host::preview
