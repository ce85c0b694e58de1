// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace orbiton {

// The file fontconfig picks for a pattern such as "Arial:bold"; empty when none.
std::string matchFontFile(const std::string& pattern);

// Renders the codes first..last of a font file, 1-bit, at a pixel cell height,
// as glBitmap glyphs. Empty when the file cannot be read.
std::vector<Glyph> rasteriseGlyphs(const std::string& fontFile, int cellHeight, int first,
                                   int last);

// The overlay font: "Arial:bold" (Liberation Sans Bold on Linux) at a 40-pixel cell.
std::vector<Glyph> overlayFont();

} // namespace orbiton
