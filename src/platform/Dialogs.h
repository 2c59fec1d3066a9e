// The generic asks through which core commands tell or ask the user something: message
// boxes, the choice from a list, the password entry. A subsystem's own forms are its own
// port (the register's AccountForms, the calculator's WorksheetPrompts ...). The Qt program
// shows message boxes and dialogs; tests answer from a script (ScriptedDialogs).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageKind { Information, Warning, Error, Confirmation };
// YesNoDefaultNo: Yes and No with "Non" as the default button, for the questions whose
// "Oui" destroys data, so that one Enter does not.
// YesNoCancel: "Oui" the default, Escape is "Annuler".
enum class Buttons { Ok, YesNo, OkCancel, YesNoDefaultNo, YesNoCancel };
enum class Reply { Ok, Cancel, Yes, No };

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
