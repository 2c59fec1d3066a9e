// The handheld names of exported databases: an index file of "account file name|mapped
// name" lines (CR LF) gives each long account file name a short unique name
// "Budget<n>.pdb", n being the line's position. The file only grows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace trellisk {

// How a requested file name finds its line.
enum class NameMatch {
    // The name as the export gives it: only a line recorded for that very name, so two
    // accounts whose names differ by a space and an "_" never share a handheld database.
    Exact,
    // A backup's name, where spaces stand as "_": the first line whose name, or that name
    // with every space replaced by "_", equals it.
    SpacesAsUnderscores,
};

// The name to use for `requested` (a "/"-separated path, UTF-8): the category and payment
// mode databases keep their names; a known file name gets its recorded name; an unknown
// one gets the next number and a new line in the index. The folder part of `requested` is
// kept. The index file is Windows-1252, readable by its owner alone.
//
// Nothing when the index cannot be read, or a new line cannot be written to it: no name
// is handed out that the index does not hold, so no two names ever share one.
std::optional<std::string> mapDatabaseName(const std::filesystem::path& indexFile,
                                           std::string_view requested,
                                           NameMatch match = NameMatch::SpacesAsUnderscores);

} // namespace trellisk
