#include "ui/DateCellEdit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

#include "money/DateText.h"

namespace {

constexpr const char* kDateFormat = "dd/MM/yyyy";

// What core reads as a date is taken whole, pasted with blanks around it too; otherwise
// only digits, "/" and blanks, ten at most, and what is typed counts as a date only once
// it is a whole real one, so Enter and Tab cannot take a half-typed or impossible date.
class TypedDateValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (input.isEmpty() || ledgora::parseTypedDate(input.toStdString())) {
            return Acceptable;
        }
        if (input.size() > 10) {
            return Invalid;
        }
        for (const QChar c : input) {
            const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
            if (!digit && c != QLatin1Char('/') && c != QLatin1Char(' ')) {
                return Invalid;
            }
        }
        return Intermediate;
    }
};

} // namespace

DateCellEdit::DateCellEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TypedDateValidator(this));
    QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
    drop->setToolTip(QStringLiteral("Calendrier"));
    connect(drop, &QAction::triggered, this, &DateCellEdit::showCalendar);

    // The popup is the editor's child, so the grid sees no focus leaving the cell.
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(0, 0, 0, 0);
    calendar_ = new QCalendarWidget(popup_);
    calendar_->setGridVisible(true);
    calendar_->setLocale(QLocale(QLocale::French, QLocale::France)); // whatever the system's
    QPalette palette = calendar_->palette();
    palette.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
    calendar_->setPalette(palette);
    layout->addWidget(calendar_);
    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate date) {
        popup_->hide();
        setText(date.toString(QString::fromLatin1(kDateFormat)));
        setFocus();
        selectAll();
    });
}

void DateCellEdit::setCellText(const QString& text) {
    if (const auto date = ledgora::parseTypedDate(text.toStdString())) {
        setText(QString::fromStdString(ledgora::formatDate(*date)));
    } else {
        // Shown as it is; the validator is not asked, so nothing is dropped.
        setText(text);
    }
}

void DateCellEdit::showCalendar() {
    const auto date = ledgora::parseTypedDate(text().toStdString());
    calendar_->setSelectedDate(date ? QDate(date->year, date->month, date->day)
                                    : QDate::currentDate());
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    calendar_->setFocus();
}

void DateCellEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
