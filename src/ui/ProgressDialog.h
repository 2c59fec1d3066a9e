// The count of work done, for work that can take more than a second (printing, previewing
// or exporting a long register, a backup or a restore of many files): the wait cursor
// while it lasts, and after the first second a small window "Page 12 sur 1700" that is
// repainted with the windows behind it, so that nothing looks frozen. The user's input
// waits until the work is done.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    // `unit` names what is counted ("Page", "Fichier"). The wait cursor shows at once.
    ProgressDialog(QWidget* parent, const QString& caption, const QString& unit);
    ~ProgressDialog() override;

    // `done` of `total` are done: the count is updated and the windows repainted (at most
    // every few hundredths of a second, so that counting costs nothing).
    void step(int done, int total);
    // Shows the window at once rather than after the first second (tests, screenshots).
    void showNow();

    QString countText() const;

private:
    QString unit_;
    QLabel* count_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QElapsedTimer started_;
    QElapsedTimer lastPaint_;
    bool cursor_ = false;
};
