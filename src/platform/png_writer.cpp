// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/output_file.h"
#include "platform/png_writer.h"

#include <cstdlib>

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
    // Encoded in memory and written whole: every write and the close are
    // checked, which the library's own file writer does not do.
    int size = 0;
    unsigned char* png = stbi_write_png_to_mem(rgb.data(), width * 3, width, height, 3, &size);
    if (!png)
        return failed(why, "out of memory");
    std::string reason;
    const bool written = writeWholeFile(path, png, std::size_t(size), reason);
    std::free(png);
    return written || failed(why, reason);
}

} // namespace orbiton
