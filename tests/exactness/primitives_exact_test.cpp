// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's vector operations and geometric tests against the reference,
// bit for bit: the worked values, then 100,000 random inputs each.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "exactness/exact_inputs.h"
#include "exactness/fingerprint.h"
#include "geometry/primitives.h"
#include "support/reference_bridge.h"

namespace orbiton {
namespace {

using reference::fromR;
using reference::RVec;
using reference::sameBits;
using reference::toR;

constexpr int kRandomCases = 100000;

std::string hex(const RVec& v) {
    char text[96];
    std::snprintf(text, sizeof text, "(%a, %a, %a)", double(v.x), double(v.y), double(v.z));
    return text;
}

// Runs `cases` random comparisons; each returns "" when both sides agree,
// and puts the reference's results into the fingerprint pinned as `name`.
void expectAllAgree(const std::string& name, std::uint64_t seed,
                    const std::function<std::string(exact::Inputs&, exact::Fingerprint&)>& one) {
    exact::Inputs in(seed);
    exact::Fingerprint fp;
    int differ = 0;
    std::string first;
    for (int i = 0; i < kRandomCases; ++i) {
        const std::string d = one(in, fp);
        if (!d.empty() && differ++ == 0)
            first = "case " + std::to_string(i) + ": " + d;
    }
    EXPECT_EQ(differ, 0) << "first: " << first;
    exact::expectPinned(name, fp);
}

// Production's and the reference's normalise of one vector, both results and
// both in-place values.
std::string compareNormalise(const RVec& v, exact::Fingerprint* fp = nullptr) {
    Vec3 p = fromR(v);
    RVec r = v;
    const Vec3 pc = normalise(p);
    const RVec rc = reference::normalise(r);
    if (fp) {
        fp->add(r);
        fp->add(rc);
    }
    if (sameBits(p, r) && sameBits(pc, rc))
        return "";
    return "normalise" + hex(v) + " gave " + hex(toR(p)) + ", reference " + hex(r);
}

TEST(ExactPrimitives, WorkedValuesOnBothSides) {
    const struct {
        RVec in, out;
    } norms[] = {
        {{0, 0, 0}, {0, 0, 0}}, {{3, 0, 4}, {0.6f, 0, 0.8f}}, {{0, 0, -1e-30f}, {0, 0, -1}}};
    for (const auto& c : norms) {
        RVec r = c.in;
        Vec3 p = fromR(c.in);
        reference::normalise(r);
        normalise(p);
        EXPECT_TRUE(sameBits(r, c.out)) << hex(r);
        EXPECT_TRUE(sameBits(p, c.out)) << hex(toR(p));
    }

    const RVec a{0, 0, 0}, b{2, 0, 0};
    const struct {
        RVec p, out;
    } segs[] = {{{-1, 5, 0}, a}, {{3, 1, 0}, b}, {{1, 7, 0}, {1, 0, 0}}, {{0, 1, 0}, a}};
    for (const auto& c : segs) {
        Vec3 out;
        closestPointOnSegment(fromR(a), fromR(b), fromR(c.p), out);
        EXPECT_TRUE(sameBits(out, c.out)) << hex(toR(out));
        EXPECT_TRUE(sameBits(reference::closestPointOnSegment(a, b, c.p), c.out));
    }

    const RVec origin{0, 0, 0}, up{0, 1, 0};
    RVec r{9, 9, 9};
    Vec3 p(9, 9, 9);
    EXPECT_TRUE(reference::intersectSegmentPlane(origin, up, up, {0, -2, 0}, r));
    EXPECT_TRUE(intersectSegmentPlane(fromR(origin), fromR(up), fromR(up), Vec3(0, -2, 0), p));
    EXPECT_TRUE(sameBits(r, origin) && sameBits(p, origin));
    r = {9, 9, 9};
    p = Vec3(9, 9, 9);
    EXPECT_FALSE(reference::intersectSegmentPlane(origin, up, up, {0, -0.5f, 0}, r));
    EXPECT_FALSE(intersectSegmentPlane(fromR(origin), fromR(up), fromR(up), Vec3(0, -0.5f, 0), p));
    EXPECT_FALSE(reference::intersectSegmentPlane(origin, up, up, {1, 0, 0}, r));
    EXPECT_FALSE(intersectSegmentPlane(fromR(origin), fromR(up), fromR(up), Vec3(1, 0, 0), p));
    EXPECT_TRUE(sameBits(r, {9, 9, 9}) && sameBits(p, {9, 9, 9})); // left untouched

    // q = 0.75: 2 - approxSqrt(0.75) = 2 - 0.8660714..., not 2 - sqrt(0.75).
    const double hand = 2.0 - (6.75 * 0.75 + 1.0) / (1.75 * 4.0);
    EXPECT_EQ(reference::raySphereDistance({0, 0, 0}, {1, 0, 0}, {2, 0.5f, 0}, 1.0), hand);
    EXPECT_EQ(raySphereDistance(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(2, 0.5f, 0), 1.0), hand);
    EXPECT_NEAR(hand, 1.1339286, 1e-7);
    EXPECT_EQ(reference::raySphereDistance({0, 0, 0}, {1, 0, 0}, {0, 5, 0}, 1.0), -1.0);

    EXPECT_EQ(reference::angleSumLow(), 6.2830853f);
    EXPECT_EQ(reference::angleSumHigh(), 6.2832856f);
    const RVec t0{0, 0, 0}, t1{1, 0, 0}, t2{0, 1, 0};
    for (const auto& [pt, inside] : {std::pair<RVec, bool>{{0.25f, 0.25f, 0.001f}, true},
                                     {{0.25f, 0.25f, 0.003f}, false},
                                     {{0, 0, 0}, false},
                                     {{1.0f / 3, 1.0f / 3, 0}, true}}) {
        EXPECT_EQ(reference::pointInTriangle(pt, t0, t1, t2), inside) << hex(pt);
        EXPECT_EQ(pointInTriangle(fromR(pt), fromR(t0), fromR(t1), fromR(t2)), inside) << hex(pt);
    }
    // Beyond corner B the nearest point is B.
    EXPECT_TRUE(sameBits(reference::closestPointOnTriangle(t0, t1, t2, {2, -0.5f, 0}), t1));
}

TEST(ExactPrimitives, NormaliseOnRandomVectors) {
    expectAllAgree("normalise", 1, [](exact::Inputs& in, exact::Fingerprint& fp) {
        return compareNormalise(in.anyVec(), &fp);
    });
}

TEST(ExactPrimitives, ClosestPointOnSegmentOnRandomInputs) {
    expectAllAgree(
        "closestPointOnSegment", 2, [](exact::Inputs& in, exact::Fingerprint& fp) -> std::string {
            const RVec a = in.anyVec(), b = in.anyVec(), pt = in.anyVec();
            Vec3 out;
            closestPointOnSegment(fromR(a), fromR(b), fromR(pt), out);
            const RVec want = reference::closestPointOnSegment(a, b, pt);
            fp.add(want);
            return sameBits(out, want) ? "" : hex(a) + hex(b) + hex(pt) + " gave " + hex(toR(out));
        });
}

TEST(ExactPrimitives, IntersectSegmentPlaneOnRandomInputs) {
    int crossings = 0;
    expectAllAgree(
        "intersectSegmentPlane", 3, [&](exact::Inputs& in, exact::Fingerprint& fp) -> std::string {
            const RVec q = in.anyVec(), n = in.anyVec(), s = in.anyVec();
            // Displacements that mostly reach the plane, some beyond it.
            const RVec v = reference::scale(reference::sub(q, s), in.uniform(0.0f, 2.5f));
            const RVec d = reference::add(v, in.vec(-0.1f, 0.1f));
            Vec3 p(7, 7, 7);
            RVec r{7, 7, 7};
            const bool ph = intersectSegmentPlane(fromR(q), fromR(n), fromR(s), fromR(d), p);
            const bool rh = reference::intersectSegmentPlane(q, n, s, d, r);
            fp.add(rh);
            fp.add(r);
            crossings += rh;
            return ph == rh && sameBits(p, r) ? "" : hex(q) + hex(n) + hex(s) + hex(d);
        });
    EXPECT_GT(crossings, kRandomCases / 5); // the crossing arithmetic is exercised
}

TEST(ExactPrimitives, RaySphereDistanceOnRandomInputs) {
    int contacts = 0;
    expectAllAgree("raySphereDistance", 4,
                   [&](exact::Inputs& in, exact::Fingerprint& fp) -> std::string {
                       const RVec o = in.anyVec(), d = in.vec(-0.02f, 0.02f);
                       const RVec c = reference::add(o, in.vec(-0.05f, 0.05f));
                       const double radius = in.chance(2) ? 0.01 : double(in.uniform(0.0f, 1.0f));
                       const double pd = raySphereDistance(fromR(o), fromR(d), fromR(c), radius);
                       const double rd = reference::raySphereDistance(o, d, c, radius);
                       fp.add(rd);
                       contacts += rd > -1.0;
                       return std::memcmp(&pd, &rd, sizeof pd) == 0 ? "" : hex(o) + hex(d) + hex(c);
                   });
    EXPECT_GT(contacts, kRandomCases / 5);
}

// A point near triangle abc: inside or outside it, in or just off its plane.
RVec nearTriangle(exact::Inputs& in, const RVec& a, const RVec& b, const RVec& c) {
    const float u = in.uniform(-0.2f, 1.0f), v = in.uniform(-0.2f, 1.0f - u);
    RVec p = reference::add(a, reference::add(reference::scale(reference::sub(b, a), u),
                                              reference::scale(reference::sub(c, a), v)));
    if (in.chance(3))
        p = reference::add(p, in.vec(-1e-3f, 1e-3f));
    return p;
}

TEST(ExactPrimitives, PointInTriangleOnRandomInputs) {
    int inside = 0;
    expectAllAgree("pointInTriangle", 5,
                   [&](exact::Inputs& in, exact::Fingerprint& fp) -> std::string {
                       const RVec a = in.anyVec(), b = in.anyVec(), c = in.anyVec();
                       const RVec p = nearTriangle(in, a, b, c);
                       const bool ph = pointInTriangle(fromR(p), fromR(a), fromR(b), fromR(c));
                       const bool rh = reference::pointInTriangle(p, a, b, c);
                       fp.add(rh);
                       inside += rh;
                       return ph == rh ? "" : hex(p) + hex(a) + hex(b) + hex(c);
                   });
    EXPECT_GT(inside, kRandomCases / 5);
}

TEST(ExactPrimitives, ClosestPointOnTriangleOnRandomInputs) {
    expectAllAgree("closestPointOnTriangle", 6,
                   [](exact::Inputs& in, exact::Fingerprint& fp) -> std::string {
                       const RVec a = in.anyVec(), b = in.anyVec(), c = in.anyVec();
                       const RVec p = in.chance(2) ? nearTriangle(in, a, b, c) : in.anyVec();
                       Vec3 out = fromR(p); // the output aliasing the point, as the ball calls it
                       closestPointOnTriangle(fromR(a), fromR(b), fromR(c), out, out);
                       const RVec want = reference::closestPointOnTriangle(a, b, c, p);
                       fp.add(want);
                       return sameBits(out, want) ? "" : hex(p) + hex(a) + hex(b) + hex(c);
                   });
}

} // namespace
} // namespace orbiton
