#include "app/level_directory.h"

#include <filesystem>
#include <system_error>

#include "platform/executable_path.h"

namespace orbiton {

namespace fs = std::filesystem;

std::string resolveLevelDirectory(const std::string& given) {
    if (!given.empty())
        return given;
    std::error_code ec;
    if (fs::exists("1.lvl", ec))
        return "";
    const fs::path exe = executablePath();
    if (!exe.empty()) {
        const fs::path installed = exe.parent_path().parent_path() / "share/orbiton3d/levels";
        if (fs::exists(installed / "1.lvl", ec))
            return installed.string();
    }
    const fs::path source = ORBITON_SOURCE_LEVELS;
    if (fs::exists(source / "1.lvl", ec))
        return source.string();
    return "";
}

} // namespace orbiton
