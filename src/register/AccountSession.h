// The open account: its register, its planning grid, its currency and bank balance, and
// the commands that load, save, convert and validate it. The main window holds one and
// shows its state; every rule of those commands lives here.
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
#include "register/Balances.h"
#include "register/Grid.h"
#include "register/GridSearch.h"
#include "register/MonthlySpending.h"
#include "register/NameList.h"
#include "register/RegisterChanges.h"
#include "register/RegisterColumns.h"
#include "register/RegisterHooks.h"
#include "register/RegisterObserver.h"

namespace ledgora {

// The planning grid's layout, as far as the account's load, save and conversion need it.
namespace planning_col {
inline constexpr int Count = 10;
inline constexpr int Debit = 5;
inline constexpr int Credit = 6;
inline constexpr int Deber = 7;
inline constexpr int Creder = 8;
inline constexpr int Entered = 9;
} // namespace planning_col
inline constexpr AmountColumns kPlanningAmounts{planning_col::Debit, planning_col::Credit,
                                                planning_col::Deber, planning_col::Creder};

struct AccountServices {
    platform::Registry& registry;
    const platform::Paths& paths;
    const platform::Clock& clock;
    platform::Dialogs& dialogs;
    platform::Sounds& sounds;
};

// What a cell validation changed, for the view to refresh.
struct ValidationResult {
    bool rowAppended = false;
    bool balancesChanged = false;
};

class AccountSession {
public:
    AccountSession(AccountServices services, NameList& categories, NameList& modes);

    // The views and windows that follow the account; the session does not own them. An
    // observer is told once per operation, after it ended.
    void addObserver(RegisterObserver* observer);
    void removeObserver(RegisterObserver* observer);

    // Later subsystems plug in here; the session does not own them.
    void setHooks(RegisterHooks* hooks);
    RegisterHooks& hooks() const { return *hooks_; }

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
    double bankBalance() const { return bankBalance_; }
    double bankRemainder() const { return bankRemainder_; }
    void setBankBalance(double balance, double remainder);

    Grid& grid() { return register_; }
    const Grid& grid() const { return register_; }
    Grid& planning() { return planning_; }
    const Grid& planning() const { return planning_; }
    // False after the planning file could not be read: it is then never written over.
    bool planningWritable() const { return planningWritable_; }
    void setPlanningWritable(bool writable) { planningWritable_ = writable; }

    const Balances& balances() const { return balances_; }
    // The register's find: its options and the position of the last match.
    GridSearch& search() { return search_; }
    const MonthlySpending& spending() const { return spending_; }

    bool soundsOn() const { return soundsOn_; }
    void setSoundsOn(bool on) { soundsOn_ = on; }

    // Off while the program fills or rearranges the register: validation does nothing.
    bool validating() const { return validating_; }
    void setValidating(bool on) { validating_ = on; }

    // Writes the register, the planning and the account's settings. True when there is
    // nothing to save or everything was written; otherwise the error was shown and the
    // settings were left alone.
    bool save();

    // Loads the account of the current user: sort, clean-up, balances, planning. When the
    // file cannot be read the message is shown and the open account stays as it was.
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

    // The file of the open account (or of `account`).
    std::filesystem::path accountFile(const std::string& account) const;
    std::filesystem::path planningFile(const std::string& account) const;

private:
    friend class Announcing;
    // Writes a cell and notes it when its text changed.
    void writeCell(int row, int column, std::string text);
    void announce();

    void resetPlanning();
    void loadPlanning(const std::string& account);
    void convert(bool toEuros);

    AccountServices services_;
    NameList& categories_;
    NameList& modes_;
    RegisterHooks defaultHooks_;
    RegisterHooks* hooks_ = &defaultHooks_;
    std::function<void()> closed_;
    std::vector<RegisterObserver*> observers_;
    RegisterChanges changes_;
    int announceDepth_ = 0;

    std::string user_;
    std::string account_;
    bool euros_ = true;
    double bankBalance_ = 0.0;
    double bankRemainder_ = 0.0;
    bool soundsOn_ = true;
    bool validating_ = true;
    bool planningWritable_ = true;

    Grid register_;
    Grid planning_;
    Balances balances_;
    MonthlySpending spending_;
    GridSearch search_{col::Pointage, col::Solde};
};

} // namespace ledgora
