// What a window asks of a printout of its grid: the texts of the page header and footer,
// the borders, the fitting and placing of the grid on the page, and black and white. The
// grid printing facility (ui/GridPrinter) draws the pages from them.
#pragma once

#include <string>
#include <vector>

#include "register/CellRules.h"

namespace ledgora {

enum class DatePlace {
    TopRight,
    BottomCentre, // bottom right when the page number takes the centre
};

struct PrintSettings {
    std::string title;       // top centre; none when empty
    bool time = true;        // top left, "hh:mm"
    bool date = true;        // "dd/mm/yyyy", at datePlace
    bool pageNumbers = true; // bottom centre, "page N"
    bool borders = true;     // single lines around the cells
    bool fitToWidth = true;  // shrunk, never enlarged, to the page width
    bool centred = true;     // horizontally on the page
    int headerArea = 150;    // height above the grid, in tenths of a millimetre
    bool portrait = true;
    std::string jobName; // the print job's and the PDF's name
    bool blackAndWhite = false;
    DatePlace datePlace = DatePlace::TopRight;
    // The title's colour; black in black and white whatever it is.
    Rgb titleColour = colors::kBlack;
    // "Imprimé avec " + the application title, at the header's left.
    bool creditLine = true;
    // The window's own header lines, one element a line, at the header's left under the
    // title, after the room of a logo. The header grows to hold them all.
    std::vector<std::string> headerLines;
};

// "page", before the page number.
inline constexpr const char* kPageNumberPrefix = "page";
// The credit line every page header carries: "Imprimé avec " + the application title.
std::string creditLine();

// The register's settings, set before every print or preview: the window caption as
// title and job name, and everything else as above.
PrintSettings registerPrintSettings(const std::string& caption, bool blackAndWhite);

// A window's table (budgets, reports): the title `mainCaption` + " - " + `caption`, the
// time, the date and the page number, borders, centred at its own size, and the job named
// after the application title + " - " + `caption`.
PrintSettings tablePrintSettings(const std::string& mainCaption, const std::string& caption,
                                 bool blackAndWhite);

} // namespace ledgora
