// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/level_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace orbiton {

namespace fs = std::filesystem;

bool openLevelFile(const std::string& path, std::ifstream& file, std::string& why, bool& missing) {
    missing = false;
    const fs::path name = fs::u8path(path);
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec); // follows links
    if (ec) {
        missing = status.type() == fs::file_type::not_found;
        why = ec.message();
        return false;
    }
    if (status.type() == fs::file_type::directory) {
        why = "is a directory";
        return false;
    }
    if (status.type() != fs::file_type::regular) {
        why = "is not a regular file (a device, pipe or socket)";
        return false;
    }
    const std::uintmax_t size = fs::file_size(name, ec);
    if (ec) {
        why = ec.message();
        return false;
    }
    if (size > kMaxLevelFileBytes) {
        why = "is larger than " + std::to_string(kMaxLevelFileBytes >> 20) +
              " MiB, too large for a level";
        return false;
    }
    errno = 0;
    file.open(name, std::ios::binary);
    if (!file) {
        why = errno != 0 ? std::strerror(errno) : "cannot be opened";
        return false;
    }
    return true;
}

} // namespace orbiton
