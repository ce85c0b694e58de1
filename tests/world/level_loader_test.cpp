// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "paddle_arena/outer_shell.h"
#include "world/level_loader.h"

namespace orbiton {
namespace {

struct Loaded {
    BrickList bricks;
    ObjectList others;
    LevelReport report;

    bool mentions(int line, const std::string& fragment) const {
        for (const auto& p : report.problems)
            if (p.line == line && p.message.find(fragment) != std::string::npos)
                return true;
        return false;
    }
};

std::unique_ptr<Loaded> load(const std::string& text) {
    auto l = std::make_unique<Loaded>();
    std::istringstream in(text);
    LevelLoader(l->bricks, l->others, l->report).loadLevel(in);
    return l;
}

TEST(LevelLoader, ShellAndArenaLinesInFileOrder) {
    auto l = load("# a level\nOuterShell 2 ff\nShell 1 0.3 0.35 80 f Red\nShell 1 0.4 0.45 "
                  "01 f Blue\nOuterShell 1 f0\n");
    ASSERT_EQ(l->bricks.size(), 8u);
    EXPECT_EQ(l->bricks[0]->material, findMaterial("Red"));
    EXPECT_EQ(l->bricks[4]->material, findMaterial("Blue"));
    ASSERT_EQ(l->others.size(), 2u);
    EXPECT_EQ(l->others[0]->getShape()->triangles.size(), 128u);
    EXPECT_EQ(l->others[1]->getShape()->triangles.size(), 16u);
    for (const auto& v : l->others[1]->getShape()->vertices)
        EXPECT_NEAR(length(v), 0.5, 1e-6); // every arena has radius 0.5
    EXPECT_TRUE(l->report.problems.empty());
}

TEST(LevelLoader, KeywordsNeedTheExactWordAndOneSpace) {
    auto l = load("Shell\t1 0.3 0.35 80 f Red\nshell 1 0.3 0.35 80 f Red\n"
                  "    Shell 1 0.3 0.35 80 f Red\nOuterShel 1 ff\n");
    EXPECT_EQ(l->bricks.size(), 4u); // only the line with leading spaces
    EXPECT_TRUE(l->others.empty());
    EXPECT_TRUE(l->mentions(1, "followed by a space"));
    EXPECT_TRUE(l->mentions(2, "did you mean \"Shell\""));
    EXPECT_TRUE(l->mentions(4, "did you mean \"OuterShell\""));
    EXPECT_EQ(l->report.problems.size(), 3u);
}

TEST(LevelLoader, CommentsAndFreeTextAreIgnoredQuietly) {
    auto l = load("# only comments\n\n   \n#Shell 1 0.3 0.35 ff f Red\nTitle: The Start\n");
    EXPECT_TRUE(l->bricks.empty());
    EXPECT_TRUE(l->others.empty());
    EXPECT_TRUE(l->report.problems.empty());
}

TEST(LevelLoader, LongLinesAreCutAt255AndTheNextLineStillReads) {
    // 300 characters: a shell line padded with spaces; the cut falls in the padding.
    std::string shell = "Shell 1 0.3 0.35 80 f Red";
    std::string line = shell + std::string(300 - shell.size(), ' ');
    auto l = load(line + "\nOuterShell 1 ff\n");
    EXPECT_EQ(l->bricks.size(), 4u);
    EXPECT_EQ(l->others.size(), 1u);

    // 255 + 9999 + the rest: the rest is read as a line of its own.
    std::string huge =
        "#" + std::string(254 + 9999, 'x') + "OuterShell 1 ff\nShell 1 0.3 0.35 80 f Red";
    auto h = load(huge); // and no final line feed
    EXPECT_EQ(h->others.size(), 1u);
    EXPECT_EQ(h->bricks.size(), 4u);
}

TEST(LevelLoader, TextBeyondTheCutIsLostAndReported) {
    // The mask field falls beyond 255 characters: the line ends before it.
    std::string line = "Shell 1 0.3" + std::string(260, ' ') + "0.35 80 f Red\n";
    auto l = load(line);
    EXPECT_TRUE(l->bricks.empty());
    EXPECT_TRUE(l->mentions(1, "longer than 255"));
}

TEST(LevelLoader, CrLfEndingsGiveTheSameLevel) {
    auto lf = load("OuterShell 2 ff\nShell 2 0.3 0.35 ff f Red\n");
    auto crlf = load("OuterShell 2 ff\r\nShell 2 0.3 0.35 ff f Red\r\n");
    ASSERT_EQ(lf->bricks.size(), crlf->bricks.size());
    ASSERT_EQ(crlf->bricks.size(), 128u);
    for (std::size_t i = 0; i < lf->bricks.size(); ++i)
        EXPECT_EQ(lf->bricks[i]->getShape()->vertices, crlf->bricks[i]->getShape()->vertices);
    EXPECT_EQ(crlf->others.size(), 1u);
    EXPECT_TRUE(crlf->report.problems.empty());
}

TEST(LevelLoader, HexFieldsTakeCaseSignsAndPrefixes) {
    auto l = load("Shell 1 0.3 0.35 0xFF 0XF Red\nShell 1 0.3 0.35 Ff f Red\n"
                  "OuterShell 1 0x80\n");
    EXPECT_EQ(l->bricks.size(), 64u);
    ASSERT_EQ(l->others.size(), 1u);
    EXPECT_EQ(l->others[0]->getShape()->triangles.size(), 4u);
    // -1 is 0xFFFFFFFF: all faces, all parts (with a note that high bits are ignored).
    auto neg = load("Shell 1 +0.3 3.5e-1 -1 -1 Red\n");
    EXPECT_EQ(neg->bricks.size(), 32u);
    EXPECT_TRUE(neg->mentions(1, "only the low 8 bits"));
    EXPECT_FLOAT_EQ(neg->bricks[0]->getShape()->vertices[3].y, 0.35f);
}

TEST(LevelLoader, MissingFieldsReadAsZero) {
    auto l = load("Shell 2 0.3 0.35\nOuterShell 3\nShell 1 0.3 0.35 80 f\n");
    EXPECT_TRUE(l->mentions(1, "ends before its face mask"));
    ASSERT_EQ(l->others.size(), 1u);
    EXPECT_TRUE(l->others[0]->getShape()->triangles.empty()); // mask 0: no faces
    EXPECT_TRUE(l->mentions(2, "ends before its face mask"));
    // No name: the bricks are made and drawn with the fallback.
    ASSERT_EQ(l->bricks.size(), 4u);
    EXPECT_TRUE(l->bricks[0]->hasFallbackMaterial());
    EXPECT_TRUE(l->mentions(3, "material name"));
}

TEST(LevelLoader, RefusesLinesThatWouldNeverEndOrExhaustMemory) {
    auto l = load("Shell 0 0.3 0.35 ff f Red\nShell -2 0.3 0.35 ff f Red\n"
                  "Shell 7 0.3 0.35 ff f Red\nShell 99999999999 0.3 0.35 ff f Red\n"
                  "OuterShell 0 ff\nOuterShell -2 ff\nOuterShell 7 ff\n"
                  "OuterShell 7 80\nOuterShell -1 ff\n");
    EXPECT_TRUE(l->bricks.empty());
    EXPECT_TRUE(l->mentions(1, "below 1"));
    EXPECT_TRUE(l->mentions(2, "below 1"));
    EXPECT_TRUE(l->mentions(3, "131072 bricks"));
    EXPECT_TRUE(l->mentions(4, "out of range"));
    EXPECT_TRUE(l->mentions(4, "above 16"));
    EXPECT_TRUE(l->mentions(5, "must be -1 or at least 1"));
    EXPECT_TRUE(l->mentions(6, "must be -1 or at least 1"));
    EXPECT_TRUE(l->mentions(7, "65536 vertices"));
    // A partial depth-7 arena fits, and depth -1 is a legal empty arena.
    ASSERT_EQ(l->others.size(), 2u);
    EXPECT_EQ(l->others[0]->getShape()->triangles.size(), 16384u);
    EXPECT_TRUE(l->others[1]->getShape()->vertices.empty());
}

TEST(LevelLoader, RefusesSplitsTooDeepEvenWhenTheyMakeFewBricks) {
    // One part kept: one brick a face at any depth, but the split recursed
    // once per level and a huge depth overflowed the stack (found by fuzzing).
    auto l = load("Shell 2147483647 0.3 0.35 80 1 Red\nShell 17 0.3 0.35 80 1 Red\n"
                  "Shell 16 0.3 0.35 80 1 Red\n");
    EXPECT_TRUE(l->mentions(1, "above 16"));
    EXPECT_TRUE(l->mentions(2, "above 16"));
    ASSERT_EQ(l->bricks.size(), 1u);
    EXPECT_FALSE(l->mentions(3, "refused"));
}

TEST(LevelLoader, FuzzerFindingsLoadSafely) {
    // Every input the fuzzer once crashed on, kept as a regression case.
    std::size_t files = 0;
    for (const auto& e :
         std::filesystem::directory_iterator(std::string(ORBITON_TEST_DATA) + "/fuzz")) {
        std::ifstream in(e.path(), std::ios::binary);
        BrickList bricks;
        ObjectList others;
        LevelReport report;
        LevelLoader(bricks, others, report).loadLevel(in);
        EXPECT_LE(bricks.size(), kMaxBricksPerLevel) << e.path();
        ++files;
    }
    EXPECT_GE(files, 1u);
}

TEST(LevelLoader, CapsBricksPerLevel) {
    std::string text;
    for (int i = 0; i < 9; ++i)
        text += "Shell 5 0." + std::to_string(i + 1) + " 0.35 ff f Red\n";
    auto l = load(text);
    EXPECT_EQ(l->bricks.size(), 8u * 8192u); // eight full depth-5 shells fit
    EXPECT_TRUE(l->mentions(9, "65536 a level may hold"));
}

TEST(LevelLoader, CapsArenaTrianglesPerLevel) {
    // Each line is a legal mesh (one face at depth 8: 65,536 triangles), but
    // a thousand of them would take gigabytes.
    std::string text;
    for (int i = 0; i < 5; ++i)
        text += "OuterShell 8 80\n";
    auto l = load(text);
    EXPECT_EQ(l->others.size(), 2u);
    EXPECT_TRUE(l->mentions(3, "131072 a level may hold"));
    EXPECT_TRUE(l->mentions(5, "131072 a level may hold"));
    auto four = load("OuterShell 6 ff\nOuterShell 6 ff\nOuterShell 6 ff\nOuterShell 6 ff\n");
    EXPECT_EQ(four->others.size(), 4u);
    EXPECT_TRUE(four->report.problems.empty());
}

TEST(LevelLoader, NamesAreBoundedAndUnknownOnesReported) {
    const std::string longName(150, 'Q');
    auto l = load("Shell 1 0.3 0.35 80 f " + longName +
                  "\nShell 1 0.3 0.35 80 f Mauve\n"
                  "Shell 1 0.3 0.35 80 f Red # inner ring\n");
    ASSERT_EQ(l->bricks.size(), 12u);
    EXPECT_TRUE(l->bricks[0]->hasFallbackMaterial());
    EXPECT_TRUE(l->mentions(1, "longer than 99"));
    EXPECT_TRUE(l->mentions(1, "unknown material"));
    EXPECT_TRUE(l->mentions(2, "unknown material \"Mauve\""));
    EXPECT_TRUE(l->bricks[4]->hasFallbackMaterial());
    EXPECT_EQ(l->bricks[8]->material, findMaterial("Red"));
    EXPECT_TRUE(l->mentions(3, "text after the last field"));
}

TEST(LevelLoader, ZeroBytesEndALineAndNonFiniteRadiiAreRefused) {
    auto l = load(std::string("Shell 1 0.3 0.35 80 f Red\0garbage\n", 34) +
                  "Shell 1 inf 0.35 80 f Red\nShell 1 nan 0.35 80 f Red\n");
    EXPECT_EQ(l->bricks.size(), 4u);
    // The line still loads up to the zero byte, which is said, not silent.
    EXPECT_TRUE(l->mentions(1, "zero byte at column 26"));
    EXPECT_TRUE(l->mentions(2, "not a finite number"));
    EXPECT_TRUE(l->mentions(3, "not a finite number"));
}

TEST(LevelLoader, AByteOrderMarkIsSkippedAndNoLineVanishes) {
    // Saved by an editor that marks UTF-8: the first line must still count.
    auto marked = load("\xEF\xBB\xBFShell 1 0.3 0.35 80 f Red\nShell 1 0.4 0.45 01 f Blue\n");
    EXPECT_EQ(marked->bricks.size(), 8u);
    EXPECT_TRUE(marked->report.problems.empty());
    // A mark before spaces or an empty first line: later line numbers stay right.
    auto spaced = load("\xEF\xBB\xBF  OuterShell 1 ff\n\nShell 1 0.3 0.35 80 f Pink\n");
    EXPECT_EQ(spaced->others.size(), 1u);
    EXPECT_TRUE(spaced->mentions(3, "unknown material \"Pink\""));
    // The same bytes later in a file are no mark: that line is not a level line.
    auto inside = load("Shell 1 0.3 0.35 80 f Red\n\xEF\xBB\xBFShell 1 0.4 0.45 01 f Blue\n");
    EXPECT_EQ(inside->bricks.size(), 4u);
    EXPECT_TRUE(inside->mentions(2, "here it is text"));
    // Nor is it a mark on the first line that has text, when blank bytes come
    // before it: after an empty line, a CR LF, or spaces, it is text.
    for (const char* before : {"\n", "\r\n", "  "}) {
        auto late = load(std::string(before) + "\xEF\xBB\xBFShell 1 0.4 0.45 01 f Blue\n" +
                         "Shell 1 0.3 0.35 80 f Red\n");
        EXPECT_EQ(late->bricks.size(), 4u) << "after " << ::testing::PrintToString(before);
        const int line = before[0] == ' ' ? 1 : 2;
        EXPECT_TRUE(late->mentions(line, "byte-order mark is only one as the file's first"));
    }
}

// Text as Notepad's "Unicode" saves it: UTF-16 code units, each two bytes.
std::string utf16(const std::u16string& text, bool bigEndian, bool mark = true) {
    std::string bytes;
    std::u16string all = mark ? u"\uFEFF" + text : text;
    for (char16_t unit : all) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(LevelLoader, Utf16WithItsMarkReadsAsItsText) {
    // A comment in three scripts and one character beyond the 16-bit range
    // (a surrogate pair), CR LF endings, and a problem on line 4.
    const std::u16string level = u"# \u00DCn\u00EF \u65E5\u672C \U0001F600\r\n"
                                 u"Shell 1 0.3 0.35 80 f Red\r\n"
                                 u"Shell 1 0.4 0.45 01 f Blue\r\n"
                                 u"Shell 1 0.3 0.35 80 f Pink\r\n";
    for (bool bigEndian : {false, true}) {
        auto l = load(utf16(level, bigEndian));
        EXPECT_EQ(l->bricks.size(), 12u) << (bigEndian ? "big" : "little") << "-endian";
        ASSERT_EQ(l->report.problems.size(), 1u);
        EXPECT_TRUE(l->mentions(4, "unknown material \"Pink\""));
    }
    // A lone half of a surrogate pair stands in a comment: the rest still reads.
    auto lone = load(utf16(u"# \xD800 alone\nShell 1 0.3 0.35 80 f Red\n", false));
    EXPECT_EQ(lone->bricks.size(), 4u);
    EXPECT_TRUE(lone->report.problems.empty());
    // Half a character at the end is said, about the file as a whole.
    auto odd = load(utf16(u"Shell 1 0.3 0.35 80 f Red\n", false) + "S");
    EXPECT_EQ(odd->bricks.size(), 4u);
    EXPECT_TRUE(odd->mentions(0, "ends in half a character"));
}

TEST(LevelLoader, Utf16WithoutItsMarkIsNamedNotLoaded) {
    for (bool bigEndian : {false, true}) {
        auto l = load(utf16(u"Shell 1 0.3 0.35 80 f Red\n", bigEndian, false));
        EXPECT_TRUE(l->bricks.empty());
        ASSERT_EQ(l->report.problems.size(), 1u);
        EXPECT_TRUE(
            l->mentions(1, bigEndian ? "UTF-16 text (big-endian)" : "UTF-16 text (little-endian)"));
        EXPECT_FALSE(l->mentions(1, "zero byte"));
    }
    // A file that merely starts with a zero byte and binary is no UTF-16 text.
    auto binary = load(std::string("\0\x01Shell 1 0.3 0.35 80 f Red\n", 28));
    EXPECT_TRUE(binary->mentions(1, "zero byte at column 1"));
    // A one-byte file and an ASCII one are read as they are.
    EXPECT_TRUE(load("#")->report.problems.empty());
    EXPECT_EQ(load("Shell 1 0.3 0.35 80 f Red")->bricks.size(), 4u);
}

TEST(LevelLoader, AFieldThatIsNotANumberIsNamedAsSuch) {
    auto l = load("OuterShell 3 zz\nShell 1 0.3 0.35 8g f Red\nShell x 0.3 0.35 80 f Red\n"
                  "Shell 1 0.3 wide 80 f Red\n");
    EXPECT_TRUE(l->mentions(1, "face mask \"zz\" is not a hexadecimal number"));
    EXPECT_FALSE(l->mentions(1, "ends before"));
    // "8g" reads as 8 as formatted input would; the rest is then left over.
    EXPECT_TRUE(l->mentions(2, "part mask \"g\" is not a hexadecimal number"));
    EXPECT_TRUE(l->mentions(3, "depth \"x\" is not a whole number"));
    EXPECT_TRUE(l->mentions(4, "second radius \"wide\" is not a number"));
}

TEST(LevelLoader, MissingStreamGivesNothing) {
    BrickList bricks;
    ObjectList others;
    LevelReport report;
    std::ifstream missing("/nonexistent/1.lvl");
    LevelLoader(bricks, others, report).loadLevel(missing);
    EXPECT_TRUE(bricks.empty());
    EXPECT_TRUE(report.problems.empty());
}

} // namespace
} // namespace orbiton
