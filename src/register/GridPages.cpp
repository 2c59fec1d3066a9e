#include "register/GridPages.h"

#include <algorithm>
#include <cmath>

namespace ledgora {

std::string printedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<double> measureColumns(const Grid& grid, const GridLook& look, const TextWidth& width,
                                   double padding, double maximum) {
    const int columns = std::max(0, look.shownColumns(grid));
    std::vector<double> widths(static_cast<std::size_t>(columns), 2 * padding);
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string& text = grid.at(r, c);
            if (text.empty()) {
                continue;
            }
            const bool bold = look.cell(grid, r, c).bold;
            const bool oneLine = text.find_first_of("\r\n") == std::string::npos;
            const double w =
                2 * padding + (oneLine ? width(text, bold) : width(printedText(text), bold));
            double& column = widths[static_cast<std::size_t>(c)];
            column = std::max(column, w);
        }
    }
    for (double& w : widths) {
        w = std::min(w, maximum);
    }
    return widths;
}

GridPages::GridPages(std::vector<double> columnWidths, double rowHeight, int rowCount,
                     int fixedRows, const PageArea& area, bool fitToWidth, bool centred)
    : rowHeight_(std::max(rowHeight, 1e-6)), rowCount_(std::max(0, rowCount)),
      fixedRows_(std::clamp(fixedRows, 0, std::max(0, rowCount))) {
    double total = 0;
    for (const double w : columnWidths) {
        total += std::max(0.0, w);
    }
    if (fitToWidth && total > area.width && total > 0 && area.width > 0) {
        scale_ = area.width / total;
    }
    const double left = centred ? std::max(0.0, (area.width - total * scale_) / 2) : 0.0;
    edges_.reserve(columnWidths.size() + 1);
    double x = left;
    edges_.push_back(x);
    for (const double w : columnWidths) {
        x += std::max(0.0, w) * scale_;
        edges_.push_back(x);
    }

    const double body = area.height - area.header - area.footer;
    const int fit = static_cast<int>(std::floor(body / this->rowHeight() + 1e-9));
    rowsPerPage_ = std::max(1, fit - fixedRows_);
    const int bodyRows = rowCount_ - fixedRows_;
    pageCount_ = std::max(1, (bodyRows + rowsPerPage_ - 1) / rowsPerPage_);
}

GridPages::Rows GridPages::rows(int page) const {
    if (page < 1 || page > pageCount_) {
        return {};
    }
    const int first = fixedRows_ + (page - 1) * rowsPerPage_;
    return {first, std::min(rowCount_, first + rowsPerPage_)};
}

} // namespace ledgora
