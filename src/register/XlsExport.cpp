#include "register/XlsExport.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/Cp1252.h"
#include "register/CompoundFile.h"
#include "register/ExportText.h"

namespace ledgora {
namespace {

// Record types.
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kCodepage = 0x0042;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kWindow2 = 0x023E;

// The most data bytes one record carries.
constexpr std::size_t kMaxRecordData = 8224;
constexpr std::uint16_t kUtf16Codepage = 1200;

// The 15 style XFs every workbook starts with, the default cell XF, then one cell XF per
// alignment (left, centre, right), then the same wrapping their text, for cells of more
// than one line.
constexpr std::uint16_t kDefaultCellXf = 15;
constexpr std::uint16_t kFirstAlignedXf = 16;
constexpr std::uint16_t kWrappingXfs = 3;

// A cell text as BIFF8 stores it: 8-bit (code points below 256) or UTF-16LE.
struct XlsString {
    std::string data;
    bool wide = false;
    std::size_t chars() const { return wide ? data.size() / 2 : data.size(); }
};

class Stream {
public:
    std::string bytes;

    void add8(std::uint8_t v) { bytes.push_back(static_cast<char>(v)); }
    void add16(std::uint16_t v) {
        add8(static_cast<std::uint8_t>(v & 0xFF));
        add8(static_cast<std::uint8_t>(v >> 8));
    }
    void add32(std::uint32_t v) {
        add16(static_cast<std::uint16_t>(v & 0xFFFF));
        add16(static_cast<std::uint16_t>(v >> 16));
    }
    void patch32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
    }
    std::size_t size() const { return bytes.size(); }

    // A record is written as its header, then its data; end() fills in the length.
    void begin(std::uint16_t type) {
        start_ = bytes.size();
        add16(type);
        add16(0);
    }
    void end() {
        const std::size_t length = bytes.size() - start_ - 4;
        bytes[start_ + 2] = static_cast<char>(length & 0xFF);
        bytes[start_ + 3] = static_cast<char>(length >> 8);
    }
    std::size_t recordStart() const { return start_; }
    std::size_t recordData() const { return bytes.size() - start_ - 4; }

private:
    std::size_t start_ = 0;
};

// An 8-bit string with a 1-byte length, as sheet and font names are stored.
void addShortName(Stream& s, std::string_view name) {
    s.add8(static_cast<std::uint8_t>(name.size()));
    s.add8(0);
    s.bytes += name;
}

// Appends the UTF-16LE units of valid UTF-8 (as cp1252ToUtf8 makes it: BMP only).
void appendUtf16(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = b;
        std::size_t len = 1;
        if (b >= 0xE0 && i + 2 < utf8.size()) {
            cp = ((b & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
            len = 3;
        } else if (b >= 0xC0 && i + 1 < utf8.size()) {
            cp = ((b & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
            len = 2;
        }
        out.push_back(static_cast<char>(cp & 0xFF));
        out.push_back(static_cast<char>((cp >> 8) & 0xFF));
        i += len;
    }
}

// Windows-1252 bytes whose code point is 256 or more (the euro sign, typographic quotes...).
bool needsWide(std::string_view cp1252) {
    for (const char c : cp1252) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 &&
            b != 0x9D) {
            return true;
        }
    }
    return false;
}

XlsString encode(std::string_view text) {
    XlsString s;
    if (text.size() > static_cast<std::size_t>(kXlsCellChars)) {
        text = text.substr(0, kXlsCellChars);
    }
    if (!needsWide(text)) {
        s.data.assign(text);
        return s;
    }
    s.wide = true;
    appendUtf16(s.data, platform::cp1252ToUtf8(text));
    return s;
}

// Whether the cell's text goes into the workbook as it is: plain ASCII on one line, the
// common case, looked up without a copy.
bool storedAsIs(std::string_view utf8) {
    return platform::isAscii(utf8) && utf8.find('\r') == std::string_view::npos;
}

// The cell's text as the workbook keeps it, in Windows-1252.
std::string cellText(std::string_view utf8) {
    std::string lf;
    lf.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r' || i + 1 >= utf8.size() || utf8[i + 1] != '\n') {
            lf += utf8[i];
        }
    }
    std::string out;
    appendCp1252(out, lf);
    return out;
}

// The workbook's strings, each once, in order of first use. An open-addressing table
// sized for the most strings it can be given: a register holds far more cells than a
// node-based map handles quickly, and it never grows while in use.
class SharedStrings {
public:
    explicit SharedStrings(std::size_t maxStrings) {
        std::size_t capacity = 16;
        while (capacity < 2 * maxStrings) {
            capacity *= 2;
        }
        slots_.assign(capacity, 0);
        strings_.reserve(maxStrings / 2);
    }

    // `text` must outlive the table.
    std::uint32_t add(std::string_view text) { return insert(text, nullptr); }
    std::uint32_t add(std::string&& text) { return insert(text, &text); }

    std::uint32_t references() const { return references_; }
    const std::vector<std::string_view>& strings() const { return strings_; }

private:
    // A slot holds the upper half of the text's hash and its index + 1; 0 is empty.
    std::uint32_t insert(std::string_view text, std::string* owned) {
        ++references_;
        const std::uint64_t hash = std::hash<std::string_view>{}(text);
        const std::uint64_t tag = hash & 0xFFFFFFFF00000000ULL;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                std::string_view kept = text;
                if (owned != nullptr) {
                    kept = owned_.emplace_back(std::move(*owned));
                }
                strings_.push_back(kept);
                slots_[i] = tag | strings_.size();
                return static_cast<std::uint32_t>(strings_.size() - 1);
            }
            const std::uint32_t index = static_cast<std::uint32_t>(slot & 0xFFFFFFFF) - 1;
            if ((slot & 0xFFFFFFFF00000000ULL) == tag && strings_[index] == text) {
                return index;
            }
        }
    }

    std::vector<std::uint64_t> slots_;
    std::vector<std::string_view> strings_;
    std::deque<std::string> owned_;
    std::uint32_t references_ = 0;
};

struct Bucket {
    std::uint32_t streamPosition;
    std::uint16_t recordOffset;
};

// The SST, cut into CONTINUE records: a string's header is never split, and its
// characters split only at a character boundary, the continuation restating whether they
// are 8- or 16-bit. Then the EXTSST index of every dsst-th string.
void writeSst(Stream& s, const SharedStrings& sst) {
    const auto& strings = sst.strings();
    const std::size_t unique = strings.size();
    const std::size_t dsst = std::max<std::size_t>(8, unique / 128 + 1);
    std::vector<Bucket> buckets;
    s.begin(kSst);
    s.add32(sst.references());
    s.add32(static_cast<std::uint32_t>(unique));
    const auto room = [&s] { return kMaxRecordData - s.recordData(); };
    const auto continueRecord = [&s] {
        s.end();
        s.begin(kContinue);
    };
    for (std::size_t i = 0; i < unique; ++i) {
        const XlsString str = encode(strings[i]);
        const std::size_t unit = str.wide ? 2 : 1;
        if (room() < 3 + unit) {
            continueRecord();
        }
        if (i % dsst == 0) {
            buckets.push_back({static_cast<std::uint32_t>(s.size()),
                               static_cast<std::uint16_t>(s.size() - s.recordStart())});
        }
        s.add16(static_cast<std::uint16_t>(str.chars()));
        s.add8(str.wide ? 1 : 0);
        std::size_t done = 0;
        while (done < str.data.size()) {
            if (room() < unit) {
                continueRecord();
                s.add8(str.wide ? 1 : 0);
            }
            const std::size_t take = std::min(str.data.size() - done, room() / unit * unit);
            s.bytes.append(str.data, done, take);
            done += take;
        }
    }
    s.end();
    s.begin(kExtSst);
    s.add16(static_cast<std::uint16_t>(dsst));
    for (const Bucket& b : buckets) {
        s.add32(b.streamPosition);
        s.add16(b.recordOffset);
        s.add16(0);
    }
    s.end();
}

void writeBof(Stream& s, std::uint16_t kind) {
    s.begin(kBof);
    s.add16(0x0600); // BIFF8
    s.add16(kind);
    s.add16(0x0DBB); // build
    s.add16(0x07CC); // year
    s.add32(0);      // file history
    s.add32(0x0006); // lowest version that reads it
    s.end();
}

void writeFonts(Stream& s) {
    // Index 4 is never referred to; a workbook still has it.
    for (int i = 0; i < 5; ++i) {
        s.begin(kFont);
        s.add16(200);    // 10 points, in twentieths
        s.add16(0);      // no italic, strike-out...
        s.add16(0x7FFF); // the window's text colour
        s.add16(400);    // normal weight
        s.add16(0);      // no super- or subscript
        s.add8(0);       // no underline
        s.add8(2);       // swiss family
        s.add8(0);       // ANSI character set
        s.add8(0);
        addShortName(s, "Arial");
        s.end();
    }
}

void writeXf(Stream& s, bool style, std::uint8_t horizontal, bool wrap = false) {
    s.begin(kXf);
    s.add16(0); // font
    s.add16(0); // General number format
    s.add16(style ? 0xFFF5 : 0x0001);
    s.add8(static_cast<std::uint8_t>(horizontal | (wrap ? 0x08 : 0) | 0x20)); // bottom
    s.add8(0);
    s.add8(0);
    s.add8(style ? 0x00 : 0xF8);
    s.add32(0);
    s.add32(0);
    s.add16(0x20C0); // pattern colours: automatic
    s.end();
}

void writeGlobals(Stream& s, int sheets, std::vector<std::size_t>& sheetPositionFields) {
    writeBof(s, 0x0005);
    s.begin(kCodepage);
    s.add16(kUtf16Codepage);
    s.end();
    s.begin(kWindow1);
    s.add16(0);      // left
    s.add16(0);      // top
    s.add16(0x4000); // width
    s.add16(0x2000); // height
    s.add16(0x0038); // horizontal and vertical scroll bars, sheet tabs
    s.add16(0);      // active sheet
    s.add16(0);      // first visible tab
    s.add16(1);      // selected sheets
    s.add16(0x0258); // tab bar width
    s.end();
    s.begin(kDateMode);
    s.add16(0);
    s.end();
    writeFonts(s);
    for (int i = 0; i < kDefaultCellXf; ++i) {
        writeXf(s, true, 0);
    }
    writeXf(s, false, 0);
    for (const bool wrap : {false, true}) {
        for (std::uint8_t horizontal = 1; horizontal <= 3; ++horizontal) {
            writeXf(s, false, horizontal, wrap);
        }
    }
    s.begin(kStyle);
    s.add16(0x8000); // built-in style on XF 0
    s.add8(0);       // "Normal"
    s.add8(0xFF);
    s.end();
    for (int i = 0; i < sheets; ++i) {
        s.begin(kBoundSheet);
        sheetPositionFields.push_back(s.size());
        s.add32(0); // filled in once the sheet is written
        s.add8(0);  // visible
        s.add8(0);  // worksheet
        addShortName(s, "Feuil" + std::to_string(i + 1));
        s.end();
    }
}

std::uint16_t xfOf(Alignment a, bool multiline) {
    const std::uint16_t wrap = multiline ? kWrappingXfs : 0;
    switch (a) {
    case Alignment::Center:
        return kFirstAlignedXf + 1 + wrap;
    case Alignment::Right:
        return kFirstAlignedXf + 2 + wrap;
    case Alignment::Left:
        break;
    }
    return kFirstAlignedXf + wrap;
}

// The grid rows a worksheet holds: the repeated caption rows, then a run of data rows.
struct SheetRows {
    int captions = 0;
    int first = 0;
    int end = 0;
    int count() const { return captions + end - first; }
};

std::vector<SheetRows> planSheets(int rows, int fixedRows) {
    const int captions = std::clamp(fixedRows, 0, std::min(rows, kXlsSheetRows - 1));
    std::vector<SheetRows> sheets;
    int next = 0;
    do {
        SheetRows sheet;
        sheet.captions = sheets.empty() ? 0 : captions;
        sheet.first = next;
        sheet.end = std::min(rows, next + kXlsSheetRows - sheet.captions);
        next = sheet.end;
        sheets.push_back(sheet);
    } while (next < rows);
    return sheets;
}

struct Cell {
    std::uint16_t row;
    std::uint16_t column;
    std::uint16_t xf;
    std::uint32_t string;
};

// A row holding a cell of several lines, made tall enough to show them.
struct TallRow {
    std::uint16_t row;
    std::size_t lines;
};

struct SheetContent {
    std::vector<Cell> cells;
    std::vector<TallRow> tallRows;
};

// The height of a line of 10-point Arial, in twips.
constexpr std::size_t kLineHeight = 255;
// The most a row's height can be, in twips (409 points).
constexpr std::size_t kMaxRowHeight = 8180;

void writeSheet(Stream& s, const SheetContent& content, const SheetRows& rows, int columns,
                const std::vector<std::uint16_t>& widths, bool active) {
    writeBof(s, 0x0010);
    for (int c = 0; c < columns; ++c) {
        s.begin(kColInfo);
        s.add16(static_cast<std::uint16_t>(c));
        s.add16(static_cast<std::uint16_t>(c));
        s.add16(widths[c]);
        s.add16(kDefaultCellXf);
        s.add16(0);
        s.add16(0);
        s.end();
    }
    s.begin(kDimensions);
    s.add32(0);
    s.add32(static_cast<std::uint32_t>(rows.count()));
    s.add16(0);
    s.add16(static_cast<std::uint16_t>(columns));
    s.add16(0);
    s.end();
    for (const TallRow& tall : content.tallRows) {
        s.begin(kRow);
        s.add16(tall.row);
        s.add16(0);
        s.add16(static_cast<std::uint16_t>(columns));
        s.add16(static_cast<std::uint16_t>(std::min(tall.lines * kLineHeight, kMaxRowHeight)));
        s.add16(0);
        s.add16(0);
        s.add32(0x000F0140); // a height of its own; default XF
        s.end();
    }
    for (const Cell& cell : content.cells) {
        s.begin(kLabelSst);
        s.add16(cell.row);
        s.add16(cell.column);
        s.add16(cell.xf);
        s.add32(cell.string);
        s.end();
    }
    s.begin(kWindow2);
    s.add16(active ? 0x06B6 : 0x00B6); // grid lines, headers, zeros; the first one selected
    s.add16(0);                        // top row
    s.add16(0);                        // left column
    s.add32(0x40);                     // header colour: automatic
    s.add16(0);
    s.add16(0);
    s.add32(0);
    s.end();
    s.begin(kEof);
    s.end();
}

} // namespace

std::string xlsExport(const Grid& grid, const GridLook& look) {
    const int rows = grid.rowCount();
    const int columns = std::min(look.shownColumns(grid), 256);
    const std::vector<SheetRows> plan = planSheets(rows, look.fixedRows());

    std::size_t maxCells = 0;
    for (const SheetRows& sheet : plan) {
        maxCells += static_cast<std::size_t>(sheet.count()) * static_cast<std::size_t>(columns);
    }
    SharedStrings sst(maxCells);
    std::vector<SheetContent> sheets(plan.size());
    std::vector<std::uint16_t> widths(static_cast<std::size_t>(columns), 8);
    for (std::size_t k = 0; k < plan.size(); ++k) {
        const SheetRows& sheet = plan[k];
        SheetContent& content = sheets[k];
        content.cells.reserve(static_cast<std::size_t>(sheet.count()) * columns);
        const auto addRow = [&](int gridRow, int sheetRow) {
            std::size_t lines = 1;
            for (int c = 0; c < columns; ++c) {
                const CellText text = grid.at(gridRow, c);
                if (text.empty()) {
                    continue;
                }
                std::uint32_t string = 0;
                std::size_t length = text.size();
                std::size_t breaks = 0;
                if (storedAsIs(text)) {
                    breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
                    // The table keeps views of the grid's texts; a computed one it keeps.
                    string = text.ownsText() ? sst.add(std::string(text))
                                             : sst.add(std::string_view(text));
                } else {
                    std::string bytes = cellText(text);
                    length = bytes.size();
                    breaks = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
                    string = sst.add(std::move(bytes));
                }
                lines = std::max(lines, breaks + 1);
                widths[c] = static_cast<std::uint16_t>(
                    std::max<std::size_t>(widths[c], std::min<std::size_t>(length, 50)));
                const std::uint16_t xf = xfOf(look.alignment(grid, gridRow, c), breaks > 0);
                content.cells.push_back({static_cast<std::uint16_t>(sheetRow),
                                         static_cast<std::uint16_t>(c), xf, string});
            }
            if (lines > 1) {
                content.tallRows.push_back({static_cast<std::uint16_t>(sheetRow), lines});
            }
        };
        int sheetRow = 0;
        for (int r = 0; r < sheet.captions; ++r) {
            addRow(r, sheetRow++);
        }
        for (int r = sheet.first; r < sheet.end; ++r) {
            addRow(r, sheetRow++);
        }
    }
    for (std::uint16_t& w : widths) {
        w = static_cast<std::uint16_t>((w + 1) * 256); // in 1/256 of a character
    }

    Stream s;
    s.bytes.reserve(sst.references() * 14 + sst.strings().size() * 12 + 4096);
    std::vector<std::size_t> sheetPositionFields;
    writeGlobals(s, static_cast<int>(plan.size()), sheetPositionFields);
    writeSst(s, sst);
    s.begin(kEof);
    s.end();
    for (std::size_t k = 0; k < plan.size(); ++k) {
        s.patch32(sheetPositionFields[k], static_cast<std::uint32_t>(s.size()));
        writeSheet(s, sheets[k], plan[k], columns, widths, k == 0);
    }
    return compoundFile("Workbook", s.bytes);
}

} // namespace ledgora
