// The handheld names of exported databases: an index file of "account file name|mapped
// name" lines (CR LF) gives each long account file name a short unique name
// "Budget<n>.pdb", n being the line's position. The file only grows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trellisk {

// The name to use for `requested` (a "/"-separated path, UTF-8): the category and payment
// mode databases keep their names; a known file name (spaces may stand as "_") gets its
// recorded name; an unknown one gets the next number and a new line in the index. The
// folder part of `requested` is kept. The index file is Windows-1252.
std::string mapDatabaseName(const std::filesystem::path& indexFile, std::string_view requested);

} // namespace trellisk
