// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/level_loader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "geometry/sphere_mesh.h"
#include "paddle_arena/outer_shell.h"
#include "world/field_scanner.h"
#include "world/level_file.h"
#include "world/level_text.h"

namespace orbiton {

namespace {

constexpr std::size_t kDiscardLength = 9999;

std::string hex(unsigned v, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
    return buf;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::string quoted(const std::string& s, std::size_t limit = 40) {
    return "\"" + (s.size() > limit ? s.substr(0, limit) + "..." : s) + "\"";
}

std::string firstWord(const std::string& s) {
    std::size_t end = 0;
    while (end < s.size() && !isFieldSpace(s[end]))
        ++end;
    return s.substr(0, end);
}

} // namespace

LevelLoader::LevelLoader(BrickList& bricks_, ObjectList& others_, LevelReport& report_,
                         const LevelLimits& limits_)
    : bricks(bricks_), others(others_), report(report_), limits(limits_) {}

void LevelLoader::problem(int lineNumber, const std::string& message) {
    report.problems.push_back({lineNumber, message});
}

void LevelLoader::loadLevel(std::istream& in) {
    std::streambuf* sb = in.rdbuf();
    if (!in || !sb)
        return; // a missing file is the normal end of the level list
    const int first = sb->sbumpc();
    if (first == EOF)
        return;
    const int second = sb->sgetc();
    const LevelTextEncoding encoding = levelTextEncoding(first, second);
    switch (encoding) {
    case LevelTextEncoding::Utf16LittleEndian:
    case LevelTextEncoding::Utf16BigEndian: {
        sb->sbumpc(); // the rest of the mark
        bool oddByte = false;
        std::istringstream text(utf8FromUtf16(*sb, encoding == LevelTextEncoding::Utf16BigEndian,
                                              kMaxLevelFileBytes, oddByte));
        loadText(*text.rdbuf());
        if (oddByte)
            problem(0, "the UTF-16 text ends in half a character (an odd number of bytes)");
        return;
    }
    case LevelTextEncoding::Utf16LittleEndianBare:
    case LevelTextEncoding::Utf16BigEndianBare:
        problem(1, std::string("the file looks like UTF-16 text (") +
                       (encoding == LevelTextEncoding::Utf16BigEndianBare ? "big" : "little") +
                       "-endian) without a byte-order mark; save it as UTF-8, plain text, or "
                       "UTF-16 with its byte-order mark");
        return;
    case LevelTextEncoding::Bytes:
        break;
    }
    if (sb->sungetc() == EOF) {
        // A stream that cannot step back: the first byte goes in front.
        std::string text(1, char(first));
        for (int c; text.size() <= kMaxLevelFileBytes && (c = sb->sbumpc()) != EOF;)
            text.push_back(char(c));
        std::istringstream whole(text);
        loadText(*whole.rdbuf());
        return;
    }
    loadText(*sb);
}

void LevelLoader::loadText(std::streambuf& text) {
    std::streambuf* sb = &text;
    int line = 1;
    std::string buffer;
    bool fileStart = true; // nothing read yet
    for (;;) {
        int c = sb->sgetc();
        while (c != EOF && isFieldSpace(char(c))) {
            if (c == '\n')
                ++line;
            c = sb->snextc();
            fileStart = false;
        }
        if (c == EOF)
            break;
        const int startLine = line;
        buffer.clear();
        while (c != EOF && c != '\n' && buffer.size() < kMaxLineLength) {
            buffer.push_back(char(c));
            c = sb->snextc();
        }
        // Skip the rest of the line, the line feed included, up to 9999 bytes.
        std::size_t skipped = 0;
        bool longLine = false;
        while (skipped < kDiscardLength && (c = sb->sbumpc()) != EOF) {
            ++skipped;
            if (c == '\n') {
                ++line;
                break;
            }
            longLine = true;
        }
        if (fileStart && buffer.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            // A UTF-8 byte-order mark, as some editors save, when it is the
            // file's first three bytes: not part of the text. Anywhere else
            // it is text like any other.
            std::size_t start = 3;
            while (start < buffer.size() && isFieldSpace(buffer[start]))
                ++start;
            buffer.erase(0, start);
        }
        fileStart = false;
        if (longLine && !buffer.empty() && buffer[0] != '#')
            problem(startLine, "line longer than " + std::to_string(kMaxLineLength) +
                                   " characters; the rest is ignored");
        const std::size_t zero = buffer.find('\0');
        if (zero != std::string::npos && buffer[0] != '#')
            problem(startLine, "a zero byte at column " + std::to_string(zero + 1) +
                                   " ends the line there; the rest is ignored");
        parseLine(buffer, startLine);
    }
}

void LevelLoader::parseLine(const std::string& text, int lineNumber) {
    // Formatted input stops at a zero byte, and so does the game.
    const std::string line(text.c_str());
    if (line.empty() || line[0] == '#')
        return;
    if (line.compare(0, 6, "Shell ") == 0)
        parseShell(line.c_str() + 6, lineNumber);
    else if (line.compare(0, 11, "OuterShell ") == 0)
        parseOuterShell(line.c_str() + 11, lineNumber);
    else
        checkUnrecognised(line, lineNumber);
}

void LevelLoader::parseShell(const char* fields, int lineNumber) {
    int depth = 0;
    float firstRadius = 0.0f, secondRadius = 0.0f;
    unsigned faceMask = 0, subMask = 0;
    std::string materialName;
    FieldScanner scan(fields);
    const char* names[] = {"depth",     "first radius", "second radius",
                           "face mask", "part mask",    "material name"};
    int scanned = 0;
    if (scan.readInt(depth) && ++scanned && scan.readFloat(firstRadius) && ++scanned &&
        scan.readFloat(secondRadius) && ++scanned && scan.readHex(faceMask) && ++scanned &&
        scan.readHex(subMask) && ++scanned && scan.readWord(materialName, kMaxMaterialNameLength))
        ++scanned;

    const std::string rest = scan.rest();
    if (scanned < 6 && !rest.empty()) {
        const char* kinds[] = {"a whole number", "a number", "a number", "a hexadecimal number",
                               "a hexadecimal number"};
        problem(lineNumber, std::string("Shell ") + names[scanned] + " " + quoted(firstWord(rest)) +
                                " is not " + kinds[scanned] +
                                "; it and the fields after it read as 0");
    } else if (scanned < 6) {
        problem(lineNumber, std::string("Shell line ends before its ") + names[scanned] +
                                (scanned < 5 ? "; missing fields read as 0" : ""));
    }
    if (scan.wordCut())
        problem(lineNumber, "material name longer than " + std::to_string(kMaxMaterialNameLength) +
                                " characters is cut there");
    if (scanned == 6 && !rest.empty())
        problem(lineNumber, "text after the last field ignored: " + quoted(rest));
    if (scan.outOfRange())
        problem(lineNumber, "a number is out of range and was clamped");

    if (depth < 1) {
        problem(lineNumber,
                "Shell depth " + std::to_string(depth) + " is below 1; the line is refused");
        return;
    }
    if (depth > kMaxShellDepth) {
        problem(lineNumber, "Shell depth " + std::to_string(depth) + " is above " +
                                std::to_string(kMaxShellDepth) + "; the line is refused");
        return;
    }
    if (!std::isfinite(firstRadius) || !std::isfinite(secondRadius)) {
        problem(lineNumber, "Shell radius is not a finite number; the line is refused");
        return;
    }
    const std::uint64_t count = shellBrickCount(depth, faceMask, subMask);
    if (count > limits.bricksPerLine) {
        problem(lineNumber,
                "Shell would make " +
                    (count == UINT64_MAX ? std::string("too many") : std::to_string(count)) +
                    " bricks, more than the " + std::to_string(limits.bricksPerLine) +
                    " a line may make; the line is refused");
        return;
    }
    if (bricksSoFar + count > limits.bricksPerLevel) {
        problem(lineNumber, "Shell would bring the level to " +
                                std::to_string(bricksSoFar + count) + " bricks, more than the " +
                                std::to_string(limits.bricksPerLevel) +
                                " a level may hold; the line is refused");
        return;
    }
    if (faceMask > 0xFF)
        problem(lineNumber, "face mask " + hex(faceMask, 2) + ": only the low 8 bits count");
    if (subMask > 0xF)
        problem(lineNumber, "part mask " + hex(subMask, 1) + ": only the low 4 bits count");
    if (count == 0 && scanned >= 5)
        problem(lineNumber, "Shell selects no face or no part and makes no bricks");
    if (scanned == 6 && !findMaterial(materialName))
        problem(lineNumber,
                "unknown material " + quoted(materialName) + "; its bricks are drawn in magenta");
    else if (scanned == 5 && count > 0)
        problem(lineNumber, "its bricks are drawn in magenta");

    const std::size_t before = bricks.size();
    addShell(bricks, depth, firstRadius, secondRadius, faceMask, subMask, materialName);
    bricksSoFar += count;
    LevelReport::AppliedLine applied{lineNumber,      false,         depth,
                                     faceMask & 0xFF, subMask & 0xF, materialName};
    applied.bricks = bricks.size() - before;
    applied.firstRadius = firstRadius;
    applied.secondRadius = secondRadius;
    report.applied.push_back(applied);
}

void LevelLoader::parseOuterShell(const char* fields, int lineNumber) {
    int depth = 0;
    unsigned faceMask = 0;
    FieldScanner scan(fields);
    int scanned = 0;
    if (scan.readInt(depth) && ++scanned && scan.readHex(faceMask))
        ++scanned;
    const std::string rest = scan.rest();
    if (scanned < 2 && !rest.empty())
        problem(lineNumber, std::string("OuterShell ") + (scanned == 0 ? "depth " : "face mask ") +
                                quoted(firstWord(rest)) + " is not a " +
                                (scanned == 0 ? "whole" : "hexadecimal") +
                                " number; it and the fields after it read as 0");
    else if (scanned < 2)
        problem(lineNumber, std::string("OuterShell line ends before its ") +
                                (scanned == 0 ? "depth" : "face mask") +
                                "; missing fields read as 0");
    else if (!rest.empty())
        problem(lineNumber, "text after the last field ignored: " + quoted(rest));
    if (scan.outOfRange())
        problem(lineNumber, "a number is out of range and was clamped");

    switch (SphereMesh::check(depth, faceMask)) {
    case SphereMesh::Problem::BadDepth:
        problem(lineNumber, "OuterShell depth " + std::to_string(depth) +
                                " must be -1 or at least 1; the line is refused");
        return;
    case SphereMesh::Problem::TooManyVertices:
        problem(lineNumber, "OuterShell depth " + std::to_string(depth) + " with faces " +
                                hex(faceMask & 0xFF, 2) + " needs more than " +
                                std::to_string(Mesh::kMaxVertices) +
                                " vertices; the line is refused");
        return;
    case SphereMesh::Problem::None:
        break;
    }
    const std::uint64_t triangles =
        depth < 1 ? 0 : std::uint64_t(__builtin_popcount(faceMask & 0xFF)) << (2 * unsigned(depth));
    if (arenaTrianglesSoFar + triangles > limits.arenaTrianglesPerLevel) {
        problem(lineNumber, "OuterShell would bring the level to " +
                                std::to_string(arenaTrianglesSoFar + triangles) +
                                " arena triangles, more than the " +
                                std::to_string(limits.arenaTrianglesPerLevel) +
                                " a level may hold; the line is refused");
        return;
    }
    arenaTrianglesSoFar += triangles;
    if (faceMask > 0xFF)
        problem(lineNumber, "face mask " + hex(faceMask, 2) + ": only the low 8 bits count");

    auto shell = std::make_unique<OuterShell>(depth, kArenaRadius, faceMask);
    shell->computeCollisionMask();
    LevelReport::AppliedLine applied{lineNumber, true, depth, faceMask & 0xFF, 0, ""};
    applied.triangles = shell->getShape()->triangles.size();
    applied.collisionMask = shell->collisionMask;
    report.applied.push_back(applied);
    others.push_back(std::move(shell));
}

void LevelLoader::checkUnrecognised(const std::string& line, int lineNumber) {
    // Free text is allowed; a word that looks like a mistyped keyword is not.
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        problem(lineNumber, "a UTF-8 byte-order mark is only one as the file's first three "
                            "bytes; here it is text, and the line is ignored");
        return;
    }
    std::size_t end = 0;
    while (end < line.size() && !isFieldSpace(line[end]))
        ++end;
    const std::string word = line.substr(0, end);
    for (const char* keyword : {"Shell", "OuterShell"}) {
        if (word == keyword) {
            problem(lineNumber, std::string("\"") + keyword +
                                    "\" must be followed by a space; the line is ignored");
            return;
        }
        const std::size_t distance = editDistance(lower(word), lower(keyword));
        if (distance <= 2 && word.size() >= 4) {
            problem(lineNumber, "unrecognised line starting " + quoted(word) + "; did you mean \"" +
                                    keyword + "\"? The line is ignored");
            return;
        }
    }
}

} // namespace orbiton
