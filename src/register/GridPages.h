// How a grid is cut into printed pages: each shown column as wide as its widest text
// (within a limit), the whole grid shrunk to the page width when asked, and as many rows
// on a page as fit between the header and the footer, the caption rows repeated on each.
// Lengths are in one unit of the caller's choosing (the printer's is 0.1 mm).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// The width of a text as printed, in bold or not.
using TextWidth = std::function<double(std::string_view text, bool bold)>;

// A cell's text as printed on one line: each line break (CR LF, CR or LF) becomes a space.
std::string printedText(std::string_view text);

// The widths of the look's shown columns: the widest printed text of each, bold where the
// look says so, plus `padding` on each side; never more than `maximum`.
std::vector<double> measureColumns(const Grid& grid, const GridLook& look, const TextWidth& width,
                                   double padding, double maximum);

// The printable part of a page and what its header and footer take of it.
struct PageArea {
    double width = 0;
    double height = 0;
    double header = 0;
    double footer = 0;
};

class GridPages {
public:
    // A grid of `rowCount` rows of `rowHeight`, whose first `fixedRows` are captions,
    // laid on pages of `area`: shrunk to the page width when `fitToWidth` and wider than
    // the page, centred between the page's sides when `centred`.
    GridPages(std::vector<double> columnWidths, double rowHeight, int rowCount, int fixedRows,
              const PageArea& area, bool fitToWidth, bool centred);

    // 1 or less: the factor applied to every width and height of the grid.
    double scale() const { return scale_; }
    // The left edge of each column and, last, the grid's right edge, from the printable
    // area's left edge, scaled.
    const std::vector<double>& columnEdges() const { return edges_; }
    double rowHeight() const { return rowHeight_ * scale_; }
    int fixedRows() const { return fixedRows_; }
    // Rows below the caption rows on a full page; at least 1.
    int rowsPerPage() const { return rowsPerPage_; }
    // At least 1: a grid of captions alone prints on one page.
    int pageCount() const { return pageCount_; }

    // The grid rows after the captions on page `page` (from 1): [first, end). Empty for a
    // page after the last (the preview's blank page) or before the first.
    struct Rows {
        int first = 0;
        int end = 0;
        bool empty() const { return end <= first; }
    };
    Rows rows(int page) const;

private:
    std::vector<double> edges_;
    double rowHeight_;
    double scale_ = 1.0;
    int rowCount_;
    int fixedRows_;
    int rowsPerPage_ = 1;
    int pageCount_ = 1;
};

} // namespace ledgora
