#include "planning/ui/WindowParts.h"

#include <QHeaderView>
#include <QPushButton>

#include "platform/Paths.h"
#include "ui/GridView.h"
#include "ui/Pictures.h"

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

QImage printLogo() {
    // Half a 15 mm header at 600 dpi is about 180 pixels.
    return pictures::logo().pixmap(QSize(192, 192)).toImage();
}

} // namespace windowparts
