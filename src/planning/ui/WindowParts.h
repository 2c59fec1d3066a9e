// What the budgets' and reports' windows share: texts from the core, their buttons and
// the columns sized to their contents plus a margin.
#pragma once

#include <string>
#include <string_view>

#include <QImage>
#include <QString>

#include "money/Amount.h"

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

// The width `window` needs for every shown column of `view` and the rows' scroll bar, at
// least `least` and at most the screen's: only the rows of such tables scroll.
int widthForColumns(const QWidget& window, const GridView& view, int least);

// The application title + " - " + the window's caption.
QString jobName(std::string_view caption);

// The main window's logo for a page header, large enough for paper.
QImage printLogo();

} // namespace windowparts
