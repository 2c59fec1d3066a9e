#include "ui/GridView.h"

#include <algorithm>
#include <vector>

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>

#include "register/ColumnWidths.h"
#include "ui/GridModel.h"

namespace {

constexpr int kMinimumWidth = 40;
// Rows read at each end of the grid besides those in sight.
constexpr int kSampleRows = 100;

// A caption too wide for its column keeps its start ("Rubr..."), as a cell's text does,
// where the style would centre it and cut both ends.
class CaptionHeader : public QHeaderView {
public:
    explicit CaptionHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        QStyleOptionHeader section = *option;
        section.rect = QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                             viewport()->height());
        const int room = style()->subElementRect(QStyle::SE_HeaderLabel, &section, this).width();
        QFont shown = font();
        // The current column's caption is drawn in bold.
        shown.setBold((option->state & QStyle::State_On) != 0);
        const QFontMetrics metrics(shown);
        if (metrics.horizontalAdvance(option->text) > room) {
            option->text = metrics.elidedText(option->text, Qt::ElideRight, room);
        }
    }
};

} // namespace

GridView::GridView(QWidget* parent) : QTableView(parent) {
    // The look tints the odd rows itself, the same on paper.
    setAlternatingRowColors(false);
    verticalHeader()->setMinimumWidth(40);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    auto* captions = new CaptionHeader(this);
    // As the table's own header: clickable, the current column's caption in bold.
    captions->setSectionsClickable(horizontalHeader()->sectionsClickable());
    captions->setHighlightSections(horizontalHeader()->highlightSections());
    setHorizontalHeader(captions);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) { fitColumn(horizontalHeader()->logicalIndexAt(pos)); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (sort_ && gridModel_ != nullptr) {
            sort_(gridModel_->gridColumnOf(gridModel_->index(0, section)));
        }
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!sizing_) {
            defaultWidths_ = false; // the user sized a column by hand
        }
    });
}

void GridView::setGridModel(GridModel* model) {
    gridModel_ = model;
    setModel(model);
    applyGridColor();
}

void GridView::applyGridColor() {
    if (gridModel_ == nullptr) {
        return;
    }
    if (const auto c = gridModel_->look().gridColor()) {
        QPalette p = palette();
        p.setColor(QPalette::Base, QColor(c->r, c->g, c->b));
        setPalette(p);
    }
}

void GridView::setSortByColumn(std::function<void(int gridColumn)> sort) {
    sort_ = std::move(sort);
}

void GridView::keepColumnWhole(int column, const QString& sample) {
    for (auto& k : kept_) {
        if (k.first == column) {
            k.second = sample;
            return;
        }
    }
    kept_.emplace_back(column, sample);
}

int GridView::sampledWidth(int column) const {
    const int rows = model()->rowCount();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int widest = 0;
    const auto measure = [&](int from, int to) {
        for (int r = std::max(0, from); r < std::min(rows, to); ++r) {
            const QModelIndex index = model()->index(r, column);
            if (QAbstractItemDelegate* delegate = itemDelegateForIndex(index)) {
                widest = std::max(widest, delegate->sizeHint(option, index).width());
            }
        }
    };
    measure(0, kSampleRows);
    const int firstShown = std::max(kSampleRows, rowAt(0));
    const int lastShown = rowAt(viewport()->height());
    measure(firstShown, lastShown < 0 ? firstShown + kSampleRows : lastShown + 1);
    measure(std::max({kSampleRows, lastShown + 1, rows - kSampleRows}), rows);
    return showGrid() ? widest + 1 : widest;
}

int GridView::wantedWidth(int column) const {
    int wanted = std::max(sampledWidth(column), horizontalHeader()->sectionSizeHint(column));
    for (const auto& [c, sample] : kept_) {
        if (c == column && !sample.isEmpty()) {
            // As the item delegate pads a text: the focus frame's margin and a pixel each side.
            const int margin =
                style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
            wanted = std::max(wanted, fontMetrics().horizontalAdvance(sample) + 2 * margin + 1);
        }
    }
    return wanted + padding_;
}

void GridView::settleGeometry() {
    const bool held = settling_;
    settling_ = true;
    // A new row count widens the number column, and a scroll bar the rows or the widths
    // call for shows or hides a turn later: both resize the viewport. Laid out now, they
    // cost no further fit each.
    executeDelayedItemsLayout();
    updateGeometries();
    updateGeometries();
    settling_ = held;
}

void GridView::fitColumnsAfter(const std::function<void()>& arrange) {
    const bool held = settling_;
    settling_ = true;
    arrange();
    settling_ = held;
    fitColumns();
}

void GridView::fitColumns() {
    if (model() == nullptr) {
        return;
    }
    settleGeometry();
    const int count = model()->columnCount();
    std::vector<int> wanted;
    for (int c = 0; c < count; ++c) {
        wanted.push_back(wantedWidth(c));
    }
    const int available = viewport()->width();
    const auto stretch = stretchColumn_ >= 0 ? static_cast<std::size_t>(stretchColumn_)
                                             : wanted.size(); // out of range: none
    std::vector<bool> keeps(wanted.size(), false);
    int keptWidth = 0;
    for (const auto& k : kept_) {
        const auto c = static_cast<std::size_t>(k.first);
        if (k.first >= 0 && c < wanted.size() && c != stretch && !keeps[c]) {
            keeps[c] = true;
            keptWidth += wanted[c];
        }
    }
    const int kept = static_cast<int>(std::count(keeps.begin(), keeps.end(), true));
    std::vector<int> widths;
    if (kept > 0 && keptWidth + (count - kept) * kMinimumWidth <= available) {
        // The kept columns whole; the others share what they leave.
        std::vector<int> others;
        std::size_t otherStretch = wanted.size();
        for (std::size_t c = 0; c < wanted.size(); ++c) {
            if (!keeps[c]) {
                otherStretch = c == stretch ? others.size() : otherStretch;
                others.push_back(wanted[c]);
            }
        }
        const auto shared = ledgora::defaultColumnWidths(others, available - keptWidth,
                                                         otherStretch, kMinimumWidth);
        std::size_t next = 0;
        for (std::size_t c = 0; c < wanted.size(); ++c) {
            widths.push_back(keeps[c] ? wanted[c] : shared[next++]);
        }
    } else {
        widths = ledgora::defaultColumnWidths(wanted, available, stretch, kMinimumWidth);
    }
    sizing_ = true;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
    sizing_ = false;
    defaultWidths_ = true;
    // The widths' own scroll bar, now rather than in a later turn with another fit.
    settleGeometry();
}

void GridView::fitColumn(int column) {
    if (model() == nullptr || column < 0 || column >= model()->columnCount()) {
        return;
    }
    int others = 0;
    for (int c = 0; c < model()->columnCount(); ++c) {
        others += c != column && !isColumnHidden(c) ? columnWidth(c) : 0;
    }
    sizing_ = true;
    setColumnWidth(column, ledgora::fittedColumnWidth(wantedWidth(column), viewport()->width(),
                                                      others, kMinimumWidth));
    sizing_ = false;
    defaultWidths_ = false;
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (defaultWidths_ && !settling_) {
        fitColumns();
    }
}

ledgora::CellPosition GridView::searchStart(int column) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || gridModel_ == nullptr) {
        return {1, column};
    }
    return {gridModel_->gridRowOf(current), gridModel_->gridColumnOf(current)};
}
