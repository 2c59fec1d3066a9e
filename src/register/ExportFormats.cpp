#include "register/ExportFormats.h"

#include "platform/FileIO.h"
#include "register/CsvExport.h"
#include "register/HtmlExport.h"
#include "register/RtfExport.h"
#include "register/TextExport.h"
#include "register/XlsExport.h"

namespace ledgora {
namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

const ExportFilter& exportFilter(ExportFormat format) {
    return kExportFilters[static_cast<std::size_t>(format) - 1];
}

std::optional<ExportFormat> exportFormatOfIndex(int index) {
    if (index < 1 || index > static_cast<int>(kExportFilters.size())) {
        return std::nullopt;
    }
    return kExportFilters[static_cast<std::size_t>(index) - 1].format;
}

std::optional<ExportFormat> exportFormatOfExtension(std::string_view extension) {
    for (const ExportFilter& f : kExportFilters) {
        if (equalsIgnoringAsciiCase(f.extension, extension)) {
            return f.format;
        }
    }
    return std::nullopt;
}

std::string proposedExportName(const std::string& account, ExportFormat format) {
    return account + "." + std::string(exportFilter(format).extension);
}

std::filesystem::path exportPath(const std::filesystem::path& typed, ExportFormat format) {
    const std::string_view wanted = exportFilter(format).extension;
    const std::string current = typed.extension().string();
    if (current.size() > 1 &&
        equalsIgnoringAsciiCase(std::string_view(current).substr(1), wanted)) {
        return typed;
    }
    std::filesystem::path path = typed;
    path.replace_extension(std::string(wanted));
    return path;
}

std::string exportBytes(ExportFormat format, const Grid& grid, const GridLook& look) {
    switch (format) {
    case ExportFormat::Csv:
        return csvExport(grid, look);
    case ExportFormat::Html:
        return htmlExport(grid, look);
    case ExportFormat::Text:
        return fixedWidthTextExport(grid, look);
    case ExportFormat::Doc:
        return rtfExport(grid, look);
    case ExportFormat::Xls:
        break;
    }
    return xlsExport(grid, look);
}

std::optional<std::string> exportGrid(ExportFormat format, const Grid& grid, const GridLook& look,
                                      const std::filesystem::path& path) {
    if (!platform::writeFileAtomically(path, exportBytes(format, grid, look))) {
        return "Cannot Create file " + path.string();
    }
    return std::nullopt;
}

} // namespace ledgora
