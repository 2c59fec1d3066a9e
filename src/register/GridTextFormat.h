// The grid text format of account files, planning files and every scratch load: a size
// line "columns,rows", one "cw index,width" line per column, then one "column,row,text"
// line per non-empty cell, in Windows-1252 with CR LF line ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "register/Grid.h"

namespace platform {
class Registry;
}

namespace ledgora {

enum class GridTextStatus { Ok, NoData };

// Reads file bytes into `grid`. A non-empty size line resizes the grid (cells that fit are
// kept, so callers clear the grid first); an empty one keeps its size. Lines naming a cell
// or width outside the grid are skipped. NoData when a count is zero, or when the counts
// promise more cells than the file has bytes (the grid is then untouched): every row the
// program writes has a line of its own, so a real file never does, and the memory a load
// takes stays a small multiple of the file's size.
GridTextStatus readGridText(std::string_view bytes, Grid& grid);

// The file bytes of the first `columns` columns of `grid` (all when negative).
std::string writeGridText(const Grid& grid, int columns = -1);

// readGridText() on a file. Nothing on success, else the message to show:
// "Cannot open file <path>" or "File contains no data or corrupt file <path>". The cells
// of `skippedColumn` are not read: a register's row numbers, which its load writes again.
std::optional<std::string> loadGridFile(const std::filesystem::path& path, Grid& grid,
                                        int skippedColumn = -1);

// writeGridText() to a file, atomically. Nothing on success, else "Cannot Create <path>";
// the previous file is then untouched.
std::optional<std::string> saveGridFile(const Grid& grid, const std::filesystem::path& path,
                                        int columns = -1);
// The same for bytes writeGridText() made.
std::optional<std::string> saveGridBytes(std::string_view bytes, const std::filesystem::path& path);

// "Cannot Create <path>": the message of a file that could not be written.
std::string cannotCreateMessage(const std::filesystem::path& path);

// The message of a settings save that failed: "Cannot Create " and the hive file.
std::string settingsSaveError(const platform::Registry& registry);

} // namespace ledgora
