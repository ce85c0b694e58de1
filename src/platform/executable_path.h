#pragma once

#include <string>

namespace orbiton {

// The full path of the running program, or empty where it cannot be found.
std::string executablePath();

} // namespace orbiton
