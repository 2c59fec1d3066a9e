#include "ui/GridView.h"

#include <algorithm>
#include <vector>

#include <QHeaderView>

#include "register/ColumnWidths.h"
#include "ui/GridModel.h"

namespace {

// The padding every automatic width gets beyond its contents.
constexpr int kPadding = 20;
constexpr int kMinimumWidth = 40;

} // namespace

GridView::GridView(QWidget* parent) : QTableView(parent) {
    // The look tints the odd rows itself, the same on paper.
    setAlternatingRowColors(false);
    verticalHeader()->setMinimumWidth(40);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
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

int GridView::wantedWidth(int column) const {
    return std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column)) +
           kPadding;
}

void GridView::fitColumns() {
    if (model() == nullptr) {
        return;
    }
    std::vector<int> wanted;
    for (int c = 0; c < model()->columnCount(); ++c) {
        wanted.push_back(wantedWidth(c));
    }
    const auto stretch = stretchColumn_ >= 0 ? static_cast<std::size_t>(stretchColumn_)
                                             : wanted.size(); // out of range: none
    const auto widths =
        ledgora::defaultColumnWidths(wanted, viewport()->width(), stretch, kMinimumWidth);
    sizing_ = true;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
    sizing_ = false;
    defaultWidths_ = true;
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
    if (defaultWidths_) {
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
