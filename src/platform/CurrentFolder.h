// The process's current folder. The program works in its data folder, so that the
// relative paths the product uses (the builder's "../PennaroPalm.ind") land in one stable
// place, whatever folder the program was started from.
#pragma once

#include <filesystem>

namespace platform {

// Creates `folder` when missing and makes it the current folder; false when either fails
// (the current folder is then unchanged).
bool enterFolder(const std::filesystem::path& folder);

} // namespace platform
