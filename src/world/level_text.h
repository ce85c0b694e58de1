// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <streambuf>
#include <string>

namespace orbiton {

// How a level file's text is stored, told by its first two bytes. Windows'
// Notepad saves "Unicode" as UTF-16 with a byte-order mark; without the mark a
// zero byte beside every letter gives UTF-16 away.
enum class LevelTextEncoding {
    Bytes,                 // UTF-8 or plain ASCII: read as it is
    Utf16LittleEndian,     // FF FE
    Utf16BigEndian,        // FE FF
    Utf16LittleEndianBare, // a letter, then a zero byte
    Utf16BigEndianBare,    // a zero byte, then a letter
};

// first and second are the file's first two bytes, EOF (-1) where it is
// shorter.
LevelTextEncoding levelTextEncoding(int first, int second);

// The rest of a UTF-16 text as UTF-8, at most maxBytes of it read. A lone
// surrogate becomes U+FFFD; oddByte is set when the text ends in half a
// character (which is dropped).
std::string utf8FromUtf16(std::streambuf& in, bool bigEndian, std::size_t maxBytes, bool& oddByte);

} // namespace orbiton
