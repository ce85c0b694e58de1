// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/font_rasteriser.h"

#include "platform/gl.h"
#include "platform/windows_api.h"

#include <cstdio>

namespace orbiton {

// On Windows the overlay's glyphs come from GDI: the bold system sans-serif
// (Arial) at a 40-pixel cell, each glyph's 1-bit outline bitmap turned into
// the same glBitmap glyphs the other systems make, so one overlay path draws
// on all of them.
std::vector<Glyph> overlayFont() {
    std::vector<Glyph> glyphs;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(40, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             L"Arial");
    if (!dc || !font) {
        std::fprintf(stderr, "orbiton3d: no font for the overlay: GDI has no bold Arial; "
                             "playing without the overlay's text\n");
        if (dc)
            DeleteDC(dc);
        return glyphs;
    }
    HGDIOBJ before = SelectObject(dc, font);
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (int code = 32; code <= 127; ++code) {
        GLYPHMETRICS gm{};
        const DWORD size = GetGlyphOutlineW(dc, UINT(code), GGO_BITMAP, &gm, 0, nullptr, &identity);
        Glyph g;
        g.advance = float(gm.gmCellIncX);
        if (size == GDI_ERROR || size == 0) {
            // No ink (the space): a 1x1 empty bitmap, which every driver keeps
            // in a display list, still moves the raster position by the advance.
            g.width = g.height = 1;
            g.bits.assign(1, 0);
            glyphs.push_back(g);
            continue;
        }
        std::vector<std::uint8_t> rows(size);
        GetGlyphOutlineW(dc, UINT(code), GGO_BITMAP, &gm, size, rows.data(), &identity);
        g.width = int(gm.gmBlackBoxX);
        g.height = int(gm.gmBlackBoxY);
        g.xorig = float(-gm.gmptGlyphOrigin.x);
        g.yorig = float(g.height - gm.gmptGlyphOrigin.y);
        // GDI's rows run top first, padded to 4 bytes; glBitmap's bottom first,
        // padded to whole bytes.
        const std::size_t in = ((std::size_t(g.width) + 31) / 32) * 4;
        const std::size_t out = (std::size_t(g.width) + 7) / 8;
        g.bits.resize(out * std::size_t(g.height));
        for (int y = 0; y < g.height; ++y)
            for (std::size_t b = 0; b < out; ++b)
                g.bits[std::size_t(y) * out + b] = rows[std::size_t(g.height - 1 - y) * in + b];
        glyphs.push_back(g);
    }
    SelectObject(dc, before);
    DeleteObject(font);
    DeleteDC(dc);
    return glyphs;
}

} // namespace orbiton
