// A widget that shows one chart drawn by ChartPainter, and prints it: the page gets the
// chart as the window shows it, scaled to fit the page.
#pragma once

#include <functional>

#include <QWidget>

class QPainter;
class QPrinter;

class ChartView : public QWidget {
    Q_OBJECT
public:
    using Draw = std::function<void(QPainter&, const QRectF&)>;

    explicit ChartView(QWidget* parent = nullptr);

    // What the view draws; the view repaints.
    void setDraw(Draw draw);

    // The chart on one page of `printer`, in proportion.
    void print(QPrinter& printer) const;
    // The print dialog without page range, then the chart on the printer chosen; true when
    // it printed.
    bool printWithDialog(const QString& jobName);
    // Another print dialog (tests answer it): false for Cancel.
    using PrintDialogRun = std::function<bool(QPrinter&)>;
    void setPrintDialog(PrintDialogRun ask) { ask_ = std::move(ask); }

    QSize sizeHint() const override { return {640, 440}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Draw draw_;
    PrintDialogRun ask_;
};
