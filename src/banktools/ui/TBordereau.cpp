#include "banktools/ui/TBordereau.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "banktools/ui/TRenseignements.h"
#include "ui/GridModel.h"
#include "ui/GridPrinter.h"
#include "ui/GridView.h"
#include "ui/Pictures.h"
#include "ui/TPagePreview.h"
#include "ui/Tfinddlg.h"
#include "workspace/Workspace.h"

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every column but the number column is as wide as its contents and this much more, while
// the window holds them; past that the notes, then the widest, give way.
constexpr int kColumnMargin = 50;

// Draws the "A remettre" box in the middle of its cell.
class CentredCheckDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        const QVariant check = index.data(Qt::CheckStateRole);
        // The indicator's size as the style draws it at the left, then moved to the middle.
        const QRect indicator =
            style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
        opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        if (!check.isValid()) {
            return;
        }
        QStyleOptionViewItem box = opt;
        box.rect = QRect(QPoint(0, 0), indicator.size());
        box.rect.moveCenter(opt.rect.center());
        box.state = (box.state & ~QStyle::State_HasFocus) |
                    (check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
    }
};

} // namespace

// The selection grid on the shared grid view: the look gives colours and alignments,
// "A remettre" shows check boxes (the grid's tick text stays out of sight) and "Notes"
// takes the user's text. It reads the slip's grid; it holds no copy.
class SlipModel : public GridModel {
public:
    SlipModel(ledgora::DepositSlip& slip, const ledgora::GridLook& look,
              std::function<void()> ticked, QObject* parent)
        : GridModel(slip.grid(), look, parent), slip_(slip), ticked_(std::move(ticked)) {
        setEditing(
            [this](int row, int column) {
                return column == ledgora::slip_col::Notes && slip_.mayEdit(row, column);
            },
            [this](int row, int column, const std::string& text) {
                slip_.setNotes(row, text);
                gridCellsChanged(row, column, column);
            });
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const bool tick = index.isValid() && gridColumnOf(index) == ledgora::slip_col::Tick;
        if (role == Qt::CheckStateRole) {
            if (tick && slip_.isCheque(gridRowOf(index))) {
                return slip_.isTicked(gridRowOf(index)) ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        }
        if (tick && (role == Qt::DisplayRole || role == Qt::EditRole)) {
            return {};
        }
        return GridModel::data(index, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = GridModel::flags(index);
        if (index.isValid() && gridColumnOf(index) == ledgora::slip_col::Tick &&
            slip_.mayEdit(gridRowOf(index), ledgora::slip_col::Tick)) {
            f |= Qt::ItemIsUserCheckable;
        }
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole) {
            return GridModel::setData(index, value, role);
        }
        if (!(flags(index) & Qt::ItemIsUserCheckable)) {
            return false;
        }
        const int row = gridRowOf(index);
        slip_.setTicked(row, value.toInt() == Qt::Checked);
        gridCellsChanged(row, ledgora::slip_col::Tick, ledgora::slip_col::Tick);
        ticked_();
        return true;
    }

private:
    ledgora::DepositSlip& slip_;
    std::function<void()> ticked_;
};

TBordereau::TBordereau(ledgora::Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace) {
    setObjectName(QStringLiteral("TBordereau"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    const auto action = [this](const char* name, const QString& text, auto slot,
                               const QKeySequence& keys = {}) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    Imprimer1 = action("Imprimer1", QStringLiteral("&Imprimer..."), &TBordereau::Imprimer1Click,
                       QKeySequence(QStringLiteral("Ctrl+P")));
    Apercu1 = action("Apercu1", QStringLiteral("&Aperçu avant impression..."),
                     &TBordereau::Apercu1Click, QKeySequence(QStringLiteral("Ctrl+A")));
    Fermer1 = action("Fermer1", QStringLiteral("&Fermer"), &QDialog::reject);
    Chercher1 = action("Chercher1", QStringLiteral("&Chercher..."), &TBordereau::Chercher1Click,
                       QKeySequence(QStringLiteral("Ctrl+F")));
    Suivant1 = action("Suivant1", QStringLiteral("&Suivant"), &TBordereau::Suivant1Click,
                      QKeySequence(QStringLiteral("F3")));
    auto* menus = new QMenuBar(this);
    QMenu* bordereau = menus->addMenu(QStringLiteral("&Bordereau"));
    bordereau->addAction(Imprimer1);
    bordereau->addAction(Apercu1);
    bordereau->addSeparator();
    bordereau->addAction(Fermer1);
    QMenu* recherche = menus->addMenu(QStringLiteral("&Recherche"));
    recherche->addAction(Chercher1);
    recherche->addAction(Suivant1);

    model_ = new SlipModel(
        slip_, look_, [this] { ticked(); }, this);
    Grille = new GridView(this);
    Grille->setObjectName(QStringLiteral("Grille"));
    Grille->setGridModel(model_);
    Grille->setColumnPadding(kColumnMargin);
    Grille->setStretchColumn(ledgora::slip_col::Notes - 1);
    Grille->keepColumnWhole(ledgora::slip_col::Date - 1, QStringLiteral("00/00/0000"));
    Grille->keepColumnWhole(ledgora::slip_col::Montant - 1, QStringLiteral("00000.00"));
    Grille->setItemDelegateForColumn(ledgora::slip_col::Tick - 1, new CentredCheckDelegate(Grille));
    Grille->verticalHeader()->setFixedWidth(40);
    Grille->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    Grille->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    Grille->setSortByColumn([this](int column) {
        slip_.sortBy(column);
        model_->gridReplaced();
    });
    // A click anywhere in the box's cell ticks it, as the space bar does.
    connect(Grille, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (model_->gridColumnOf(index) == ledgora::slip_col::Tick &&
            (model_->flags(index) & Qt::ItemIsUserCheckable)) {
            const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            model_->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
    });

    TotalLabel = new QLabel(this);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));
    QFont bold = TotalLabel->font();
    bold.setBold(true);
    TotalLabel->setFont(bold);
    MonnaieImage = new QLabel(this);
    FermerBtn = new QPushButton(QStringLiteral("Fermer"), this);
    FermerBtn->setObjectName(QStringLiteral("FermerBtn"));
    FermerBtn->setAutoDefault(false);
    connect(FermerBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(TotalLabel);
    bottom->addStretch(1);
    bottom->addWidget(MonnaieImage);
    bottom->addSpacing(8);
    bottom->addWidget(FermerBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(Grille, 1);
    layout->addWidget(new QLabel(qs(ledgora::kDepositHint), this));
    layout->addLayout(bottom);
    resize(760, 420);
    updateTotal();
}

TBordereau::~TBordereau() {
    // The view and its model are children, deleted after the slip they read: a view that
    // repaints while the dialog hides must not read a slip already gone.
    delete Grille;
    delete model_;
}

bool TBordereau::prepare() {
    const auto& session = workspace_.session();
    const bool found = ledgora::openDepositSlip(slip_, session.grid(), workspace_.dialogs());
    model_->gridReplaced();
    if (!found) {
        return false;
    }
    setWindowTitle(
        qs(ledgora::depositSlipCaption(session.user(), session.account(), session.euros())));
    MonnaieImage->setPixmap(pictures::currency(session.euros()).pixmap(24, 24));
    updateTotal();
    sizeColumns();
    Grille->scrollToBottom();
    Grille->setFocus();
    return true;
}

void TBordereau::Execute() {
    if (prepare()) {
        exec();
    }
}

void TBordereau::sizeColumns() {
    // Wide enough for every column as its contents want, within the screen; the notes
    // then take what the others leave, so no column runs past the window's edge.
    int total = Grille->verticalHeader()->width() + 2 * Grille->frameWidth() +
                Grille->verticalScrollBar()->sizeHint().width() + 4;
    for (int c = 0; c < model_->columnCount(); ++c) {
        total += Grille->wantedWidth(c);
    }
    const QRect screen = this->screen()->availableGeometry();
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    resize(std::min(std::max(width(), total + margins), screen.width()), height());
    Grille->fitColumns();
}

void TBordereau::ticked() {
    updateTotal();
}

void TBordereau::updateTotal() {
    TotalLabel->setText(QStringLiteral("Total remis : ") +
                        qs(ledgora::depositTotalText(slip_.total())));
}

std::optional<ledgora::DepositDetails>
TBordereau::askDepositDetails(const ledgora::DepositDetails& stored) {
    TRenseignements dialog(stored, workspace_.dialogs(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.details();
}

bool TBordereau::preparePrint() {
    const auto& session = workspace_.session();
    lastJob_ =
        ledgora::prepareDepositPrint(slip_, {session.user(), session.account(), session.euros()},
                                     *this, workspace_.dialogs(), workspace_.registry());
    return lastJob_.has_value();
}

std::unique_ptr<GridPrinter> TBordereau::jobPrinter() {
    const auto& session = workspace_.session();
    return std::make_unique<GridPrinter>(
        lastJob_->grid, printLook_,
        ledgora::depositPrintSettings(
            *lastJob_,
            ledgora::depositSlipCaption(session.user(), session.account(), session.euros()),
            workspace_.options().bw),
        *clock_);
}

void TBordereau::Imprimer1Click() {
    if (!preparePrint()) {
        return;
    }
    const auto printer = jobPrinter();
    printGrid(this, *printer, printDialog_);
}

void TBordereau::Apercu1Click() {
    if (!preparePrint()) {
        return;
    }
    const auto printer = jobPrinter();
    // The preview's "Imprimer" prints the page it shows: the details are not asked again.
    TPagePreview preview(
        this, *printer, [this, &printer] { printGrid(this, *printer, printDialog_); },
        [this](bool on) { workspace_.options().bw = on; });
    preview.exec();
}

void TBordereau::showFound(const std::optional<ledgora::CellPosition>& found) {
    if (!found) {
        workspace_.dialogs().inform(ledgora::kSearchMiss);
        return;
    }
    const QModelIndex cell = model_->indexOf(found->row, found->column);
    Grille->setCurrentIndex(cell);
    Grille->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    Grille->scrollTo(cell);
}

void TBordereau::Chercher1Click() {
    Tfinddlg dialog(slip_.search().options(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const ledgora::CellPosition at = Grille->searchStart(ledgora::slip_col::Date);
    showFound(slip_.search().find(slip_.grid(), dialog.options(), at));
}

void TBordereau::Suivant1Click() {
    if (!slip_.search().hasSearched()) {
        Chercher1Click();
        return;
    }
    showFound(slip_.search().findNext(slip_.grid()));
}
