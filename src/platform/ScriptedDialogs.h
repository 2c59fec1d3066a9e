// A Dialogs double for tests: records everything shown and answers from a script, in
// order. Boxes with only "OK" take no answer. An unscripted question gets the cautious
// answer (No, Cancel, nothing) and is counted, so a test can check none was unexpected.
// A subsystem's scripted forms derive from it and answer from the same script (the
// register's ScriptedAccountForms), so one script orders every question of a command.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace platform {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        MessageKind kind;
        std::string text;
        Buttons buttons;
        std::string title;
    };

    // One scripted answer: a reply for message boxes, an index for lists, text for entries,
    // fields for forms (name, password or amount, and the flag: euros, or "create a user").
    struct Answer {
        Reply reply = Reply::Cancel;
        std::optional<int> index;
        std::optional<std::string> text;
        std::vector<std::string> fields;
        bool flag = false;
    };

    ScriptedDialogs& reply(Reply r);
    ScriptedDialogs& yes() { return reply(Reply::Yes); }
    ScriptedDialogs& no() { return reply(Reply::No); }
    ScriptedDialogs& ok() { return reply(Reply::Ok); }
    ScriptedDialogs& cancel() { return reply(Reply::Cancel); }
    ScriptedDialogs& choose(int index);
    ScriptedDialogs& type(std::string text);
    // A filled-in form: its fields in order and a flag (see the forms of the derived
    // double: the register's new account takes {name, amount} with `flag` = euros).
    ScriptedDialogs& fill(std::vector<std::string> fields, bool flag = false);
    // The register's user chooser: press "Créer un nouvel utilisateur", or press
    // "Supprimer l'utilisateur sélectionné" on `name` (the chooser then stays open); choose()
    // picks a user.
    ScriptedDialogs& createUser();
    ScriptedDialogs& deleteInChooser(std::string name);

    Reply message(MessageKind kind, const std::string& text, Buttons buttons,
                  const std::string& title = {}) override;
    std::optional<int> chooseFromList(const std::string& caption,
                                      const std::vector<std::string>& items, int selected) override;
    std::optional<std::string> askPassword(const std::string& caption,
                                           const std::string& prompt) override;

    // Every message box, in order.
    const std::vector<Shown>& shown() const { return shown_; }
    // Their texts only.
    std::vector<std::string> texts() const;
    // Captions of the lists and entries asked for, in order.
    const std::vector<std::string>& prompts() const { return prompts_; }
    // The `selected` index each list was opened with.
    const std::vector<int>& preselected() const { return preselected_; }
    int unscripted() const { return unscripted_; }
    bool allAnswered() const { return script_.empty(); }
    void clear();

protected:
    // The next scripted answer, or nothing (and one more unscripted question).
    std::optional<Answer> next();
    // Records a form's caption, and the index a list was opened with.
    void asked(std::string caption) { prompts_.push_back(std::move(caption)); }
    void openedAt(int selected) { preselected_.push_back(selected); }

private:
    std::deque<Answer> script_;
    std::vector<Shown> shown_;
    std::vector<std::string> prompts_;
    std::vector<int> preselected_;
    int unscripted_ = 0;
};

} // namespace platform
