#include "register/RegisterChanges.h"

namespace ledgora {

bool RegisterChanges::hasCellAtOrAfter(int row) const {
    return !cells_.empty() && cells_.rbegin()->first >= row;
}

void RegisterChanges::cell(int row, int column) {
    if (replaced_) {
        return;
    }
    // A cell of a row inserted by this operation is read with its row.
    if (inserted_ && row >= rows_.first && row < rows_.first + rows_.count) {
        return;
    }
    cells_[row].insert(column);
}

void RegisterChanges::rowsInserted(int first, int count) {
    if (replaced_ || count <= 0) {
        return;
    }
    // Rows added one after another (a paste growing the register) stay one insertion;
    // anything that would renumber cells already noted makes it a new register.
    if (inserted_ && first == rows_.first + rows_.count && !hasCellAtOrAfter(first)) {
        rows_.count += count;
        return;
    }
    if (inserted_ || removed_ || hasCellAtOrAfter(first)) {
        replaced_ = true;
        return;
    }
    inserted_ = true;
    rows_ = {first, count};
}

void RegisterChanges::rowsRemoved(int first, int count) {
    if (replaced_ || count <= 0) {
        return;
    }
    if (inserted_ || removed_ || hasCellAtOrAfter(first)) {
        replaced_ = true;
        return;
    }
    removed_ = true;
    rows_ = {first, count};
}

void RegisterChanges::balances(int fromRow) {
    if (balancesFrom_ < 0 || fromRow < balancesFrom_) {
        balancesFrom_ = fromRow;
    }
}

bool RegisterChanges::empty() const {
    return !replaced_ && !inserted_ && !removed_ && cells_.empty() && balancesFrom_ < 0 &&
           !currency_ && !opened_ && !closed_;
}

void RegisterChanges::announce(const std::vector<RegisterObserver*>& observers) {
    RegisterChanges what = std::move(*this);
    *this = RegisterChanges();
    // A copy: an observer may leave while it is told.
    const std::vector<RegisterObserver*> told = observers;
    for (RegisterObserver* o : told) {
        if (what.closed_) {
            o->accountClosed();
        }
        if (what.replaced_) {
            o->registerReplaced();
        } else {
            if (what.removed_) {
                o->rowsRemoved(what.rows_.first, what.rows_.count);
            }
            if (what.inserted_) {
                o->rowsInserted(what.rows_.first, what.rows_.count);
            }
            for (const auto& [row, columns] : what.cells_) {
                // Neighbouring columns go together; the others each on their own.
                auto it = columns.begin();
                while (it != columns.end()) {
                    const int first = *it;
                    int last = first;
                    for (++it; it != columns.end() && *it == last + 1; ++it) {
                        last = *it;
                    }
                    o->cellsChanged(row, first, last);
                }
            }
        }
        if (what.balancesFrom_ >= 0) {
            o->balancesChanged(what.replaced_ ? 1 : what.balancesFrom_);
        }
        if (what.currency_) {
            o->currencyChanged();
        }
        if (what.opened_) {
            o->accountOpened();
        }
    }
}

} // namespace ledgora
