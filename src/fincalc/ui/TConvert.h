// The franc/euro converter `TConvert`: a francs field converted to euros on its right and
// a euros field converted to francs on its right, the two lines independent, both updated
// at every change. Created for each opening and destroyed when closed; the conversions
// and the way their results are written live in fincalc/FrancEuroConverter.
#pragma once

#include <functional>

#include <QDialog>

class CurrencyEdit;
class QLabel;
class QPushButton;

class TConvert : public QDialog {
    Q_OBJECT
public:
    // `about` is the main window's about command, run by "A propos...".
    explicit TConvert(std::function<void()> about, QWidget* parent = nullptr);

    QString eurosResult() const;
    QString francsResult() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void francsChange();
    void eurosChange();

private:
    std::function<void()> about_;
    CurrencyEdit* francs;
    CurrencyEdit* euros;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* Label5;
    QPushButton* SpeedButton3;
    QPushButton* OKBtn;
};
