// What the budgets' and reports' windows share: texts from the core, their buttons, the
// columns sized to their contents plus a margin, and the print of their table with the
// program's page settings.
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "money/Amount.h"
#include "register/Grid.h"
#include "register/GridLook.h"

class GridView;
class QPushButton;
class QWidget;

namespace windowparts {

inline QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "Recettes : 120.00".
QString labelled(std::string_view label, ledgora::Cents amount);

// A push button named `name` (for tests and scripts).
QPushButton* button(QWidget* parent, const char* name, const QString& text);

// Every shown column sized to its contents, plus `margin` pixels.
void fitColumns(GridView& view, int margin);

// The application title + " - " + the window's caption.
QString jobName(std::string_view caption);

// The table printed as the program prints grids: title = the main window's caption + " - "
// + the window's caption, with the logo in the page header.
void printGrid(QWidget& window, const ledgora::Grid& grid, const ledgora::GridLook& look,
               const std::string& mainCaption, const std::string& caption);

} // namespace windowparts
