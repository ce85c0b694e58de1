// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The reference's own results, held to a fingerprint pinned by an exact
// build: the exactness tests compare the game with the reference built by
// the same compiler with the same flags, so a flag that moves both alike
// (contracted multiply-adds, x87 excess precision) would pass them. Every
// output bit a test computes goes into a 64-bit FNV-1a hash, each value as
// its little-endian bytes so that every CPU hashes alike.

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/reference.h"

namespace orbiton::exact {

class Fingerprint {
  public:
    void bits(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            hash ^= (value >> (8 * i)) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    void add(float f) {
        std::uint32_t b;
        std::memcpy(&b, &f, sizeof b);
        bits(b, 4);
    }
    void add(double d) {
        std::uint64_t b;
        std::memcpy(&b, &d, sizeof b);
        bits(b, 8);
    }
    void add(bool b) { bits(b ? 1 : 0, 1); }
    void add(int i) { bits(std::uint32_t(i), 4); }
    void add(const reference::RVec& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    void add(const reference::RMesh& m) {
        bits(m.vertices.size(), 4);
        for (const auto& v : m.vertices)
            add(v);
        for (const auto& t : m.triangles)
            for (std::uint16_t i : t)
                bits(i, 2);
        for (const auto& n : m.faceNormals)
            add(n);
        for (const auto& n : m.vertexNormals)
            add(n);
        for (const auto& v : {m.min, m.max, m.centre, m.size})
            add(v);
        add(m.extent);
    }
    std::string hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        return text;
    }

  private:
    std::uint64_t hash = 0xCBF29CE484222325ull;
};

// The fingerprint pinned for a test in tests/data/pinned/fingerprints.txt
// ("NAME HEX" lines), "" when none is.
inline std::string pinnedFingerprint(const std::string& name) {
    std::ifstream in(std::string(ORBITON_TEST_DATA) + "/pinned/fingerprints.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, value;
        if (words >> key >> value && key == name)
            return value;
    }
    return "";
}

// On a mismatch the line "fingerprint NAME HEX" says what this build
// computed (scripts/pin-fingerprints.sh collects them from an exact build).
inline void expectPinned(const std::string& name, const Fingerprint& fp) {
    EXPECT_EQ(fp.hex(), pinnedFingerprint(name))
        << "\nfingerprint " << name << " " << fp.hex()
        << "\nthe reference's own results are not those an exact build pinned: a compiler or a "
           "flag changes what they compute (tests/data/pinned/fingerprints.txt)";
}

} // namespace orbiton::exact
