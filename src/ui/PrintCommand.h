// The print command every window with a grid shares: the print dialog with the page
// range, then the chosen pages printed with the progress window. Printing to a PDF file is
// always offered, so printing is never disabled for lack of a printer.
#pragma once

#include <functional>

#include "ui/GridPrinter.h"

class QPrinter;
class QWidget;

// The print command of a window. Shows the print dialog (A4, the settings' orientation,
// the job name, the page range 1 to the page count) through `ask`, which may change the
// printer and answers false on Cancel; then prints the chosen pages with a progress
// dialog over `parent`. Printing to a PDF file is always offered. True when it printed.
using PrintDialogRun = std::function<bool(QPrinter& printer, int pageCount)>;
bool printGrid(QWidget* parent, GridPrinter& printer, const PrintDialogRun& ask = {});

// The print dialog itself, with the page range, modal over `parent`.
bool runPrintDialog(QWidget* parent, QPrinter& printer, int pageCount);
