// SPDX-License-Identifier: Apache-2.0
// libpng reports errors by longjmp; nothing that needs a destructor lives between setjmp and the end.
#include "host/preview/PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace host::preview {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// False when libpng gave up; rows point into the raster.
bool encode(std::FILE* file, const Raster& raster, png_bytep* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Previews are written often and thrown away: speed over size.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width), static_cast<png_uint_32>(raster.height), 8,
        raster.channels == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool PngFile::write(const Raster& raster, const std::string& path, std::string* error)
{
    auto fail = [&](std::string reason) {
        if (error) *error = std::move(reason);
        return false;
    };
    if (raster.empty() || (raster.channels != 1 && raster.channels != 3)) return fail("nothing to write");
    const std::string temporary = path + ".part";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(temporary.c_str(), "wb"));
    if (!file) return fail(path + ": " + std::strerror(errno));
    std::vector<png_bytep> rows(static_cast<size_t>(raster.height));
    for (int y = 0; y < raster.height; ++y) rows[static_cast<size_t>(y)] = const_cast<png_bytep>(raster.at(0, y));
    const bool encoded = encode(file.get(), raster, rows.data());
    const bool closed = std::fclose(file.release()) == 0;
    if (!encoded || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return fail(path + ": cannot be written");
    }
    return true;
}

} // namespace host::preview
