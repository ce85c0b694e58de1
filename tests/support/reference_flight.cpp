// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/reference_flight.h"

#include <cmath>

namespace orbiton::reference {

float frameSeconds(unsigned milliseconds) {
    return toFloat(double(float(milliseconds)) * double(0.001f));
}

bool Flight::collide(const Obstacle& o, float dt, RVec& normal) const {
    const bool stored = !o.faceNormals.empty();
    const RVec d = scale(velocity, dt);
    const RVec e = scale(scale(velocity, -1.0f), dt);
    for (std::size_t k = 0; k < o.triangles.size(); ++k) {
        const RVec& a = o.vertices[o.triangles[k][0]];
        const RVec& b = o.vertices[o.triangles[k][1]];
        const RVec& c = o.vertices[o.triangles[k][2]];
        const RVec n = stored ? o.faceNormals[k] : cross(sub(c, a), sub(b, a));
        if (!(dot(n, velocity) < 0.0))
            continue;
        RVec q;
        if (!intersectSegmentPlane(a, n, position, d, q))
            continue;
        const RVec nearest = closestPointOnTriangle(a, b, c, q);
        if (raySphereDistance(nearest, e, position, double(radius)) > -1.0) {
            normal = n;
            return true;
        }
    }
    return false;
}

void Flight::bounce(const Obstacle& o, const RVec& n) {
    const RVec rel = sub(velocity, o.velocity);
    const float invA = toFloat(1.0 / double(mass));
    const float invB = toFloat(1.0 / double(o.mass));
    const double j = -2.0 * dot(rel, n) / (dot(n, n) * (double(invA) + double(invB)));
    const double k = j * double(invA);
    velocity = {toFloat(double(velocity.x) + double(n.x) * k),
                toFloat(double(velocity.y) + double(n.y) * k),
                toFloat(double(velocity.z) + double(n.z) * k)};
}

bool Flight::step(float dt, const Obstacle& paddle) {
    RVec n;
    bool hit = false;
    if (collide(paddle, dt, n)) {
        bounce(paddle, n);
        hit = true;
    }
    for (std::size_t i = 0; !hit && i < bricks.size(); ++i) {
        if (bricks[i].vertices.empty())
            continue; // an empty mesh has no octant, and the masks never meet
        if (collide(bricks[i], dt, n)) {
            bounce(bricks[i], n);
            hits.push_back(bricks[i].id);
            bricks.erase(bricks.begin() + long(i));
            hit = true;
        }
    }
    if (!hit)
        for (const Obstacle& wall : walls) {
            if (wall.vertices.empty())
                continue;
            // Asked again after each bounce, four contacts at most.
            for (int contacts = 0; contacts < 4 && collide(wall, dt, n); ++contacts)
                bounce(wall, n);
        }
    // Semi-implicit Euler with no force: the velocity gains force / mass * dt = 0.
    const float inverseMass = toFloat(1.0 / double(mass));
    velocity = add(velocity, scale(scale(RVec{}, inverseMass), dt));
    position = add(position, scale(velocity, dt));
    return length(position) > 0.5;
}

void Flight::rest(const RVec& paddlePosition) {
    const float factor = toFloat(double(0.47f) - double(0.005f));
    position = scale(paddlePosition, factor);
    velocity = RVec{};
}

void Flight::frame(float dt, const Obstacle& paddle, const RVec& paddlePosition) {
    const double travel = length(velocity) * double(dt);
    const double maxTravel = double(radius) * 0.5;
    int steps = 1;
    float subDt = dt;
    if (travel > maxTravel) {
        const double wanted = std::ceil(travel / maxTravel);
        if (wanted <= 256.0) {
            steps = int(wanted);
            subDt = toFloat(double(dt) / double(float(steps)));
        } else {
            steps = 256;
            subDt = toFloat(maxTravel / length(velocity));
        }
    }
    for (int i = 0; i < steps && launched; ++i)
        if (step(subDt, paddle)) {
            rest(paddlePosition);
            launched = false;
        }
}

} // namespace orbiton::reference
