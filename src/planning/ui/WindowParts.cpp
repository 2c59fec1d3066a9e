#include "planning/ui/WindowParts.h"

#include <QHeaderView>
#include <QPushButton>

#include "platform/Paths.h"
#include "ui/GridView.h"

namespace windowparts {

QString labelled(std::string_view label, ledgora::Cents amount) {
    return q(label) + QLatin1Char(' ') + q(ledgora::formatCents(amount));
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

void fitColumns(GridView& view, int margin) {
    view.resizeColumnsToContents();
    for (int c = 0; c < view.model()->columnCount(); ++c) {
        if (!view.isColumnHidden(c)) {
            view.setColumnWidth(c, view.columnWidth(c) + margin);
        }
    }
}

QString jobName(std::string_view caption) {
    return q(platform::kAppTitle) + QStringLiteral(" - ") + q(caption);
}

void printGrid(QWidget& window, const ledgora::Grid& grid, const ledgora::GridLook& look,
               const std::string& mainCaption, const std::string& caption) {
    // Waits for the program's grid printing.
    (void)window;
    (void)grid;
    (void)look;
    (void)mainCaption;
    (void)caption;
}

} // namespace windowparts
