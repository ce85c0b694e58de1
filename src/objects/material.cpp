// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "objects/material.h"

#include "platform/gl.h"

namespace orbiton {

namespace {

struct NamedMaterial {
    const char* name;
    Material record;
};

// Shiny ones share their plain twin's colours with a grey highlight.
NamedMaterial records[] = {
    {"Red", {{0.9f, 0.1f, 0.2f, 1.0f}, {0.8f, 0.1f, 0.1f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"Green",
     {{0.2f, 0.9f, 0.1f, 1.0f}, {0.1f, 0.8f, 0.1f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"Blue", {{0.2f, 0.1f, 0.8f, 1.0f}, {0.1f, 0.2f, 0.8f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"Yellow",
     {{0.8f, 0.7f, 0.2f, 1.0f}, {0.8f, 0.6f, 0.1f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"ShinyRed",
     {{0.9f, 0.1f, 0.2f, 1.0f}, {0.8f, 0.1f, 0.1f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, 5.0f}},
    {"ShinyGreen",
     {{0.2f, 0.9f, 0.1f, 1.0f}, {0.1f, 0.8f, 0.1f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, 5.0f}},
    {"ShinyBlue",
     {{0.2f, 0.1f, 0.8f, 1.0f}, {0.1f, 0.2f, 0.8f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, 5.0f}},
    {"ShinyYellow",
     {{0.8f, 0.7f, 0.2f, 1.0f}, {0.8f, 0.6f, 0.1f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, 5.0f}},
    {"LightGrey",
     {{0.7f, 0.7f, 0.7f, 1.0f}, {0.7f, 0.7f, 0.7f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"DarkGrey",
     {{0.2f, 0.2f, 0.2f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"Shell",
     {{0.6f, 0.6f, 0.6f, 1.0f}, {0.9f, 0.2f, 0.2f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f}},
    {"Ball", {{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 50.0f}},
    {"Paddle",
     {{0.6f, 0.6f, 0.6f, 0.2f}, {0.2f, 0.2f, 0.6f, 0.2f}, {0.0f, 0.0f, 0.0f, 0.2f}, 50.0f}},
};

Material missing = {
    {1.0f, 0.0f, 1.0f, 1.0f}, {1.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 50.0f};

} // namespace

MaterialLibrary materialLibrary;

MaterialLibrary::MaterialLibrary() {
    for (NamedMaterial& m : records)
        entries.emplace(m.name, &m.record);
}

Material* MaterialLibrary::find(const std::string& name) {
    // operator[] leaves a null entry behind for an unknown name.
    return entries[name];
}

Material* findMaterial(const std::string& name) {
    return materialLibrary.find(name);
}

Material* fallbackMaterial() {
    return &missing;
}

void applyMaterial(const Material& m) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &m.shininess);
}

} // namespace orbiton
