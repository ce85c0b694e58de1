// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/png_writer.h"

namespace orbiton {

bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgba) {
    if (rgba.size() < std::size_t(width) * height * 4)
        return false;
    // A window shows no destination alpha: write the colour channels only.
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0, n = std::size_t(width) * height; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            rgb[i * 3 + c] = rgba[i * 4 + c];
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

} // namespace orbiton
