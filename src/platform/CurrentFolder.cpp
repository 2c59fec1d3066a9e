#include "platform/CurrentFolder.h"

#include <system_error>

namespace platform {

bool enterFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return false;
    }
    std::filesystem::current_path(folder, ec);
    return !ec;
}

} // namespace platform
