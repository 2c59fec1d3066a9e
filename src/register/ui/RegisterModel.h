// The register of the open account as a Qt table: one row per operation (the caption
// row becomes the horizontal header, the row numbers the vertical one) and the nine shown
// columns. It holds no copy of the data: every call reads the account's grid and its
// look, and every edit goes to the account's validation.
#pragma once

#include "register/AccountSession.h"
#include "register/RegisterObserver.h"
#include "ui/GridModel.h"

class RegisterModel : public GridModel {
    Q_OBJECT
public:
    explicit RegisterModel(ledgora::AccountSession& session, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Grid coordinates of a model index: the register always has its caption row and its
    // number column.
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }
    static int gridColumn(const QModelIndex& index) { return index.column() + 1; }

    // The model's ear on the open account: each change the account announces becomes the
    // model's matching signal (a cell, the balance column from a row on, rows inserted or
    // removed, a reset only when the whole register is new).
    ledgora::RegisterObserver& observer() { return listener_; }

    // After the account was loaded, created, closed or rearranged.
    void reload();
    // After rows were added at the end or cells changed in place.
    void sync();

signals:
    // The balance or the reconciled balance may have changed.
    void balancesChanged();

protected:
    int countRows() const override;

private:
    class Listener : public ledgora::RegisterObserver {
    public:
        explicit Listener(RegisterModel& model) : model_(model) {}
        void cellsChanged(int row, int firstColumn, int lastColumn) override;
        void rowsInserted(int first, int count) override;
        void rowsRemoved(int first, int count) override;
        void registerReplaced() override { model_.reload(); }
        void balancesChanged(int fromRow) override;
        void currencyChanged() override;
        void accountOpened() override { model_.reload(); }
        void accountClosed() override { model_.reload(); }

    private:
        RegisterModel& model_;
    };

    ledgora::AccountSession& session_;
    Listener listener_{*this};
};
