// The five formats of the register export, as the export dialog lists them (filter
// index, filter text, extension), the rule that gives the written file its format's
// extension, and the one entry point that writes a grid in a format to a file.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// Numbered as the dialog's filter indices.
enum class ExportFormat { Csv = 1, Html = 2, Text = 3, Doc = 4, Xls = 5 };

struct ExportFilter {
    ExportFormat format;
    std::string_view text;
    std::string_view extension; // without the dot
};

inline constexpr std::array<ExportFilter, 5> kExportFilters = {{
    {ExportFormat::Csv, "Comma Separated Value (.csv)", "csv"},
    {ExportFormat::Html, "HTML (.htm)", "htm"},
    {ExportFormat::Text, "Ascii (.txt)", "txt"},
    {ExportFormat::Doc, "Document Word (.doc)", "doc"},
    {ExportFormat::Xls, "Feuille de calcul Excel (.xls)", "xls"},
}};

// The format the dialog starts with when none was remembered.
inline constexpr ExportFormat kDefaultExportFormat = ExportFormat::Xls;

const ExportFilter& exportFilter(ExportFormat format);
// The format of a filter index 1 to 5; nothing for any other index.
std::optional<ExportFormat> exportFormatOfIndex(int index);
// The format whose extension this is ("csv", "htm"...: case ignored, without the dot).
std::optional<ExportFormat> exportFormatOfExtension(std::string_view extension);

// The dialog's proposed name: the account name, ".", the format's extension.
std::string proposedExportName(const std::string& account, ExportFormat format);

// The file an export writes when the user typed `typed`: the format's extension replaces
// the typed one (releve.csv with the text format gives releve.txt), or is added when there
// is none. An extension that is already the format's, in any case, is kept as typed.
std::filesystem::path exportPath(const std::filesystem::path& typed, ExportFormat format);

// The file's bytes in the format.
std::string exportBytes(ExportFormat format, const Grid& grid, const GridLook& look);

// Writes the grid to `path` in the format, atomically: the previous file is untouched on
// failure. Nothing on success, else the message to show, "Cannot Create file <path>".
std::optional<std::string> exportGrid(ExportFormat format, const Grid& grid, const GridLook& look,
                                      const std::filesystem::path& path);

} // namespace ledgora
