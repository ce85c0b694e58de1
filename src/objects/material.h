// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <string>

namespace orbiton {

// Surface colours sent to OpenGL. The records are shared by every object
// that names them; bricks and arena shells write the diffuse alpha just
// before applying, and the value stays for the next user.
struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
};

// Name to shared record, filled with the thirteen named materials before
// main runs. A name looked up and not found stays mapped to null.
class MaterialLibrary {
  public:
    MaterialLibrary();

    Material* find(const std::string& name);
    std::size_t size() const { return entries.size(); }

  private:
    std::map<std::string, Material*> entries;
};

extern MaterialLibrary materialLibrary;

// The named record, or null for a name the library does not hold.
Material* findMaterial(const std::string& name);

// What a brick whose level line names no known material is drawn with: a
// loud magenta that nothing else in the game uses. Not in the library.
Material* fallbackMaterial();

// Sends ambient, diffuse, specular and shininess for front and back faces.
// Pushes nothing: the pass's state list has saved the lighting group.
void applyMaterial(const Material& m);

} // namespace orbiton
