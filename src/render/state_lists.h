// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "render/display_list.h"

namespace orbiton {

// The three lists every drawing pass begins with. Each pushes the attribute
// groups it changes; the pass ends with glPopAttrib. Empty while no list exists.
extern DisplayList outlineStateList;
extern DisplayList solidStateList;
extern DisplayList translucentStateList;

// Compiles the three lists in the current context (outline, solid,
// translucent), deleting the previous ones; smoothOutlines picks the outline
// style: anti-aliased without depth writes, or 2 pixels wide.
void buildStateLists(bool smoothOutlines);

// Forgets the names without a GL call, for when their context is gone.
void forgetStateLists();

} // namespace orbiton
