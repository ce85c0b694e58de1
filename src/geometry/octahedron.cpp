// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometry/octahedron.h"

namespace orbiton {

const std::array<Vec3, 6> octahedronCorners = {
    Vec3(0, 1, 0), Vec3(0, -1, 0), Vec3(1, 0, 0), Vec3(-1, 0, 0), Vec3(0, 0, 1), Vec3(0, 0, -1),
};

const std::array<OctahedronFace, 8> octahedronFaces = {{
    {0x80, {0, 2, 4}, {0, 4, 2}},
    {0x40, {0, 4, 3}, {0, 3, 4}},
    {0x20, {0, 3, 5}, {0, 5, 3}},
    {0x10, {0, 5, 2}, {0, 2, 5}},
    {0x08, {1, 4, 2}, {1, 2, 4}},
    {0x04, {1, 3, 4}, {1, 4, 3}},
    {0x02, {1, 5, 3}, {1, 3, 5}},
    {0x01, {1, 2, 5}, {1, 5, 2}},
}};

} // namespace orbiton
