// The register of the open account as a Qt table: one row per operation (the caption
// row becomes the horizontal header, the row numbers the vertical one) and the nine shown
// columns. It holds no copy of the data: every call reads the account's grid and its
// rules, and every edit goes to the account's validation.
#pragma once

#include <QAbstractTableModel>

#include "register/AccountSession.h"

class RegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RegisterModel(ledgora::AccountSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Grid coordinates of a model index, and back.
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }
    static int gridColumn(const QModelIndex& index) { return index.column() + 1; }
    QModelIndex indexOf(int gridRow, int gridColumn) const;

    // After the account was loaded, created, closed or rearranged.
    void reload();
    // After rows were added at the end or cells changed in place.
    void sync();

signals:
    // The balance or the reconciled balance may have changed.
    void balancesChanged();

private:
    ledgora::AccountSession& session_;
    int rows_ = 0;
};
