#include "register/ui/RegisterModel.h"

#include "register/CellRules.h"
#include "register/RegisterColumns.h"
#include "register/RegisterLook.h"
#include "ui/Pictures.h"

namespace {

// The register's look with the session's rules as they are when a cell is painted.
class SessionLook : public ledgora::GridLook {
public:
    explicit SessionLook(const ledgora::AccountSession& session) : session_(session) {}

    ledgora::CellLook cell(const ledgora::Grid& grid, int row, int column) const override {
        return look().cell(grid, row, column);
    }
    ledgora::Alignment alignment(const ledgora::Grid& grid, int row, int column) const override {
        return look().alignment(grid, row, column);
    }
    int shownColumns(const ledgora::Grid&) const override { return ledgora::kShownColumns; }
    std::optional<ledgora::Rgb> gridColor() const override { return look().gridColor(); }

private:
    ledgora::RegisterLook look() const {
        return ledgora::RegisterLook(session_.budgetLimits(), &session_.spending());
    }

    const ledgora::AccountSession& session_;
};

} // namespace

RegisterModel::RegisterModel(ledgora::AccountSession& session, QObject* parent)
    : GridModel(session.grid(), std::make_unique<SessionLook>(session), parent), session_(session) {
    recount();
    session_.addObserver(&listener_);
}

RegisterModel::~RegisterModel() {
    session_.removeObserver(&listener_);
}

int RegisterModel::countRows() const {
    return session_.isOpen() ? GridModel::countRows() : 0;
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ledgora::Grid& grid = session_.grid();
    const int r = gridRow(index);
    const int c = gridColumn(index);
    switch (role) {
    case Qt::DisplayRole:
        return c == ledgora::col::Pointage ? QVariant() : GridModel::data(index, role);
    case Qt::CheckStateRole:
        if (c == ledgora::col::Pointage) {
            return grid.at(r, c) == ledgora::kTicked ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    case Qt::ToolTipRole: {
        const std::string hint = ledgora::registerCellHint(grid, r, c, session_.transferLinks());
        return hint.empty() ? QVariant() : QString::fromStdString(hint);
    }
    case Qt::DecorationRole:
        if (c == ledgora::col::ModePaiement) {
            const QIcon icon = pictures::paymentMode(ledgora::paymentModePicture(grid.at(r, c)));
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        return {};
    default:
        return GridModel::data(index, role);
    }
}

Qt::ItemFlags RegisterModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int r = gridRow(index);
    const int c = gridColumn(index);
    if (c == ledgora::col::Pointage) {
        return f | Qt::ItemIsUserCheckable;
    }
    if (ledgora::mayEditRegisterCell(session_.grid(), r, c, session_.transferLinks())) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool RegisterModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount()) {
        return false;
    }
    const int r = gridRow(index);
    const int c = gridColumn(index);
    if (role == Qt::CheckStateRole && c == ledgora::col::Pointage) {
        session_.toggleMark(r);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        emit balancesChanged();
        return true;
    }
    if (role != Qt::EditRole) {
        return false;
    }
    // The account announces what the edit changed; the listener repaints that much.
    session_.validateCell(r, c, value.toString().toStdString());
    return true;
}

void RegisterModel::reload() {
    gridReplaced();
    emit balancesChanged();
}

void RegisterModel::sync() {
    const int now = countRows();
    const int rows = rowCount();
    if (now > rows) {
        gridRowsInserted(rows + 1, now - rows);
    } else if (now < rows) {
        gridRowsRemoved(now + 1, rows - now);
    }
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
}

void RegisterModel::Listener::cellsChanged(int row, int firstColumn, int lastColumn) {
    model_.gridCellsChanged(row, firstColumn, lastColumn);
}

void RegisterModel::Listener::rowsInserted(int first, int count) {
    model_.gridRowsInserted(first, count);
}

void RegisterModel::Listener::rowsRemoved(int first, int count) {
    model_.gridRowsRemoved(first, count);
}

void RegisterModel::Listener::balancesChanged(int fromRow) {
    const int last = model_.rowCount();
    if (fromRow >= 1 && fromRow <= last) {
        emit model_.dataChanged(model_.indexOf(fromRow, ledgora::col::Solde),
                                model_.indexOf(last, ledgora::col::Solde));
    }
    emit model_.balancesChanged();
}

void RegisterModel::Listener::currencyChanged() {
    if (model_.rowCount() > 0) {
        emit model_.dataChanged(model_.index(0, 0),
                                model_.index(model_.rowCount() - 1, model_.columnCount() - 1));
    }
    emit model_.balancesChanged();
}
