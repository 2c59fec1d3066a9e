#include "reports/ui/ChartView.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumSize(320, 240);
}

void ChartView::setDraw(Draw draw) {
    draw_ = std::move(draw);
    update();
}

void ChartView::paintEvent(QPaintEvent*) {
    if (!draw_) {
        return;
    }
    QPainter painter(this);
    draw_(painter, QRectF(rect()));
}

void ChartView::print(QPrinter& printer) const {
    if (!draw_) {
        return;
    }
    QPainter painter(&printer);
    if (!painter.isActive()) {
        return;
    }
    // Drawn at the window's size, then scaled: the page shows what the window shows.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF shown = size().isEmpty() ? QSizeF(sizeHint()) : QSizeF(size());
    const double scale = std::min(page.width() / shown.width(), page.height() / shown.height());
    painter.translate((page.width() - shown.width() * scale) / 2, 0);
    painter.scale(scale, scale);
    // The window's font in pixels, so that the scale above sizes the text as the chart.
    QFont shownFont = font();
    shownFont.setPixelSize(QFontInfo(font()).pixelSize());
    painter.setFont(shownFont);
    draw_(painter, QRectF(QPointF(0, 0), shown));
}

bool ChartView::printWithDialog(const QString& jobName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobName);
    if (ask_) {
        if (!ask_(printer)) {
            return false;
        }
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Imprimer"));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    print(printer);
    return true;
}
