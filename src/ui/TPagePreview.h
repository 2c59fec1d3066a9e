// "Aperçu avant impression": one page of a grid's printout at a time, drawn by the grid
// printing facility as it prints, with its number, the previous and next pages (one blank
// page after the last), the black-and-white switch and the printing window's own print
// command. Opened by every window that prints a grid; it borrows that window's printer.
#pragma once

#include <functional>

#include <QDialog>
#include <QImage>

#include "ui/GridPrinter.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TPagePreview : public QDialog {
    Q_OBJECT
public:
    // `print` is the print command of the window that opened the preview; `blackAndWhite`
    // tells it the new state of the switch (the main window keeps it as its option).
    TPagePreview(QWidget* owner, GridPrinter& printer, std::function<void()> print,
                 std::function<void(bool)> blackAndWhite = {});

    int page() const { return page_; }
    // The page as shown: white, the printout drawn at the picture's scale.
    const QImage& picture() const { return picture_; }

    static constexpr int kPictureWidth = 420;

public slots:
    void PrecedenteClick();
    void SuivanteClick();
    void NoirEtBlancClick(bool on);
    void ImprimerClick();

private:
    void showPage();

    GridPrinter& printer_;
    std::function<void()> print_;
    std::function<void(bool)> blackAndWhite_;
    QPageLayout layout_;
    int page_ = 1;
    QImage picture_;
    QLabel* Image = nullptr;
    QLabel* PageLabel = nullptr;
    QPushButton* Precedente = nullptr;
    QPushButton* Suivante = nullptr;
    QCheckBox* NoirEtBlanc = nullptr;
    QPushButton* Imprimer = nullptr;
    QPushButton* Fermer = nullptr;
};
