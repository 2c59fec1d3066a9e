// What a window asks of a printout of its grid: the texts of the page header and footer,
// the borders, the fitting and placing of the grid on the page, and black and white. The
// grid printing facility (ui/GridPrinter) draws the pages from them.
#pragma once

#include <string>

namespace ledgora {

struct PrintSettings {
    std::string title;       // top centre; none when empty
    bool time = true;        // top left, "hh:mm"
    bool date = true;        // top right, "dd/mm/yyyy"
    bool pageNumbers = true; // bottom centre, "page N"
    bool borders = true;     // single lines around the cells
    bool fitToWidth = true;  // shrunk, never enlarged, to the page width
    bool centred = true;     // horizontally on the page
    int headerArea = 150;    // height above the grid, in tenths of a millimetre
    bool portrait = true;
    std::string jobName; // the print job's and the PDF's name
    bool blackAndWhite = false;
};

// "page", before the page number.
inline constexpr const char* kPageNumberPrefix = "page";
// The credit line every page header carries: "Imprimé avec " + the application title.
std::string creditLine();

// The register's settings, set before every print or preview: the window caption as
// title and job name, and everything else as above.
PrintSettings registerPrintSettings(const std::string& caption, bool blackAndWhite);

} // namespace ledgora
