#include "ui/ProgressDialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

constexpr qint64 kShowAfterMs = 1000;
constexpr qint64 kPaintEveryMs = 40;

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent, const QString& caption, const QString& unit)
    : QDialog(parent), unit_(unit) {
    setWindowTitle(caption);
    setWindowModality(Qt::WindowModal);
    setObjectName(QStringLiteral("ProgressDialog"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("Compte"));
    count_->setMinimumWidth(220);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count_);
    layout->addWidget(bar_);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_ = true;
    started_.start();
    lastPaint_.start();
}

ProgressDialog::~ProgressDialog() {
    if (cursor_) {
        QApplication::restoreOverrideCursor();
    }
}

QString ProgressDialog::countText() const {
    return count_->text();
}

void ProgressDialog::showNow() {
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressDialog::step(int done, int total) {
    const bool last = done >= total;
    if (!last && lastPaint_.elapsed() < kPaintEveryMs) {
        return;
    }
    lastPaint_.restart();
    count_->setText(QStringLiteral("%1 %2 sur %3").arg(unit_).arg(done).arg(total));
    bar_->setRange(0, std::max(1, total));
    bar_->setValue(std::min(done, total));
    if (!isVisible() && !last && started_.elapsed() >= kShowAfterMs) {
        show();
    }
    // Paint events only: a click during the work would start another command.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
