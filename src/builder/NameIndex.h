// The handheld names of exported databases: an index file of "account file name|mapped
// name" lines (CR LF) gives each long account file name a short unique name
// "Budget<n>.pdb", n being the line's position. The file only grows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace trellisk {

// Who asks for a name.
enum class NameUse {
    // The export, naming the account as typed: only a line recorded for that very name
    // matches, so two accounts whose names differ by a space and an "_" never share a
    // handheld database. An unknown name gets the next number and a new line.
    Export,
    // The import from a backup, where spaces stand as "_": the first line whose name, or
    // that name with every space replaced by "_", equals it. An unknown name was never
    // exported: it has no handheld database, and the index is left as it is (a line made
    // for it would later keep the account's real export from being found).
    Backup,
};

// The name to use for `requested` (a "/"-separated path, UTF-8): the category and payment
// mode databases keep their names; a known file name gets its recorded name. The folder
// part of `requested` is kept. The index file is Windows-1252, readable by its owner
// alone, and only grows.
//
// Nothing when the index cannot be read, when a new line cannot be written to it (no
// name is handed out that the index does not hold, so no two names ever share one), or
// for a backup name it does not hold.
std::optional<std::string> mapDatabaseName(const std::filesystem::path& indexFile,
                                           std::string_view requested, NameUse use);

} // namespace trellisk
