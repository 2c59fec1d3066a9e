#include "ui/GridModel.h"

#include <algorithm>

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {

QColor toQColor(const ledgora::Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

Qt::Alignment toQt(ledgora::Alignment a) {
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

// The roles a look answers; one call of the look serves them all.
QVariant lookRole(const ledgora::CellLook& look, std::optional<ledgora::Rgb> gridColor, int role) {
    switch (role) {
    case Qt::BackgroundRole: {
        const auto background = look.background ? look.background : gridColor;
        return background ? QVariant(QBrush(toQColor(*background))) : QVariant();
    }
    case Qt::ForegroundRole:
        // A rule that sets no text colour leaves black, the grid's text colour.
        return QBrush(toQColor(look.text.value_or(ledgora::colors::kBlack)));
    case Qt::FontRole: {
        if (!look.bold) {
            return {};
        }
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(toQt(look.alignment));
    default:
        return {};
    }
}

bool isLookRole(int role) {
    return role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::FontRole ||
           role == Qt::TextAlignmentRole;
}

} // namespace

GridModel::GridModel(const ledgora::Grid& grid, const ledgora::GridLook& look, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), look_(&look) {
    recount();
}

GridModel::GridModel(const ledgora::Grid& grid, std::unique_ptr<const ledgora::GridLook> look,
                     QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), ownLook_(std::move(look)), look_(ownLook_.get()) {
    recount();
}

void GridModel::recount() {
    rows_ = countRows();
    columns_ = countColumns();
}

int GridModel::countRows() const {
    return std::max(0, grid_.rowCount() - rowOffset());
}

int GridModel::countColumns() const {
    return std::max(0, look_->shownColumns(grid_) - columnOffset());
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QModelIndex GridModel::indexOf(int gridRow, int gridColumn) const {
    return index(gridRow - rowOffset(), gridColumn - columnOffset());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) {
        return {};
    }
    const int r = gridRowOf(index);
    const int c = gridColumnOf(index);
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return QString::fromStdString(grid_.at(r, c));
    }
    if (isLookRole(role) && grid_.contains(r, c)) {
        return lookRole(look_->cell(grid_, r, c), look_->gridColor(), role);
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool horizontal = orientation == Qt::Horizontal;
    if (horizontal ? rowOffset() == 0 : columnOffset() == 0) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const int r = horizontal ? 0 : section + rowOffset();
    const int c = horizontal ? section + columnOffset() : 0;
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(grid_.at(r, c));
    }
    if (role == Qt::TextAlignmentRole && !horizontal) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    if (role == Qt::BackgroundRole && grid_.contains(r, c)) {
        return lookRole(look_->cell(grid_, r, c), std::nullopt, role);
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (mayEdit_ && commit_ && mayEdit_(gridRowOf(index), gridColumnOf(index))) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || index.row() >= rows_) {
        return false;
    }
    // The core operation changes the grid; what it changed comes back through the
    // change calls, so the model announces nothing itself.
    commit_(gridRowOf(index), gridColumnOf(index), value.toString().toStdString());
    return true;
}

void GridModel::setEditing(MayEdit mayEdit, Commit commit) {
    mayEdit_ = std::move(mayEdit);
    commit_ = std::move(commit);
}

void GridModel::setLook(const ledgora::GridLook& look) {
    const bool sameShape = look.fixedRows() == look_->fixedRows() &&
                           look.fixedColumns() == look_->fixedColumns() &&
                           look.shownColumns(grid_) == look_->shownColumns(grid_);
    if (!sameShape) {
        beginResetModel();
        look_ = &look;
        recount();
        endResetModel();
        return;
    }
    look_ = &look;
    if (rows_ > 0 && columns_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    }
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columns_ - 1));
}

void GridModel::gridCellsChanged(int gridRow, int firstColumn, int lastColumn) {
    const int row = gridRow - rowOffset();
    const int first = std::max(firstColumn - columnOffset(), 0);
    const int last = std::min(lastColumn - columnOffset(), columns_ - 1);
    if (row < 0 || first > last) {
        // The caption row or the number column: the headers show them.
        if (gridRow < rowOffset()) {
            emit headerDataChanged(Qt::Horizontal, first, std::max(first, last));
        } else if (row < rows_ && firstColumn < columnOffset()) {
            emit headerDataChanged(Qt::Vertical, row, row);
        }
        return;
    }
    if (row >= rows_) {
        return;
    }
    if (firstColumn < columnOffset()) {
        emit headerDataChanged(Qt::Vertical, row, row);
    }
    emit dataChanged(index(row, first), index(row, last));
}

void GridModel::gridRowsInserted(int firstGridRow, int count) {
    const int first = std::clamp(firstGridRow - rowOffset(), 0, rows_);
    if (count <= 0) {
        return;
    }
    beginInsertRows({}, first, first + count - 1);
    rows_ += count;
    endInsertRows();
    // The rows below were numbered anew.
    if (columnOffset() > 0 && first + count < rows_) {
        emit headerDataChanged(Qt::Vertical, first + count, rows_ - 1);
    }
}

void GridModel::gridRowsRemoved(int firstGridRow, int count) {
    const int first = firstGridRow - rowOffset();
    const int last = std::min(first + count, rows_) - 1;
    if (first < 0 || first > last) {
        return;
    }
    beginRemoveRows({}, first, last);
    rows_ -= last - first + 1;
    endRemoveRows();
    if (columnOffset() > 0 && first < rows_) {
        emit headerDataChanged(Qt::Vertical, first, rows_ - 1);
    }
}

void GridModel::gridReplaced() {
    beginResetModel();
    recount();
    endResetModel();
}
