#include "calculator/CalcFile.h"

#include "platform/Cp1252.h"
#include "platform/FileIO.h"

namespace calculator {

namespace {

// A line may not carry a line break of its own, or the file would lose its layout.
void appendLine(std::string& out, std::string_view text) {
    for (char c : platform::utf8ToCp1252(text)) {
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    out += "\r\n";
}

std::optional<std::size_t> parseCount(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    std::size_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n;
}

} // namespace

std::string writeCalcFile(const CalcFile& file) {
    std::string out;
    appendLine(out, std::to_string(file.lines.size()));
    for (const std::string& line : file.lines) {
        appendLine(out, line);
    }
    for (const std::string& variable : file.variables) {
        appendLine(out, variable);
    }
    appendLine(out, file.mode == DisplayMode::Tape ? "1" : "0");
    for (const bool ticked : file.decimals) {
        appendLine(out, ticked ? "1" : "0");
    }
    return out;
}

std::optional<CalcFile> readCalcFile(std::string_view bytes) {
    const std::vector<std::string_view> lines = platform::splitLines(bytes);
    if (lines.empty()) {
        return std::nullopt;
    }
    const auto count = parseCount(lines[0]);
    constexpr std::size_t kTrailer = 10 + 1 + DecimalsSetting::kCount;
    if (!count || *count > lines.size() - 1 || lines.size() - 1 - *count < kTrailer) {
        return std::nullopt;
    }
    CalcFile file;
    std::size_t at = 1;
    for (std::size_t i = 0; i < *count; ++i) {
        file.lines.push_back(platform::cp1252ToUtf8(lines[at++]));
    }
    for (std::string& variable : file.variables) {
        variable = platform::cp1252ToUtf8(lines[at++]);
    }
    const std::string_view mode = lines[at++];
    if (mode != "0" && mode != "1") {
        return std::nullopt;
    }
    file.mode = mode == "1" ? DisplayMode::Tape : DisplayMode::Page;
    for (bool& ticked : file.decimals) {
        ticked = lines[at++] == "1";
    }
    return file;
}

CalcFile calcFileOf(const Worksheet& sheet) {
    CalcFile file;
    file.lines = sheet.lines();
    if (!file.lines.empty() && file.lines.back().empty()) {
        file.lines.pop_back();
    }
    file.variables = sheet.variables();
    file.mode = sheet.mode();
    file.decimals = sheet.decimals().ticks();
    return file;
}

void applyCalcFile(const CalcFile& file, Worksheet& sheet) {
    std::string page;
    for (const std::string& line : file.lines) {
        page += line;
        page += '\n';
    }
    sheet.setPage(page);
    sheet.setCaret(0, 0);
    sheet.variables() = file.variables;
    sheet.setMode(file.mode);
    for (int i = 0; i < DecimalsSetting::kCount; ++i) {
        sheet.decimals().setTicked(i, file.decimals[static_cast<std::size_t>(i)]);
    }
}

} // namespace calculator
