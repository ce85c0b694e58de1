#include "geometry/vec3.h"

namespace orbiton {

Vec3 normalise(Vec3& v) {
    if (v.x == 0.0f && v.y == 0.0f && v.z == 0.0f)
        return v;
    // Squares in double so that no non-zero float vector underflows to zero.
    double inv = 1.0 / std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
    v.x = float(v.x * inv);
    v.y = float(v.y * inv);
    v.z = float(v.z * inv);
    return v;
}

} // namespace orbiton
