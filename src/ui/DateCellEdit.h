// The date cell editor: the date is typed as a whole ("dd/mm/yyyy", "d/m/yyyy" or
// "ddmmyyyy") and read by core's parseTypedDate(), never adjusted while it is typed; a
// button at its right (or Alt+Down, F4) drops down a calendar to pick one instead.
#pragma once

#include <QLineEdit>

class QCalendarWidget;
class QFrame;

class DateCellEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateCellEdit(QWidget* parent = nullptr);

    // Shows a cell's text: a date core can read as "dd/mm/yyyy", any other text as it is
    // (never replaced by today).
    void setCellText(const QString& text);
    // The text is empty or a real date: the cell may take it.
    bool holdsDate() const { return hasAcceptableInput(); }
    QCalendarWidget* calendar() const { return calendar_; }

public slots:
    void showCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QFrame* popup_;
    QCalendarWidget* calendar_;
};
