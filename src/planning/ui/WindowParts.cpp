#include "planning/ui/WindowParts.h"

#include <algorithm>

#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

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

int widthForColumns(const QWidget& window, const GridView& view, int least) {
    int columns = 0;
    for (int c = 0; c < view.model()->columnCount(); ++c) {
        if (!view.isColumnHidden(c)) {
            columns += view.columnWidth(c);
        }
    }
    // What lies beside the view in the window: its layout's margins, as it is laid out.
    const QMargins margins =
        window.layout() != nullptr ? window.layout()->contentsMargins() : QMargins(9, 9, 9, 9);
    const int wide = columns + view.verticalScrollBar()->sizeHint().width() +
                     2 * view.frameWidth() + margins.left() + margins.right();
    const QScreen* screen = window.screen();
    const int widest = screen != nullptr ? screen->availableGeometry().width() : wide;
    return std::clamp(wide, least, std::max(least, widest));
}

QString jobName(std::string_view caption) {
    return q(platform::kAppTitle) + QStringLiteral(" - ") + q(caption);
}

QImage printLogo() {
    // Half a 15 mm header at 600 dpi is about 180 pixels.
    return pictures::logo().pixmap(QSize(192, 192)).toImage();
}

} // namespace windowparts
