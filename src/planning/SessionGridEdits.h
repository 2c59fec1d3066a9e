// The open account's register as the edit surface of the rules built on top of it
// (automatic entry, the linked transfers): cells written as the program does, rows
// renumbered, the balances recomputed once the edits are over. The session is borrowed.
#pragma once

#include <string>

#include "register/AccountSession.h"
#include "register/RegisterEdits.h"

namespace ledgora {

class SessionGridEdits final : public RegisterEdits {
public:
    explicit SessionGridEdits(AccountSession& session) : session_(session) {}
    // The balances and the monthly spending follow what was changed.
    ~SessionGridEdits() override;

    const Grid& grid() const override { return session_.grid(); }
    void setCell(int row, int column, std::string text) override;
    void insertRow(int row) override;
    void removeRow(int row) override;

    // Whether a row was inserted or removed: the views then need the whole register again.
    bool rowsChanged() const { return rowsChanged_; }

private:
    AccountSession& session_;
    bool rowsChanged_ = false;
};

} // namespace ledgora
