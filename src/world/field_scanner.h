// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace orbiton {

// Reads the fields of a level line the way formatted input does ("%d", "%f",
// "%x", "%s"), but with defined results where formatted input has none:
// integers out of range are clamped and flagged, and words are cut at a
// length limit instead of overflowing a buffer. Each read skips leading
// white space; a read that fails leaves the position and the target alone.
class FieldScanner {
  public:
    explicit FieldScanner(const char* text) : p(text) {}

    bool readInt(int& out);                                 // optional sign, decimal digits
    bool readFloat(float& out);                             // what strtof accepts
    bool readHex(unsigned& out);                            // optional sign and 0x, 32-bit unsigned
    bool readWord(std::string& out, std::size_t maxLength); // to the next white space

    // The text left after white space, empty at the end of the line.
    std::string rest();
    bool outOfRange() const { return rangeError; }
    bool wordCut() const { return cut; }

  private:
    void skipSpace();

    const char* p;
    bool rangeError = false;
    bool cut = false;
};

bool isFieldSpace(char c);

} // namespace orbiton
