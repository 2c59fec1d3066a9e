#include "register/ui/RegisterModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "register/CellRules.h"
#include "register/RegisterColumns.h"
#include "ui/Pictures.h"

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

} // namespace

RegisterModel::RegisterModel(ledgora::AccountSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session),
      rows_(session.isOpen() ? session.grid().rowCount() - 1 : 0) {}

int RegisterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RegisterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ledgora::kShownColumns - 1;
}

QModelIndex RegisterModel::indexOf(int gridRow, int gridColumn) const {
    return index(gridRow - 1, gridColumn - 1);
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) {
        return {};
    }
    const ledgora::Grid& grid = session_.grid();
    const int r = gridRow(index);
    const int c = gridColumn(index);
    const std::string& text = grid.at(r, c);
    switch (role) {
    case Qt::DisplayRole:
        return c == ledgora::col::Pointage ? QVariant() : QString::fromStdString(text);
    case Qt::EditRole:
        return QString::fromStdString(text);
    case Qt::CheckStateRole:
        if (c == ledgora::col::Pointage) {
            return text == ledgora::kTicked ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::FontRole: {
        const ledgora::CellStyle style =
            ledgora::registerCellStyle(grid, r, c, session_.hooks(), &session_.spending());
        if (role == Qt::BackgroundRole) {
            return QBrush(toQColor(style.background));
        }
        if (role == Qt::ForegroundRole) {
            return QBrush(toQColor(style.text));
        }
        if (!style.bold) {
            return {};
        }
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(toQt(ledgora::registerCellAlignment(r, c)));
    case Qt::ToolTipRole: {
        const std::string hint = ledgora::registerCellHint(grid, r, c, session_.hooks());
        return hint.empty() ? QVariant() : QString::fromStdString(hint);
    }
    case Qt::DecorationRole:
        if (c == ledgora::col::ModePaiement) {
            const QIcon icon = pictures::paymentMode(ledgora::paymentModePicture(text));
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        return {};
    default:
        return {};
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const ledgora::Grid& grid = session_.grid();
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole) {
            return QString::fromStdString(grid.at(0, section + 1));
        }
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(grid.at(section + 1, ledgora::col::Number));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    return {};
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
    if (ledgora::mayEditRegisterCell(session_.grid(), r, c, session_.hooks())) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool RegisterModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rows_) {
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
    session_.validateCell(r, c, value.toString().toStdString());
    sync();
    emit balancesChanged();
    return true;
}

void RegisterModel::reload() {
    beginResetModel();
    rows_ = session_.isOpen() ? session_.grid().rowCount() - 1 : 0;
    endResetModel();
    emit balancesChanged();
}

void RegisterModel::sync() {
    const int now = session_.isOpen() ? session_.grid().rowCount() - 1 : 0;
    if (now > rows_) {
        beginInsertRows({}, rows_, now - 1);
        rows_ = now;
        endInsertRows();
    } else if (now < rows_) {
        beginRemoveRows({}, now, rows_ - 1);
        rows_ = now;
        endRemoveRows();
    }
    if (rows_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
    }
}
