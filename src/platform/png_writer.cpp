#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/offscreen_context.h"

namespace orbiton {

bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
    if (rgba.size() < std::size_t(width) * height * 4)
        return false;
    return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

} // namespace orbiton
