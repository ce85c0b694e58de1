// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/font_rasteriser.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

namespace orbiton {

std::string matchFontFile(const std::string& pattern) {
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return file;
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    if (pat) {
        FcConfigSubstitute(config, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result;
        FcPattern* match = FcFontMatch(config, pat, &result);
        FcChar8* path = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pat);
    }
    FcConfigDestroy(config);
    return file;
}

std::vector<Glyph> rasteriseGlyphs(const std::string& fontFile, int cellHeight, int first,
                                   int last) {
    std::vector<Glyph> glyphs;
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0)
        return glyphs;
    FT_Face face;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        return glyphs;
    }
    FT_Size_RequestRec request = {};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;
    request.height = FT_Long(cellHeight) * 64;
    if (FT_Request_Size(face, &request) == 0) {
        for (int c = first; c <= last; ++c) {
            Glyph g;
            if (FT_Load_Char(face, FT_ULong(c), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
                const FT_GlyphSlot slot = face->glyph;
                const FT_Bitmap& bm = slot->bitmap;
                g.width = int(bm.width);
                g.height = int(bm.rows);
                g.xorig = float(-slot->bitmap_left);
                g.yorig = float(g.height - slot->bitmap_top);
                g.advance = float(slot->advance.x) / 64.0f;
                // FreeType gives the top row first; glBitmap wants the bottom first.
                const int stride = (g.width + 7) / 8;
                g.bits.resize(std::size_t(stride) * g.height);
                for (int row = 0; row < g.height; ++row) {
                    const unsigned char* src = bm.buffer + std::ptrdiff_t(row) * bm.pitch;
                    std::copy(src, src + stride, &g.bits[std::size_t(g.height - 1 - row) * stride]);
                }
            }
            glyphs.push_back(std::move(g));
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return glyphs;
}

std::vector<Glyph> overlayFont() {
    // Without a font the game still plays, but the player should know why the
    // score and level are missing: said once, when the overlay is first made.
    const std::string file = matchFontFile("Arial:bold");
    if (file.empty()) {
        std::fprintf(stderr, "orbiton3d: no font for the overlay: fontconfig matched nothing for "
                             "\"Arial:bold\" (Liberation Sans Bold, from fonts-liberation2); "
                             "playing without the overlay's text\n");
        return {};
    }
    std::vector<Glyph> glyphs = rasteriseGlyphs(file, 40, 32, 127);
    if (glyphs.empty())
        std::fprintf(stderr,
                     "orbiton3d: no font for the overlay: cannot read %s; playing without the "
                     "overlay's text\n",
                     file.c_str());
    return glyphs;
}

} // namespace orbiton
