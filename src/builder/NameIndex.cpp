#include "builder/NameIndex.h"

#include <system_error>

#include "builder/AnsiText.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/FileLock.h"

namespace trellisk {
namespace {

constexpr std::size_t kMaxMappedName = 255;

} // namespace

std::optional<std::string> mapDatabaseName(const std::filesystem::path& indexFile,
                                           std::string_view requested, NameUse use) {
    const std::string_view folder = AnsiText::folderPart(requested);
    const std::string_view file = AnsiText::fileNamePart(requested);
    const std::string upper = AnsiText::upperCase(file);
    if (upper == "RUBRIQUES.PDB" || upper == "MODES.PDB") {
        return std::string(requested);
    }
    // Keys are compared as the file holds them, so a name the code page cannot hold
    // still finds the line written for it.
    const std::string key = platform::utf8ToCp1252(file);
    // Two processes exporting at once must not both take the next number. Without a lock
    // file (a folder that cannot be written) nothing can extend the index either.
    const platform::FileLock lock(indexFile);
    std::error_code ec;
    std::string index;
    const auto status = std::filesystem::symlink_status(indexFile, ec);
    if (std::filesystem::exists(status)) {
        // An index that cannot be read is never replaced: its numbers are on the handheld.
        if (!std::filesystem::is_regular_file(indexFile, ec)) {
            return std::nullopt;
        }
        auto bytes = platform::readFile(indexFile);
        if (!bytes) {
            return std::nullopt;
        }
        index = std::move(*bytes);
    }
    std::string mapped;
    std::size_t lineCount = 0;
    bool found = false;
    platform::forEachLine(index, [&](std::string_view line) {
        ++lineCount;
        const std::size_t bar = line.find('|');
        if (found || AnsiText::trim(line).empty() || bar == std::string_view::npos) {
            return;
        }
        const std::string_view lineKey = line.substr(0, bar);
        bool matches = lineKey == key;
        if (!matches && use == NameUse::Backup) {
            std::string variant(lineKey);
            for (char& c : variant) {
                if (c == ' ') {
                    c = '_';
                }
            }
            matches = variant == key;
        }
        if (matches) {
            mapped = std::string(line.substr(bar + 1, kMaxMappedName));
            found = true;
        }
    });
    if (!found && use == NameUse::Backup) {
        return std::nullopt;
    }
    if (!found) {
        mapped = "Budget" + std::to_string(lineCount) + ".pdb";
        if (!index.empty() && index.back() != '\n' && index.back() != '\r') {
            index += "\r\n";
        }
        index += key + "|" + mapped + "\r\n";
        if (!platform::writeFileAtomically(indexFile, index)) {
            return std::nullopt;
        }
    }
    return std::string(folder) + platform::cp1252ToUtf8(mapped);
}

} // namespace trellisk
