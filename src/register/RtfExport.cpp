#include "register/RtfExport.h"

#include <algorithm>
#include <vector>

#include "register/ExportText.h"

namespace ledgora {
namespace {

// A4 portrait with 2 cm margins, in twips.
constexpr int kPageWidth = 11906;
constexpr int kPageHeight = 16838;
constexpr int kMargin = 1134;
constexpr int kTextWidth = kPageWidth - 2 * kMargin;
// About one character of 10-point Arial, and the cell's inner margins.
constexpr int kCharWidth = 120;
constexpr int kCellPadding = 2 * 70 + 40;

constexpr char kHex[] = "0123456789abcdef";

bool needsEscapes(const std::string& utf8) {
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x80 || b == '\\' || b == '{' || b == '}') {
            return true;
        }
    }
    return false;
}

void appendEscaped(std::string& out, const std::string& utf8) {
    if (!needsEscapes(utf8)) {
        out += utf8;
        return;
    }
    std::string bytes;
    appendCp1252(bytes, utf8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\\' || b == '{' || b == '}') {
            out += '\\';
            out += static_cast<char>(b);
        } else if (b == '\r' || b == '\n') {
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            out += "\\line ";
        } else if (b == '\t') {
            out += "\\tab ";
        } else if (b < 0x20 || b >= 0x80) {
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += static_cast<char>(b);
        }
    }
}

// The characters of the cell's longest line, and of its longest word (where a line
// cannot wrap).
struct TextSpan {
    std::size_t line = 0;
    std::size_t word = 0;
};

TextSpan spanOf(const std::string& utf8) {
    TextSpan span;
    std::size_t line = 0;
    std::size_t word = 0;
    for (const char c : utf8) {
        if (c == '\r' || c == '\n') {
            line = 0;
            word = 0;
        } else if (c == ' ') {
            ++line;
            word = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++line;
            ++word;
        }
        span.line = std::max(span.line, line);
        span.word = std::max(span.word, word);
    }
    return span;
}

long long twips(std::size_t characters) {
    return static_cast<long long>(std::min<std::size_t>(characters, kTextWidth)) * kCharWidth +
           kCellPadding;
}

struct Layout {
    std::vector<int> edges; // the right edge of each column, in twips
    std::size_t textBytes = 0;
};

// Columns as wide as their longest line when the page allows it; otherwise each keeps at
// least its longest word (dates and amounts never break) and the room left is shared in
// proportion to what each would still need, so the notes wrap first.
Layout layout(const Grid& grid, int columns) {
    Layout layout;
    std::vector<TextSpan> spans(static_cast<std::size_t>(columns), TextSpan{1, 1});
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string& text = grid.at(r, c);
            layout.textBytes += text.size();
            const TextSpan span = spanOf(text);
            spans[c].line = std::max(spans[c].line, span.line);
            spans[c].word = std::max(spans[c].word, span.word);
        }
    }
    std::vector<long long> natural(spans.size());
    std::vector<long long> least(spans.size());
    long long naturalTotal = 0;
    long long leastTotal = 0;
    for (std::size_t c = 0; c < spans.size(); ++c) {
        natural[c] = twips(spans[c].line);
        least[c] = twips(spans[c].word);
        naturalTotal += natural[c];
        leastTotal += least[c];
    }
    std::vector<long long> widths = natural;
    if (naturalTotal > kTextWidth && leastTotal < kTextWidth) {
        const long long room = kTextWidth - leastTotal;
        const long long wanted = naturalTotal - leastTotal;
        for (std::size_t c = 0; c < spans.size(); ++c) {
            widths[c] = least[c] + (natural[c] - least[c]) * room / wanted;
        }
    } else if (naturalTotal > kTextWidth) {
        for (std::size_t c = 0; c < spans.size(); ++c) {
            widths[c] = least[c] * kTextWidth / leastTotal;
        }
    }
    layout.edges.resize(spans.size());
    long long edge = 0;
    for (std::size_t c = 0; c < spans.size(); ++c) {
        edge += std::max<long long>(widths[c], 1);
        layout.edges[c] = static_cast<int>(edge);
    }
    return layout;
}

// Each cell draws its top and left border; the last column adds the right one and the
// last row the bottom one, so the grid is whole with half the border words.
std::string rowDefinition(const std::vector<int>& edges, bool header, bool last) {
    std::string def = "\\trowd\\trgaph70";
    if (header) {
        def += "\\trhdr";
    }
    for (std::size_t c = 0; c < edges.size(); ++c) {
        def += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10";
        if (c + 1 == edges.size()) {
            def += "\\clbrdrr\\brdrs\\brdrw10";
        }
        if (last) {
            def += "\\clbrdrb\\brdrs\\brdrw10";
        }
        def += "\\cellx";
        def += std::to_string(edges[c]);
    }
    def += "\r\n";
    return def;
}

} // namespace

std::string rtfExport(const Grid& grid, const GridLook& look) {
    const int columns = look.shownColumns(grid);
    const int rows = grid.rowCount();
    const Layout table = layout(grid, columns);
    const std::string headerRow = rowDefinition(table.edges, true, false);
    const std::string bodyRow = rowDefinition(table.edges, false, false);
    std::string out;
    // Sized once: a long register's document is large, and growing it copies it again.
    out.reserve(static_cast<std::size_t>(rows) * (bodyRow.size() + columns * 24 + 8) +
                table.textBytes + table.textBytes / 8 + 4096);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n";
    out += "\\paperw" + std::to_string(kPageWidth) + "\\paperh" + std::to_string(kPageHeight) +
           "\\margl" + std::to_string(kMargin) + "\\margr" + std::to_string(kMargin) + "\\margt" +
           std::to_string(kMargin) + "\\margb" + std::to_string(kMargin) + "\\f0\\fs20\r\n";
    for (int r = 0; r < rows; ++r) {
        const bool header = r < look.fixedRows();
        out += r + 1 == rows ? rowDefinition(table.edges, header, true)
               : header      ? headerRow
                             : bodyRow;
        for (int c = 0; c < columns; ++c) {
            switch (look.alignment(grid, r, c)) {
            case Alignment::Right:
                out += "\\pard\\intbl\\qr ";
                break;
            case Alignment::Center:
                out += "\\pard\\intbl\\qc ";
                break;
            case Alignment::Left:
                out += "\\pard\\intbl\\ql ";
                break;
            }
            appendEscaped(out, grid.at(r, c));
            out += "\\cell\r\n";
        }
        out += "\\row\r\n";
    }
    out += "\\pard\\par\r\n}\r\n";
    return out;
}

} // namespace ledgora
