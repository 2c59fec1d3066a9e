#include "builder/NameIndex.h"

#include <system_error>

#include "builder/AnsiText.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"

namespace trellisk {
namespace {

constexpr std::size_t kMaxMappedName = 255;

} // namespace

std::string mapDatabaseName(const std::filesystem::path& indexFile, std::string_view requested) {
    const std::string_view folder = AnsiText::folderPart(requested);
    const std::string_view file = AnsiText::fileNamePart(requested);
    const std::string upper = AnsiText::upperCase(file);
    if (upper == "RUBRIQUES.PDB" || upper == "MODES.PDB") {
        return std::string(requested);
    }
    // Keys are compared as the file holds them, so a name the code page cannot hold
    // still finds the line written for it.
    const std::string key = platform::utf8ToCp1252(file);
    std::error_code ec;
    std::string index;
    if (std::filesystem::is_regular_file(indexFile, ec)) {
        index = platform::readFile(indexFile).value_or(std::string());
    } else {
        platform::writeFileAtomically(indexFile, {});
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
        std::string variant(lineKey);
        for (char& c : variant) {
            if (c == ' ') {
                c = '_';
            }
        }
        if (lineKey == key || variant == key) {
            mapped = std::string(line.substr(bar + 1, kMaxMappedName));
            found = true;
        }
    });
    if (!found) {
        mapped = "Budget" + std::to_string(lineCount) + ".pdb";
        if (!index.empty() && index.back() != '\n' && index.back() != '\r') {
            index += "\r\n";
        }
        index += key + "|" + mapped + "\r\n";
        platform::writeFileAtomically(indexFile, index);
    }
    return std::string(folder) + platform::cp1252ToUtf8(mapped);
}

} // namespace trellisk
