// The open account: its register, its currency, the parts that live beside it (see
// AccountPart), and the commands that load, save, convert and validate it. The workspace
// holds one; every rule of those commands lives here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Sounds.h"
#include "register/AccountPart.h"
#include "register/Balances.h"
#include "register/BudgetLimits.h"
#include "register/Grid.h"
#include "register/GridSearch.h"
#include "register/MonthlySpending.h"
#include "register/NameList.h"
#include "register/RegisterChanges.h"
#include "register/RegisterColumns.h"
#include "register/RegisterCommand.h"
#include "register/RegisterEdits.h"
#include "register/RegisterHistory.h"
#include "register/RegisterObserver.h"
#include "register/TransferLinks.h"

namespace ledgora {

struct AccountServices {
    platform::Registry& registry;
    const platform::Paths& paths;
    const platform::Clock& clock;
    platform::Dialogs& dialogs;
    platform::Sounds& sounds;
};

class AccountSession {
public:
    AccountSession(AccountServices services, NameList& categories, NameList& modes);
    // The spending may be left to sum the register at its first question: a copy would
    // sum the first session's.
    AccountSession(const AccountSession&) = delete;
    AccountSession& operator=(const AccountSession&) = delete;

    // The views and windows that follow the account; the session does not own them. An
    // observer is told once per operation, after it ended.
    void addObserver(RegisterObserver* observer);
    void removeObserver(RegisterObserver* observer);

    // What lives beside the register, told of each create, load, save, conversion and
    // close in the order added; added once, not owned.
    void addPart(AccountPart* part);

    // The rules of the subsystems the register consults; null puts back the do-nothing
    // default. Not owned.
    void setTransferLinks(TransferLinks* links);
    void setBudgetLimits(BudgetLimits* limits);
    TransferLinks& transferLinks() const { return *links_; }
    BudgetLimits& budgetLimits() const { return *limits_; }

    // The register's edit surface for the rules built on it (transfers, automatic entry):
    // each change is announced and leaves the balances and the monthly spending right.
    RegisterEdits& edits() { return edits_; }

    // Every edit below, and those made through edits(), is a RegisterCommand run here; an
    // edit run inside another (a paste's cells, a transfer check's writes) belongs to it.
    // The outermost one that changed the register goes to the history, if any (not owned;
    // null: none), which can hand it back to revert() while the register is still as that
    // command left it. revert() recomputes the balances and the spending and announces what
    // it put back; what the edit did outside the register (a twin removed in another
    // account, a category added to the list, a warning) stays.
    RegisterCommand::Result execute(RegisterCommand command);
    void setHistory(RegisterHistory* history) { history_ = history; }
    void revert(const RegisterCommand& command);

    // The current user; changing it closes the account (without saving).
    const std::string& user() const { return user_; }
    void setUser(const std::string& user);

    bool isOpen() const { return !account_.empty(); }
    const std::string& account() const { return account_; }
    // Forgets the open account (after it was deleted, or its user changed).
    void close();
    // Told each time the account closes (the user changing too), so that the window shows
    // it before the next question is asked.
    void setClosedListener(std::function<void()> listener) { closed_ = std::move(listener); }
    // The open account takes another name (save as); nothing is written.
    void rename(const std::string& account);

    bool euros() const { return euros_; }

    Grid& grid() { return register_; }
    const Grid& grid() const { return register_; }

    const Balances& balances() const { return balances_; }
    // The register's find: its options and the position of the last match.
    GridSearch& search() { return search_; }
    const MonthlySpending& spending() const { return spending_; }

    bool soundsOn() const { return soundsOn_; }
    void setSoundsOn(bool on) { soundsOn_ = on; }

    // Off while the program fills or rearranges the register: validation does nothing.
    bool validating() const { return validating_; }
    void setValidating(bool on) { validating_ = on; }

    // Writes the register, the account's settings, then each part's files and settings.
    // True when there is nothing to save or everything was written; otherwise the error
    // was shown and what comes after it was left alone.
    bool save();

    // Loads the account of the current user: sort, clean-up, balances, then the parts.
    // When the file cannot be read the message is shown and the open account stays as it
    // was.
    bool load(const std::string& account);

    // Makes `account` the open account with a fresh register holding the initial-balance
    // row, in the given currency, and saves it.
    bool create(const std::string& account, double initialBalance, bool euros);

    // The "&Euro" and "&Franc" commands; choosing the current currency does nothing.
    void switchToEuros();
    void switchToFrancs();

    // The checks and updates after the user typed `text` into a cell. A date that
    // parseTypedDate() reads is kept as "dd/mm/yyyy".
    ValidationResult validateCell(int row, int column, std::string text);

    // What a click on an empty editable cell proposes (clickFill()); the window offers it
    // in the cell's editor, and only the user's Enter or Tab makes it the cell's text.
    std::optional<std::string> clickProposal(int row, int column) const;

    // A click on a "pointage" check box.
    void toggleMark(int row);

    // "&Lignes" > "&Ajouter": a blank row at the end.
    void appendLine();
    // "&Lignes" > "&Insérer après la ligne courante": nothing on a row canInsertAfter()
    // refuses; true when a row was inserted.
    bool insertLineAfter(int row);
    // "&Lignes" > "&Supprimer...": nothing on a row canDeleteRow() refuses, except the
    // initial-balance row, which says why; otherwise after the confirmation naming the
    // row. True when the row was removed.
    bool deleteLine(int row);
    // "&Lignes" > "Supprimer les lignes &vierges inutiles".
    void cleanUpLines();

    // Pastes TAB/line-separated text from `row`, `column` rightwards and downwards, adding
    // rows when needed; each cell goes through validateCell(), the computed "solde" column
    // and the hidden columns take nothing. An amount that would leave a row with both a
    // debit and a credit is not pasted, and one warning names the rows. Returns the number
    // of rows the text covered.
    int paste(int row, int column, const std::string& text);
    // Empties the cells of the rectangle (cut), then recomputes the balances.
    void clearCells(int top, int left, int bottom, int right);

    // Recomputes the running balances, the balance, the reconciled balance and the
    // monthly spending.
    void recompute();
    // For a caller that rewrote the whole register through grid() (an import): recomputes
    // and tells the observers that the register is new.
    void registerRewritten();

    // The file of `account`.
    std::filesystem::path accountFile(const std::string& account) const;

private:
    friend class Announcing;
    class Edits : public RegisterEdits {
    public:
        explicit Edits(AccountSession& s) : session_(s) {}
        const Grid& grid() const override { return session_.register_; }
        void setCell(int row, int column, std::string text) override;
        void insertRow(int row) override;
        void removeRow(int row) override;

    private:
        AccountSession& session_;
    };

    void run(RegisterCommand& command);
    // The bodies of the edits, run by run().
    ValidationResult typeCell(int row, int column, std::string text);
    void setCellByRule(int row, int column, std::string text);
    void insertRowByRule(int row);
    void removeRowByRule(int row);
    void flipMark(int row);
    void addLineAtEnd();
    bool insertLine(int row);
    bool removeLine(int row);
    void removeBlankLines();
    int pasteText(int row, int column, const std::string& text);
    void emptyCells(int top, int left, int bottom, int right);

    // The changes every edit is made of: each is noted for the views and, while a history
    // listens, in the running command. writeCell() does nothing when the text is the same.
    void writeCell(int row, int column, std::string text);
    void insertRowAt(int row);
    void removeRowAt(int row);
    // The register was replaced other than by an edit.
    void forgetHistory();
    // Rows from `row` on need their balances again (an edit through edits()).
    void staleFrom(int row);
    // Recomputes what staleFrom() asked for; true when it did.
    bool settle();
    void announce();

    AccountRef ref() const { return {user_, account_, euros_}; }
    void convert(bool toEuros);

    AccountServices services_;
    NameList& categories_;
    NameList& modes_;
    TransferLinks defaultLinks_;
    TransferLinks* links_ = &defaultLinks_;
    BudgetLimits defaultLimits_;
    BudgetLimits* limits_ = &defaultLimits_;
    std::vector<AccountPart*> parts_;
    Edits edits_{*this};
    RegisterHistory* history_ = nullptr;
    int commandDepth_ = 0;
    RegisterCommand* recording_ = nullptr;
    int staleFrom_ = -1;
    std::function<void()> closed_;
    std::vector<RegisterObserver*> observers_;
    RegisterChanges changes_;
    int announceDepth_ = 0;

    std::string user_;
    std::string account_;
    bool euros_ = true;
    bool soundsOn_ = true;
    bool validating_ = true;

    Grid register_;
    Balances balances_;
    MonthlySpending spending_;
    GridSearch search_{col::Pointage, col::Solde};
};

} // namespace ledgora
