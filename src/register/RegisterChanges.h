// What one operation on the open account changed, gathered while it runs and announced
// once when it ends, so that an operation made of smaller ones (a paste, a transfer's
// twin edit) tells the views one consistent story.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "register/RegisterObserver.h"

namespace ledgora {

class RegisterChanges {
public:
    // Cells are given in the row numbering of the moment they change.
    void cell(int row, int column);
    void rowsInserted(int first, int count);
    void rowsRemoved(int first, int count);
    void replaced() { replaced_ = true; }
    void balances(int fromRow);
    void currency() { currency_ = true; }
    void opened() { opened_ = true; }
    void closed() { closed_ = true; }

    bool empty() const;

    // Tells every observer, in this order: closed, the rows (or the whole register), the
    // cells, the balances, the currency, opened. Then forgets everything.
    void announce(const std::vector<RegisterObserver*>& observers);

private:
    struct RowSpan {
        int first = 0;
        int count = 0;
    };
    bool hasCellAtOrAfter(int row) const;

    bool replaced_ = false;
    bool inserted_ = false;
    bool removed_ = false;
    RowSpan rows_;
    std::map<int, std::set<int>> cells_;
    int balancesFrom_ = -1;
    bool currency_ = false;
    bool opened_ = false;
    bool closed_ = false;
};

} // namespace ledgora
