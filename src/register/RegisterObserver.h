// What the open account announces, so that every view of it stays in step without a
// window refreshing another by hand. Rows and columns are grid coordinates (row 0 holds
// the captions).
#pragma once

namespace ledgora {

class RegisterObserver {
public:
    virtual ~RegisterObserver() = default;

    // Cells firstColumn..lastColumn of `row` have new texts.
    virtual void cellsChanged(int /*row*/, int /*firstColumn*/, int /*lastColumn*/) {}
    // `count` rows now stand from `first` on.
    virtual void rowsInserted(int /*first*/, int /*count*/) {}
    // The `count` rows that stood from `first` on are gone.
    virtual void rowsRemoved(int /*first*/, int /*count*/) {}
    // The whole register is new: a load, a creation, an import, a restore, a sort.
    virtual void registerReplaced() {}
    // The running balances of rows fromRow.. and the account's totals changed.
    virtual void balancesChanged(int /*fromRow*/) {}
    // The display currency changed (every amount was converted).
    virtual void currencyChanged() {}
    virtual void accountOpened() {}
    virtual void accountClosed() {}
};

} // namespace ledgora
