#include "register/HtmlExport.h"

#include "register/ExportText.h"

namespace ledgora {
namespace {

void appendColor(std::string& out, const Rgb& c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '#';
    for (const std::uint8_t v : {c.r, c.g, c.b}) {
        out += kHex[v >> 4];
        out += kHex[v & 0x0F];
    }
}

// A note holding markup is shown as text, never interpreted by the browser.
void appendEscaped(std::string& out, const std::string& text) {
    if (text.find_first_of("&<>\r\n") == std::string::npos) {
        appendCp1252(out, text);
        return;
    }
    std::string escaped;
    escaped.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            escaped += "<br>";
            break;
        case '\n':
            escaped += "<br>";
            break;
        default:
            escaped += text[i];
        }
    }
    appendCp1252(out, escaped);
}

void appendCell(std::string& out, const std::string& text, const CellLook& look, bool caption) {
    out += "<td nowrap";
    if (!text.empty() && look.alignment != Alignment::Left) {
        out += look.alignment == Alignment::Right ? " align=\"right\"" : " align=\"center\"";
    }
    if (look.background) {
        out += " bgcolor=\"";
        appendColor(out, *look.background);
        out += '"';
    }
    out += '>';
    if (text.empty()) {
        out += "<br>";
    } else {
        if (look.text) {
            out += "<font color=\"";
            appendColor(out, *look.text);
            out += "\">";
        }
        const bool bold = look.bold || caption;
        if (bold) {
            out += "<b>";
        }
        appendEscaped(out, text);
        if (bold) {
            out += "</b>";
        }
        if (look.text) {
            out += "</font>";
        }
    }
    out += "</td>\r\n";
}

} // namespace

std::string htmlExport(const Grid& grid, const GridLook& look) {
    const int columns = look.shownColumns(grid);
    std::size_t textBytes = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            textBytes += grid.at(r, c).size();
        }
    }
    std::string out;
    // Sized once: growing a long register's page would copy it again.
    out.reserve(static_cast<std::size_t>(grid.rowCount()) * (columns * 64 + 16) + textBytes +
                textBytes / 8 + 256);
    out += "<meta charset=\"windows-1252\">\r\n";
    out += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        out += "<tr>\r\n";
        for (int c = 0; c < columns; ++c) {
            appendCell(out, grid.at(r, c), look.cell(grid, r, c), r < look.fixedRows());
        }
        out += "</tr>\r\n";
    }
    out += "</table>\r\n";
    return out;
}

} // namespace ledgora
