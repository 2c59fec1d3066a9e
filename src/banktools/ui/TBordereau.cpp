#include "banktools/ui/TBordereau.h"

#include <QAbstractTableModel>
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
#include <QTableView>
#include <QVBoxLayout>

#include "banktools/ui/TRenseignements.h"
#include "ui/Pictures.h"
#include "ui/Tfinddlg.h"
#include "workspace/Workspace.h"

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every column but the number column is as wide as its contents and this much more.
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

// The selection grid as a table: the caption row and the number column become the
// headers, the look gives colours and alignments, "A remettre" shows check boxes and
// "Notes" takes the user's text. It reads the slip's grid; it holds no copy.
class SlipModel : public QAbstractTableModel {
public:
    SlipModel(ledgora::DepositSlip& slip, const ledgora::GridLook& look,
              std::function<void()> ticked, QObject* parent)
        : QAbstractTableModel(parent), slip_(slip), look_(look), ticked_(std::move(ticked)) {}

    static int gridRowOf(const QModelIndex& index) { return index.row() + 1; }
    static int gridColumnOf(const QModelIndex& index) { return index.column() + 1; }
    QModelIndex indexOf(int row, int column) const { return index(row - 1, column - 1); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : slip_.grid().rowCount() - 1;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ledgora::slip_col::Count - 1;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const ledgora::Grid& grid = slip_.grid();
        const int row = gridRowOf(index);
        const int column = gridColumnOf(index);
        const bool tick = column == ledgora::slip_col::Tick;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return tick ? QVariant() : QVariant(QString::fromStdString(grid.at(row, column)));
        case Qt::CheckStateRole:
            if (tick && slip_.isCheque(row)) {
                return slip_.isTicked(row) ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::BackgroundRole: {
            const ledgora::CellLook look = look_.cell(grid, row, column);
            const auto colour = look.background ? look.background : look_.gridColor();
            return colour ? QVariant(QBrush(toQColor(*colour))) : QVariant();
        }
        case Qt::ForegroundRole:
            return QBrush(
                toQColor(look_.cell(grid, row, column).text.value_or(ledgora::colors::kBlack)));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(toQt(look_.cell(grid, row, column).alignment));
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const ledgora::Grid& grid = slip_.grid();
        const bool horizontal = orientation == Qt::Horizontal;
        const int row = horizontal ? 0 : section + 1;
        const int column = horizontal ? section + 1 : 0;
        if (role == Qt::DisplayRole) {
            return QString::fromStdString(grid.at(row, column));
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(toQt(look_.cell(grid, row, column).alignment));
        }
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) {
            return Qt::NoItemFlags;
        }
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const int row = gridRowOf(index);
        const int column = gridColumnOf(index);
        if (slip_.mayEdit(row, column)) {
            f |= column == ledgora::slip_col::Tick ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
        }
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        const Qt::ItemFlags f = flags(index);
        const int row = gridRowOf(index);
        if (role == Qt::CheckStateRole && (f & Qt::ItemIsUserCheckable)) {
            slip_.setTicked(row, value.toInt() == Qt::Checked);
            emit dataChanged(index, index);
            ticked_();
            return true;
        }
        if (role == Qt::EditRole && (f & Qt::ItemIsEditable)) {
            slip_.setNotes(row, value.toString().toStdString());
            emit dataChanged(index, index);
            return true;
        }
        return false;
    }

    void gridReplaced() {
        beginResetModel();
        endResetModel();
    }

private:
    static QColor toQColor(const ledgora::Rgb& c) { return QColor(c.r, c.g, c.b); }
    static Qt::Alignment toQt(ledgora::Alignment a) {
        switch (a) {
        case ledgora::Alignment::Center:
            return Qt::AlignCenter;
        case ledgora::Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ledgora::Alignment::Left:
            break;
        }
        return Qt::AlignLeft | Qt::AlignVCenter;
    }

    ledgora::DepositSlip& slip_;
    const ledgora::GridLook& look_;
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
    Grille = new QTableView(this);
    Grille->setObjectName(QStringLiteral("Grille"));
    Grille->setModel(model_);
    Grille->setAlternatingRowColors(false);
    if (const auto c = look_.gridColor()) {
        QPalette p = Grille->palette();
        p.setColor(QPalette::Base, QColor(c->r, c->g, c->b));
        Grille->setPalette(p);
    }
    Grille->setItemDelegateForColumn(ledgora::slip_col::Tick - 1, new CentredCheckDelegate(Grille));
    Grille->verticalHeader()->setFixedWidth(40);
    Grille->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    Grille->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    connect(Grille->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        slip_.sortBy(section + 1);
        model_->gridReplaced();
    });
    // A right click on a caption sizes that column to its contents.
    Grille->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Grille->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                const int c = Grille->horizontalHeader()->logicalIndexAt(pos);
                if (c >= 0) {
                    Grille->setColumnWidth(c, contentWidth(c));
                }
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

int TBordereau::contentWidth(int column) {
    Grille->resizeColumnToContents(column);
    return std::max(Grille->columnWidth(column),
                    Grille->horizontalHeader()->sectionSizeHint(column));
}

void TBordereau::sizeColumns() {
    int total = Grille->verticalHeader()->width() + 2 * Grille->frameWidth() +
                Grille->verticalScrollBar()->sizeHint().width() + 4;
    for (int c = 0; c < model_->columnCount(); ++c) {
        Grille->setColumnWidth(c, contentWidth(c) + kColumnMargin);
        total += Grille->columnWidth(c);
    }
    // Wide enough for every column, within the screen.
    const QRect screen = this->screen()->availableGeometry();
    const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
    resize(std::min(std::max(width(), total + margins), screen.width()), height());
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

void TBordereau::Imprimer1Click() {
    if (!preparePrint()) {
        return;
    }
}

void TBordereau::Apercu1Click() {
    if (!preparePrint()) {
        return;
    }
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
    const QModelIndex current = Grille->currentIndex();
    const ledgora::CellPosition at{current.isValid() ? model_->gridRowOf(current) : 1,
                                   current.isValid() ? model_->gridColumnOf(current)
                                                     : ledgora::slip_col::Date};
    showFound(slip_.search().find(slip_.grid(), dialog.options(), at));
}

void TBordereau::Suivant1Click() {
    if (!slip_.search().hasSearched()) {
        Chercher1Click();
        return;
    }
    showFound(slip_.search().findNext(slip_.grid()));
}
