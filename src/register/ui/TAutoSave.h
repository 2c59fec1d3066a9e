// "Enregistrement automatique": how often the open account is saved and whether it is.
// The dialog only edits the two values; the main window applies them to its timer and
// keeps them as its options.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QSlider;

class TAutoSave : public QDialog {
    Q_OBJECT
public:
    // Opens with `minutes` (clamped to the slider's 5..60) and `active`.
    TAutoSave(QWidget* parent, int minutes, bool active);

    int minutes() const;
    bool active() const;

private:
    void showMinutes(int minutes);

    QSlider* Minutes = nullptr;
    QLabel* MinutesLabel = nullptr;
    QCheckBox* Activer = nullptr;
};
