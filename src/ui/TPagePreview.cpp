#include "ui/TPagePreview.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The picture's proportions: 210 wide, 270 high.
constexpr int kPictureHeight = TPagePreview::kPictureWidth * 270 / 210;

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TPagePreview::TPagePreview(QWidget* owner, GridPrinter& printer, std::function<void()> print,
                           std::function<void(bool)> blackAndWhite)
    : QDialog(owner), printer_(printer), print_(std::move(print)),
      blackAndWhite_(std::move(blackAndWhite)), layout_(printer.defaultLayout()) {
    setWindowTitle(QStringLiteral("Aperçu avant impression"));
    setObjectName(QStringLiteral("TPagePreview"));
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(kPictureWidth, kPictureHeight);
    Image->setFrameShape(QFrame::Box);
    PageLabel = new QLabel(this);
    PageLabel->setObjectName(QStringLiteral("PageLabel"));
    Precedente = button(this, "Precedente", QStringLiteral("< Précédente"));
    Suivante = button(this, "Suivante", QStringLiteral("Suivante >"));
    NoirEtBlanc = new QCheckBox(QStringLiteral("Noir et blanc"), this);
    NoirEtBlanc->setObjectName(QStringLiteral("NoirEtBlanc"));
    NoirEtBlanc->setChecked(printer_.settings().blackAndWhite);
    Imprimer = button(this, "Imprimer", QStringLiteral("Imprimer"));
    Fermer = button(this, "Fermer", QStringLiteral("Fermer"));

    auto* side = new QVBoxLayout;
    side->addWidget(PageLabel);
    side->addWidget(Precedente);
    side->addWidget(Suivante);
    side->addSpacing(12);
    side->addWidget(NoirEtBlanc);
    side->addStretch();
    side->addWidget(Imprimer);
    side->addWidget(Fermer);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image);
    layout->addLayout(side);

    connect(Precedente, &QPushButton::clicked, this, &TPagePreview::PrecedenteClick);
    connect(Suivante, &QPushButton::clicked, this, &TPagePreview::SuivanteClick);
    connect(NoirEtBlanc, &QCheckBox::toggled, this, &TPagePreview::NoirEtBlancClick);
    connect(Imprimer, &QPushButton::clicked, this, &TPagePreview::ImprimerClick);
    connect(Fermer, &QPushButton::clicked, this, &QDialog::accept);
    showPage();
}

void TPagePreview::PrecedenteClick() {
    if (page_ > 1) {
        --page_;
        showPage();
    }
}

void TPagePreview::SuivanteClick() {
    // One blank page after the last, and no further.
    if (page_ <= printer_.pageCount(layout_)) {
        ++page_;
        showPage();
    }
}

void TPagePreview::NoirEtBlancClick(bool on) {
    printer_.setBlackAndWhite(on);
    if (blackAndWhite_) {
        blackAndWhite_(on);
    }
    showPage();
}

void TPagePreview::ImprimerClick() {
    if (print_) {
        print_();
    }
}

void TPagePreview::showPage() {
    picture_ = QImage(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    const QRectF paper = layout_.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout_.paintRect(QPageLayout::Millimeter);
    // The whole sheet fitted into the picture, centred; the printout in its margins.
    const double scale =
        std::min(kPictureWidth / (paper.width() * 10), kPictureHeight / (paper.height() * 10));
    QPainter painter(&picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate((kPictureWidth - paper.width() * 10 * scale) / 2,
                      (kPictureHeight - paper.height() * 10 * scale) / 2);
    painter.scale(scale, scale);
    painter.translate(paint.left() * 10, paint.top() * 10);
    printer_.drawPage(painter, layout_, page_);
    painter.end();
    Image->setPixmap(QPixmap::fromImage(picture_));
    PageLabel->setText(QStringLiteral("Page : %1").arg(page_));
    Precedente->setEnabled(page_ > 1);
    Suivante->setEnabled(page_ <= printer_.pageCount(layout_));
}
