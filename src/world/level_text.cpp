// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/level_text.h"

#include <cstdio>

namespace orbiton {

namespace {

// Letters and the white space a level line starts with.
bool isTextByte(int c) {
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F);
}

void appendUtf8(std::string& out, unsigned long c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

constexpr unsigned long kReplacement = 0xFFFD;

} // namespace

LevelTextEncoding levelTextEncoding(int first, int second) {
    if (first == 0xFF && second == 0xFE)
        return LevelTextEncoding::Utf16LittleEndian;
    if (first == 0xFE && second == 0xFF)
        return LevelTextEncoding::Utf16BigEndian;
    if (isTextByte(first) && second == 0)
        return LevelTextEncoding::Utf16LittleEndianBare;
    if (first == 0 && isTextByte(second))
        return LevelTextEncoding::Utf16BigEndianBare;
    return LevelTextEncoding::Bytes;
}

std::string utf8FromUtf16(std::streambuf& in, bool bigEndian, std::size_t maxBytes, bool& oddByte) {
    std::string out;
    oddByte = false;
    unsigned long high = 0; // a high surrogate waiting for its low half
    for (std::size_t read = 0; read < maxBytes; read += 2) {
        const int a = in.sbumpc();
        if (a == EOF)
            break;
        const int b = read + 1 < maxBytes ? in.sbumpc() : EOF;
        if (b == EOF) {
            oddByte = true;
            break;
        }
        const unsigned long unit = bigEndian ? (unsigned long)(a) << 8 | unsigned(b)
                                             : (unsigned long)(b) << 8 | unsigned(a);
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(out,
                       high ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00) : kReplacement);
            high = 0;
            continue;
        }
        if (high)
            appendUtf8(out, kReplacement);
        high = 0;
        if (unit >= 0xD800 && unit <= 0xDBFF)
            high = unit;
        else
            appendUtf8(out, unit);
    }
    if (high)
        appendUtf8(out, kReplacement);
    return out;
}

} // namespace orbiton
