// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/gl_state.h"

#include <cstring>

namespace orbiton::test {

namespace {

struct Recorder {
    GlState& s;
    void add(const std::string& name, double v) {
        s.names.push_back(name);
        s.values.push_back(v);
    }
    void enabled(const char* name, GLenum cap) { add(name, glIsEnabled(cap)); }
    void integers(const char* name, GLenum what, int n) {
        GLint v[4] = {};
        glGetIntegerv(what, v);
        for (int i = 0; i < n; ++i)
            add(std::string(name) + "[" + std::to_string(i) + "]", v[i]);
    }
    void floats(const char* name, GLenum what, int n) {
        GLfloat v[4] = {};
        glGetFloatv(what, v);
        for (int i = 0; i < n; ++i)
            add(std::string(name) + "[" + std::to_string(i) + "]", v[i]);
    }
    void material(const char* name, GLenum face, GLenum what, int n) {
        GLfloat v[4] = {};
        glGetMaterialfv(face, what, v);
        for (int i = 0; i < n; ++i)
            add(std::string(name) + "[" + std::to_string(i) + "]", v[i]);
    }
};

} // namespace

GlState GlState::capture() {
    GlState s;
    Recorder r{s};
    r.enabled("GL_LIGHTING", GL_LIGHTING);
    r.integers("GL_POLYGON_MODE", GL_POLYGON_MODE, 2);
    r.enabled("GL_POLYGON_OFFSET_FILL", GL_POLYGON_OFFSET_FILL);
    r.floats("GL_POLYGON_OFFSET_FACTOR", GL_POLYGON_OFFSET_FACTOR, 1);
    r.floats("GL_POLYGON_OFFSET_UNITS", GL_POLYGON_OFFSET_UNITS, 1);
    r.enabled("GL_CULL_FACE", GL_CULL_FACE);
    r.integers("GL_CULL_FACE_MODE", GL_CULL_FACE_MODE, 1);
    r.enabled("GL_DEPTH_TEST", GL_DEPTH_TEST);
    r.integers("GL_DEPTH_FUNC", GL_DEPTH_FUNC, 1);
    r.integers("GL_DEPTH_WRITEMASK", GL_DEPTH_WRITEMASK, 1);
    r.enabled("GL_BLEND", GL_BLEND);
    r.integers("GL_BLEND_SRC", GL_BLEND_SRC, 1);
    r.integers("GL_BLEND_DST", GL_BLEND_DST, 1);
    r.floats("GL_LINE_WIDTH", GL_LINE_WIDTH, 1);
    r.enabled("GL_LINE_SMOOTH", GL_LINE_SMOOTH);
    r.integers("GL_LINE_SMOOTH_HINT", GL_LINE_SMOOTH_HINT, 1);
    r.floats("GL_CURRENT_COLOR", GL_CURRENT_COLOR, 4);
    r.integers("GL_SHADE_MODEL", GL_SHADE_MODEL, 1);
    r.integers("GL_MODELVIEW_STACK_DEPTH", GL_MODELVIEW_STACK_DEPTH, 1);
    r.integers("GL_ATTRIB_STACK_DEPTH", GL_ATTRIB_STACK_DEPTH, 1);
    r.material("front ambient", GL_FRONT, GL_AMBIENT, 4);
    r.material("front diffuse", GL_FRONT, GL_DIFFUSE, 4);
    r.material("front specular", GL_FRONT, GL_SPECULAR, 4);
    r.material("front shininess", GL_FRONT, GL_SHININESS, 1);
    r.material("back diffuse", GL_BACK, GL_DIFFUSE, 4);
    return s;
}

std::vector<std::string> GlState::differences(const GlState& other) const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < values.size() && i < other.values.size(); ++i)
        if (std::memcmp(&values[i], &other.values[i], sizeof(double)) != 0)
            out.push_back(names[i] + ": " + std::to_string(values[i]) + " -> " +
                          std::to_string(other.values[i]));
    return out;
}

} // namespace orbiton::test

namespace orbiton::test {

std::vector<FeedbackVertex> feedbackVertices(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint n = glRenderMode(GL_RENDER);
    std::vector<FeedbackVertex> out;
    auto vertex = [&](GLint& i) {
        FeedbackVertex v;
        v.x = buffer[i], v.y = buffer[i + 1], v.z = buffer[i + 2];
        for (int c = 0; c < 4; ++c)
            v.rgba[c] = buffer[i + 3 + c];
        i += 7;
        out.push_back(v);
    };
    for (GLint i = 0; i < n;) {
        const GLint token = GLint(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const GLint count = GLint(buffer[i++]);
            for (GLint k = 0; k < count; ++k)
                vertex(i);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            vertex(i);
            vertex(i);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            vertex(i);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
        } else {
            break; // unknown token: stop rather than misread
        }
    }
    return out;
}

} // namespace orbiton::test
