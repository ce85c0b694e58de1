// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "objects/ball.h"

#include "geometry/primitives.h"
#include "geometry/sphere_mesh.h"
#include "geometry/triangle_index.h"
#include "objects/brick.h"
#include "render/state_lists.h"

namespace orbiton {

namespace {
constexpr double kArenaRadius = 0.5;
// Bounces off one wall in one step: enough for the faces round a vertex, and a
// bound so that no wall can keep the ball in a loop.
constexpr int kMaxWallContacts = 4;
} // namespace

Ball::Ball(BallWorld* world_, float mass_, const Vec3& position_, const Vec3& velocity_)
    : SceneObject(position_, velocity_, mass_), world(world_) {
    material = findMaterial("Ball");
    shape = std::make_unique<SphereMesh>(2, radius, true, 255);
}

Ball::~Ball() {
    if (displayList)
        releaseLists();
}

void Ball::step(float dt) {
    collisionMask = 255;
    bool hit = false;
    SceneObject& paddle = world->paddleObject();
    if (collideWith(paddle, dt, contactNormal)) {
        bounceOff(paddle, contactNormal);
        hit = true;
    }
    if (!hit) {
        nearBricks.clear();
        world->candidateBricks(position, world->narrowsSearch() ? reach(dt) : -1.0, nearBricks);
        for (Brick* b : nearBricks) {
            Brick& brick = *b;
            if ((brick.collisionMask & collisionMask) == 0)
                continue;
            if (collideWith(brick, dt, contactNormal)) {
                bounceOff(brick, contactNormal);
                world->hitBrick(&brick); // destroys it: touch neither it nor the list again
                hit = true;
                break;
            }
        }
    }
    if (!hit) {
        for (auto& other : world->walls()) {
            if ((other->collisionMask & collisionMask) == 0)
                continue;
            // Near an edge of the wall the ball can cross two faces' planes in
            // one step. One bounce may still leave it heading through the other
            // face, and by the next step that crossing lies behind it: the ball
            // would pass through a closed wall. So the same wall is asked again
            // after a bounce; away from edges the bounced ball moves off the
            // face it hit and the second question finds nothing.
            for (int contacts = 0;
                 contacts < kMaxWallContacts && collideWith(*other, dt, contactNormal); ++contacts)
                bounceOff(*other, contactNormal);
        }
    }
    integrate(dt);
    if (length(position) > kArenaRadius)
        world->resetBall();
}

double Ball::reach(float dt) const {
    // The test passes only when radius^2 >= |L|^2 - (L.E)^2 >= |L|^2 (1 - |E|^2),
    // L running from the nearest point of the triangle to the centre and E
    // being the step reversed; widened for rounding.
    const Vec3 back = (velocity * -1.0f) * dt;
    const double e2 = dot(back, back);
    if (!(e2 < 0.25))
        return -1.0;
    return radius / std::sqrt(1.0 - e2) * 1.001 + 1e-5;
}

bool Ball::collideWith(SceneObject& object, float dt, Vec3& normalOut) {
    const Mesh& m = *object.getShape();
    const bool useIndex = world && world->narrowsSearch() && m.index() != nullptr;
    return findContact(m, dt, normalOut, useIndex) >= 0;
}

bool Ball::passes(const Mesh& m, std::size_t k, bool storedNormals, const Vec3& d, const Vec3& back,
                  Vec3& normalOut) const {
    const Triangle& t = m.triangles[k];
    const Vec3& a = m.vertices[t[0]];
    const Vec3& b = m.vertices[t[1]];
    const Vec3& c = m.vertices[t[2]];
    // A mesh without normals (the paddle's) is wound so this points inwards.
    const Vec3 n = storedNormals ? m.faceNormals[k] : cross(c - a, b - a);
    if (!(dot(n, velocity) < 0.0))
        return false; // only a face the ball moves against can be hit
    Vec3 q;
    if (!intersectSegmentPlane(a, n, position, d, q))
        return false;
    closestPointOnTriangle(a, b, c, q, q);
    if (raySphereDistance(q, back, position, double(radius)) > -1.0) {
        normalOut = n;
        return true;
    }
    return false;
}

int Ball::findContact(const Mesh& m, float dt, Vec3& normalOut, bool useIndex) {
    const bool storedNormals = !m.faceNormals.empty();
    const Vec3 d = velocity * dt;
    const Vec3 back = (velocity * -1.0f) * dt;
    const double near = useIndex ? reach(dt) : -1.0;
    if (near >= 0.0) {
        nearTriangles.clear();
        m.index()->near(position, float(near), nearTriangles);
        for (std::uint32_t k : nearTriangles)
            if (passes(m, k, storedNormals, d, back, normalOut))
                return int(k);
        return -1;
    }
    for (std::size_t k = 0; k < m.triangles.size(); ++k)
        if (passes(m, k, storedNormals, d, back, normalOut))
            return int(k);
    return -1;
}

void Ball::bounceOff(const SceneObject& object, const Vec3& n) {
    const Vec3 rel = velocity - object.velocity;
    const float invA = 1.0f / mass;
    const float invB = 1.0f / object.mass;
    const double j = -2.0 * dot(rel, n) / (dot(n, n) * (double(invA) + invB));
    const double k = j * invA;
    velocity =
        Vec3(float(velocity.x + n.x * k), float(velocity.y + n.y * k), float(velocity.z + n.z * k));
}

void Ball::draw() {
    glCallList(solidStateList.name());
    applyMaterial(*material);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glCallList(displayList.name());
    glPopMatrix();
    glPopAttrib();
}

void Ball::buildLists() {
    const Mesh& m = *shape;
    displayList.generate();
    glNewList(displayList.name(), GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (const Triangle& t : m.triangles)
        for (std::uint16_t i : t) {
            glNormal3fv(&m.vertexNormals[i].x);
            glVertex3fv(&m.vertices[i].x);
        }
    glEnd();
    glEndList();
}

void Ball::releaseLists() {
    displayList.reset();
}

} // namespace orbiton
