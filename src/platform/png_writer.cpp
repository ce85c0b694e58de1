// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/png_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace orbiton {

namespace {

bool failed(std::string* why, const std::string& reason) {
    if (why)
        *why = reason;
    return false;
}

} // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              std::string* why) {
    if (width < 1 || height < 1 || rgba.size() < std::size_t(width) * height * 4)
        return failed(why, "no picture to write");
    // A window shows no destination alpha: write the colour channels only.
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0, n = std::size_t(width) * height; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            rgb[i * 3 + c] = rgba[i * 4 + c];
    // Encoded in memory, written here: every write and the close are checked,
    // which the library's own file writer does not do.
    int size = 0;
    unsigned char* png = stbi_write_png_to_mem(rgb.data(), width * 3, width, height, 3, &size);
    if (!png)
        return failed(why, "out of memory");
#ifdef _WIN32
    std::FILE* f =
        _wfopen(std::filesystem::u8path(path).c_str(), L"wb"); // any name, not the code page's
#else
    std::FILE* f = std::fopen(path.c_str(), "wb");
#endif
    if (!f) {
        const int e = errno;
        std::free(png);
        return failed(why, std::strerror(e));
    }
    const bool wrote = std::fwrite(png, 1, std::size_t(size), f) == std::size_t(size);
    int e = wrote ? 0 : errno;
    std::free(png);
    if (std::fclose(f) != 0 && e == 0)
        e = errno;
    if (!wrote || e != 0)
        return failed(why, std::strerror(e != 0 ? e : EIO));
    return true;
}

} // namespace orbiton
