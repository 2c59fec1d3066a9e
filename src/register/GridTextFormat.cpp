#include "register/GridTextFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/MappedFile.h"
#include "platform/Registry.h"

namespace ledgora {
namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kTab = '\t';
constexpr char kBS = '\b';

// A whole decimal integer, or nothing.
std::optional<long long> readInteger(std::string_view s) {
    long long v = 0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto result = std::from_chars(first, last, v);
    if (result.ec != std::errc() || result.ptr != last || first == last) {
        return std::nullopt;
    }
    return v;
}

// A count of the size line: what does not parse, or is negative or huge, reads 0.
int readCount(std::string_view s) {
    const auto v = readInteger(s);
    return v && *v > 0 && *v <= INT_MAX ? static_cast<int>(*v) : 0;
}

int readIndex(std::string_view s) {
    const auto v = readInteger(s);
    return v && *v >= 0 && *v <= INT_MAX ? static_cast<int>(*v) : -1;
}

// Every row the program writes has a line of its own (its number, at least "0,1000,1000"
// past the thousandth row), so a register of twelve columns never has more cells than its
// file has bytes. A size line that promises more is a damaged or hostile file, and not
// worth the memory: a row costs its place in the grid even when it stays empty. Small registers,
// whose rows are shorter than twelve bytes, fit in the floor.
bool plausibleSize(long long rows, long long columns, std::size_t fileBytes) {
    constexpr long long kFloorCells = 65'536;
    constexpr long long kMaxColumns = 4096;
    if (columns > kMaxColumns) {
        return false;
    }
    const long long allowed = std::max<long long>(kFloorCells, static_cast<long long>(fileBytes));
    return rows <= allowed / columns;
}

void appendNumber(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendEscaped(std::string& out, std::string_view text) {
    // A line end inside a cell would split the file's line: CR goes as TAB, LF as BS.
    if (text.find_first_of("\r\n") == std::string::npos) {
        out += text;
        return;
    }
    for (char c : text) {
        out.push_back(c == kCR ? kTab : c == kLF ? kBS : c);
    }
}

// Reads one line that is not a plain cell line: a column width, a cell whose index has a
// sign or many digits, or whose text needs converting or unescaping.
void readLine(std::string_view line, int columns, int rows, int skippedColumn, Grid& grid,
              Grid::Filler& filler, std::string& converted) {
    if (line.substr(0, 2) == "cw") {
        const std::string_view body = line.size() > 3 ? line.substr(3) : std::string_view();
        const std::size_t comma = body.find(',');
        if (comma == std::string_view::npos) {
            return;
        }
        const int index = readIndex(body.substr(0, comma));
        const auto width = readInteger(body.substr(comma + 1));
        if (index >= 0 && index < columns && width && *width >= INT_MIN && *width <= INT_MAX) {
            grid.setColumnWidth(index, static_cast<int>(*width));
        }
        return;
    }
    const std::size_t first = line.find(',');
    if (first == std::string_view::npos) {
        return;
    }
    const std::size_t second = line.find(',', first + 1);
    if (second == std::string_view::npos) {
        return;
    }
    const int column = readIndex(line.substr(0, first));
    const int row = readIndex(line.substr(first + 1, second - first - 1));
    if (column < 0 || column >= columns || row < 0 || row >= rows || column == skippedColumn) {
        return;
    }
    std::string_view cell = line.substr(second + 1);
    std::string unescaped;
    if (cell.find(kBS) != std::string_view::npos) {
        for (char c : cell) {
            const char u = c == kTab ? kCR : c == kBS ? kLF : c;
            if (u == kCR) {
                break; // register cells hold one line
            }
            unescaped.push_back(u);
        }
        cell = unescaped;
    }
    if (platform::isAscii(cell)) {
        filler.set(row, column, cell);
    } else {
        platform::cp1252ToUtf8(cell, converted);
        filler.set(row, column, converted);
    }
}

// Up to nine digits ending at a comma, read at `p`; advances `p` past the comma. False
// (and `p` anywhere) for anything else, which readLine() then reads.
bool readPlainIndex(const char*& p, const char* end, int& value) {
    int v = 0;
    const char* start = p;
    while (p < end && p - start < 9 && *p >= '0' && *p <= '9') {
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (p == start || p == end || *p != ',') {
        return false;
    }
    ++p;
    value = v;
    return true;
}

// The first byte at or after `p` that is a control character, or also one from 0x80 when
// `orHigh`: a line end, or what makes a cell need more than a copy. Eight bytes at a time
// while they are there.
template <bool orHigh> const char* firstMarked(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    while (end - p >= 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, p, 8);
        // Bytes below 0x20 (then bytes from 0x80): the lowest marked byte is the first such.
        std::uint64_t marks = (w - kOnes * 0x20) & ~w & kHigh;
        if constexpr (orHigh) {
            marks |= w & kHigh;
        }
        if (marks != 0) {
            return p + std::countr_zero(marks) / 8;
        }
        p += 8;
    }
    while (p < end && static_cast<unsigned char>(*p) >= 0x20 &&
           (!orHigh || static_cast<unsigned char>(*p) < 0x80)) {
        ++p;
    }
    return p;
}

const char* firstSpecial(const char* p, const char* end) {
    return firstMarked<true>(p, end);
}

// The first control character at or after `p`: the line end, unless the cell holds one.
const char* firstControl(const char* p, const char* end) {
    return firstMarked<false>(p, end);
}

// Reads the cell lines of `bytes` into `grid`; `consumed` is told, now and then, how many
// bytes were read, so that a mapped file can give back the pages it no longer needs.
template <typename Consumed>
GridTextStatus readGridLines(std::string_view bytes, Grid& grid, int skippedColumn,
                             Consumed&& consumed) {
    // Line ends and separators are ASCII, so the bytes are cut up as they are and only
    // cell texts are converted to UTF-8: no second copy of a large file.
    std::string_view rest = bytes;
    std::size_t firstEnd = rest.find_first_of("\r\n");
    const std::string_view sizeLine = rest.substr(0, firstEnd);

    int columns = grid.columnCount();
    int rows = grid.rowCount();
    if (!sizeLine.empty()) {
        const std::size_t comma = sizeLine.find(',');
        columns = readCount(sizeLine.substr(0, comma));
        rows = comma == std::string_view::npos ? 0 : readCount(sizeLine.substr(comma + 1));
    }
    if (columns == 0 || rows == 0 || !plausibleSize(rows, columns, bytes.size())) {
        return GridTextStatus::NoData;
    }
    grid.setColumnCount(columns);
    grid.reserveRows(rows + 1); // the blank row a load appends
    grid.setRowCount(rows);

    if (firstEnd == std::string_view::npos) {
        return GridTextStatus::Ok;
    }
    if (rest[firstEnd] == kCR && firstEnd + 1 < rest.size() && rest[firstEnd + 1] == kLF) {
        ++firstEnd;
    }
    rest.remove_prefix(firstEnd + 1);

    constexpr std::size_t kStride = std::size_t{1} << 20;
    constexpr std::ptrdiff_t kReadAhead = 1024;
    std::size_t nextReport = kStride;
    std::string converted; // one buffer for every cell that needs one
    Grid::Filler filler(grid);
    const char* p = rest.data();
    const char* const end = rest.data() + rest.size();
    // Lines end at CR, LF or CR LF, as platform::forEachLine() cuts them.
    while (p < end) {
        const auto offset = static_cast<std::size_t>(p - bytes.data());
        if (offset >= nextReport) {
            consumed(offset);
            nextReport = offset + kStride;
        }
        const char* const line = p;
        // The file's pages lie anywhere in memory, where the processor does not look ahead
        // by itself: the bytes a few lines on are asked for now.
        __builtin_prefetch(p + kReadAhead);
        int column = 0;
        int row = 0;
        const char* lineEnd = nullptr;
        if (readPlainIndex(p, end, column) && readPlainIndex(p, end, row)) {
            const char* special = firstSpecial(p, end);
            const bool converts = special != end && static_cast<unsigned char>(*special) >= 0x80;
            if (converts) {
                special = firstControl(special, end);
            }
            if (special == end || *special == kCR || *special == kLF) {
                lineEnd = special;
                const std::string_view cell(p, static_cast<std::size_t>(special - p));
                if (column >= columns || row >= rows || column == skippedColumn) {
                    // outside the grid, or not wanted: skipped
                } else if (converts) {
                    platform::cp1252ToUtf8(cell, converted);
                    filler.set(row, column, converted);
                } else {
                    filler.set(row, column, cell);
                }
            }
        }
        if (lineEnd == nullptr) {
            lineEnd = line;
            while (lineEnd < end && *lineEnd != kCR && *lineEnd != kLF) {
                ++lineEnd;
            }
            readLine(std::string_view(line, static_cast<std::size_t>(lineEnd - line)), columns,
                     rows, skippedColumn, grid, filler, converted);
        }
        p = lineEnd;
        if (p < end) {
            p += *p == kCR && p + 1 < end && p[1] == kLF ? 2 : 1;
        }
    }
    return GridTextStatus::Ok;
}

} // namespace

GridTextStatus readGridText(std::string_view bytes, Grid& grid) {
    return readGridLines(bytes, grid, -1, [](std::size_t) {});
}

std::string writeGridText(const Grid& grid, int columns) {
    if (columns < 0 || columns > grid.columnCount()) {
        columns = grid.columnCount();
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(grid.rowCount()) * 48 + 256);
    appendNumber(out, columns);
    out.push_back(',');
    appendNumber(out, grid.rowCount());
    out += "\r\n";
    for (int c = 0; c < columns; ++c) {
        out += "cw ";
        appendNumber(out, c);
        out.push_back(',');
        appendNumber(out, grid.columnWidth(c));
        out += "\r\n";
    }
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const CellText cell = grid.at(r, c);
            if (cell.empty()) {
                continue;
            }
            appendNumber(out, c);
            out.push_back(',');
            appendNumber(out, r);
            out.push_back(',');
            appendEscaped(out, cell);
            out += "\r\n";
        }
    }
    return platform::utf8ToCp1252(out);
}

std::optional<std::string> loadGridFile(const std::filesystem::path& path, Grid& grid,
                                        int skippedColumn) {
    platform::MappedFile file(path);
    if (!file.ok()) {
        return "Cannot open file " + path.string();
    }
    // The pages already read go back as the reader moves on: a large account never holds
    // its whole file in memory beside its grid.
    const auto status = readGridLines(file.bytes(), grid, skippedColumn,
                                      [&](std::size_t offset) { file.release(offset); });
    if (status != GridTextStatus::Ok) {
        return "File contains no data or corrupt file " + path.string();
    }
    return std::nullopt;
}

std::optional<std::string> saveGridFile(const Grid& grid, const std::filesystem::path& path,
                                        int columns) {
    return saveGridBytes(writeGridText(grid, columns), path);
}

std::optional<std::string> saveGridBytes(std::string_view bytes,
                                         const std::filesystem::path& path) {
    if (!platform::writeFileAtomically(path, bytes)) {
        return cannotCreateMessage(path);
    }
    return std::nullopt;
}

std::string cannotCreateMessage(const std::filesystem::path& path) {
    return "Cannot Create " + path.string();
}

std::string settingsSaveError(const platform::Registry& registry) {
    return cannotCreateMessage(registry.hiveFile(platform::Hive::CurrentUser));
}

} // namespace ledgora
