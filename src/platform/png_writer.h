#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbiton {

// Writes RGBA rows (top row first) as a PNG; false when the file cannot be written.
bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgba);

} // namespace orbiton
