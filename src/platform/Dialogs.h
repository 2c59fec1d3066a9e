// The port through which core commands ask or tell the user something. The Qt program
// shows message boxes and dialogs; tests answer from a script (ScriptedDialogs).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageKind { Information, Warning, Error, Confirmation };
enum class Buttons { Ok, YesNo, OkCancel };
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
    // Warning with Yes and No; true on Yes.
    bool warnYesNo(const std::string& text) {
        return message(MessageKind::Warning, text, Buttons::YesNo) == Reply::Yes;
    }
};

} // namespace platform
