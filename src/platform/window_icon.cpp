// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/window_icon.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

// kIconPng: the PNG's bytes, written by the build from data/icons.
#include "window_icon_png.h"

namespace orbiton {

WindowIcon windowIcon() {
    WindowIcon icon;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(kIconPng, int(sizeof kIconPng), &icon.width,
                                            &icon.height, &channels, 4);
    if (!pixels)
        return WindowIcon{};
    icon.rgba.assign(pixels, pixels + std::size_t(icon.width) * std::size_t(icon.height) * 4);
    stbi_image_free(pixels);
    return icon;
}

} // namespace orbiton
