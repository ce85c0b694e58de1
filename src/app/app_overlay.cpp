// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/gl.h"

#include <cmath>
#include <cstdio>

#include "app/app.h"

namespace orbiton {

namespace {
constexpr int kFirstGlyph = 32;
constexpr int kGlyphCount = 96;
} // namespace

void App::createFont() {
    if (!overlayGlyphsLoaded) {
        overlayGlyphs = platform->overlayGlyphs();
        overlayGlyphsLoaded = true;
    }
    const std::vector<Glyph>& glyphs = overlayGlyphs;
    const GLuint base = fontLists.generate(kGlyphCount);
    GLint alignment;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // glyph rows are byte-packed
    for (int i = 0; i < kGlyphCount; ++i) {
        glNewList(base + i, GL_COMPILE);
        if (std::size_t(i) < glyphs.size()) {
            const Glyph& g = glyphs[i];
            glBitmap(g.width, g.height, g.xorig, g.yorig, g.advance, 0,
                     g.bits.empty() ? nullptr : g.bits.data());
        }
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void App::setRasterPosition(int x, int y) {
    glPushAttrib(GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // A zero-sized viewport at (x, y) puts raster position (0, 0) on that pixel.
    glViewport(x, y, 0, 0);
    glRasterPos4f(0, 0, 0, 1);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void App::drawText(const char* text, int x, int y) {
    glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_LIST_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(0, 0, 0, 1);
    setRasterPosition(x, y);
    glListBase(fontLists.name() - kFirstGlyph);
    std::size_t n = 0;
    while (text[n] != '\0')
        ++n;
    glCallLists(GLsizei(n), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

float App::textWidth(const char* text) const {
    float w = 0.0f;
    for (const char* c = text; *c != '\0'; ++c) {
        const int i = int(static_cast<unsigned char>(*c)) - kFirstGlyph;
        if (i >= 0 && std::size_t(i) < overlayGlyphs.size())
            w += overlayGlyphs[std::size_t(i)].advance;
    }
    return w;
}

std::string App::statusWord() const {
    if (replay)
        return replayHeld ? "REPLAY PAUSED" : "REPLAY";
    if (inputSource)
        return "DEMO";
    if (paused)
        return "PAUSED";
    if (allCleared())
        return "ALL CLEARED";
    if (speedShownFor > 0.0f) {
        char text[32];
        // Steps of 0.05 in float drift a little: "0.00", never "-0.00".
        const double shown = std::fabs(launchSpeed) < 0.005f ? 0.0 : double(launchSpeed);
        std::snprintf(text, sizeof text, "SPEED %.2f", shown);
        return text;
    }
    if (replayOverShownFor > 0.0f)
        return "REPLAY OVER";
    if (!mouseCaptured)
        return "MOUSE FREE";
    return "";
}

void App::countFrame(float dt) {
    fpsFrames = fpsFrames + 1;
    fpsSeconds = fpsSeconds + double(dt);
    if (fpsSeconds > 1.0) {
        std::snprintf(fpsText, sizeof fpsText, "fps: %d", fpsFrames);
        fpsSeconds = 0.0;
        fpsFrames = 0;
    }
}

} // namespace orbiton
