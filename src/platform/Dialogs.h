// The port through which core commands ask or tell the user something. The Qt program
// shows message boxes and dialogs; tests answer from a script (ScriptedDialogs).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageKind { Information, Warning, Error, Confirmation };
// YesNoDefaultNo: Yes and No with "Non" as the default button, for the questions whose
// "Oui" destroys data, so that one Enter does not.
enum class Buttons { Ok, YesNo, OkCancel, YesNoDefaultNo };
enum class Reply { Ok, Cancel, Yes, No };

// What the user typed into one of the name forms (new user, new account, save as).
struct NameForm {
    std::string name;
    std::string password; // new user
    std::string amount;   // new account: the initial balance as typed
    bool euros = true;    // new account: the currency chosen
};
// Called when the user presses "OK": true lets the form close, false keeps it open
// (the check has told the user why).
using NameFormCheck = std::function<bool(const NameForm&)>;

struct PasswordChange {
    std::string oldPassword;
    std::string newPassword;
};

// How the user chooser was left.
struct UserChoice {
    enum class Outcome { Chosen, Cancelled, CreateUser };
    Outcome outcome = Outcome::Cancelled;
    int index = -1;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box. `title` empty means the application title.
    virtual Reply message(MessageKind kind, const std::string& text, Buttons buttons,
                          const std::string& title = {}) = 0;

    // Picks one of `items` (`selected` preselected, -1 for none); nothing when cancelled.
    virtual std::optional<int> chooseFromList(const std::string& caption,
                                              const std::vector<std::string>& items,
                                              int selected) = 0;

    // A masked one-line entry; nothing when cancelled.
    virtual std::optional<std::string> askPassword(const std::string& caption,
                                                   const std::string& prompt) = 0;

    // The new-user form (name, masked password).
    virtual std::optional<NameForm> newUserForm(const NameFormCheck& check) = 0;
    // The new-account form (name, initial balance, currency); without a way to cancel
    // unless `canCancel`.
    virtual std::optional<NameForm> newAccountForm(bool canCancel, bool euros,
                                                   const NameFormCheck& check) = 0;
    // The save-as form (new name).
    virtual std::optional<NameForm> saveAsForm(const NameFormCheck& check) = 0;
    // Old and new password of `user`; the old one only when the user has one.
    virtual std::optional<PasswordChange> changePasswordForm(const std::string& user,
                                                             bool hasPassword) = 0;
    // The user chooser: a list refilled from `users()`, a button that deletes the selected
    // user through `deleteUser` and one that asks to create a new user.
    virtual UserChoice chooseUser(const std::string& caption,
                                  const std::function<std::vector<std::string>()>& users,
                                  int selected,
                                  const std::function<void(const std::string&)>& deleteUser) = 0;

    // Shorthands for the message boxes the product uses.
    void inform(const std::string& text) { message(MessageKind::Information, text, Buttons::Ok); }
    void warn(const std::string& text) { message(MessageKind::Warning, text, Buttons::Ok); }
    void fail(const std::string& text) { message(MessageKind::Error, text, Buttons::Ok); }
    // Confirmation with Yes and No; true on Yes.
    bool confirm(const std::string& text) {
        return message(MessageKind::Confirmation, text, Buttons::YesNo) == Reply::Yes;
    }
    // Warning with Yes and No, "Non" the default: the product's warnings that ask are the
    // ones that destroy data (an account replaced, a user deleted). True on Yes.
    bool warnYesNo(const std::string& text) {
        return message(MessageKind::Warning, text, Buttons::YesNoDefaultNo) == Reply::Yes;
    }
    // Confirmation with Yes and No, "Non" the default, before data is destroyed.
    bool confirmDestructive(const std::string& text) {
        return message(MessageKind::Confirmation, text, Buttons::YesNoDefaultNo) == Reply::Yes;
    }
};

} // namespace platform
