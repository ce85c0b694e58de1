#include "render/sight_line.h"

namespace orbiton {

Vec3 sightPoint;
Vec3 focusPoint;
float frameTime = 0.0f;

void setSightLine(const Vec3& sight, const Vec3& focus) {
    sightPoint = sight;
    focusPoint = focus;
}

} // namespace orbiton
