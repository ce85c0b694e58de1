// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace orbiton::test {

// A folder of one test's own under the test temporary folder, made new
// ("orbiton-NAME-" and a random number, never one that was there) and
// removed with everything in it afterwards, without throwing: two test runs
// at once (two build trees, a CI job beside a developer) never share one,
// and no test deletes a folder it did not make.
class LevelDirectory {
  public:
    explicit LevelDirectory(const std::string& name);
    ~LevelDirectory();
    LevelDirectory(const LevelDirectory&) = delete;
    LevelDirectory& operator=(const LevelDirectory&) = delete;

    // Writes N.lvl; file writes any other file in it. Both return its path.
    std::string write(int level, const std::string& text) const;
    std::string file(const std::string& name, const std::string& text) const;
    const std::string& path() const { return dir; }

  private:
    std::string dir;
};

// A whole file's bytes; empty when it cannot be read.
std::string fileText(const std::string& path);

} // namespace orbiton::test
