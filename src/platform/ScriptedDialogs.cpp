#include "platform/ScriptedDialogs.h"

namespace platform {

ScriptedDialogs& ScriptedDialogs::reply(Reply r) {
    script_.push_back({r, std::nullopt, std::nullopt, {}, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::choose(int index) {
    script_.push_back({Reply::Ok, index, std::nullopt, {}, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::type(std::string text) {
    script_.push_back({Reply::Ok, std::nullopt, std::move(text), {}, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::fill(std::vector<std::string> fields, bool flag) {
    script_.push_back({Reply::Ok, std::nullopt, std::nullopt, std::move(fields), flag});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::createUser() {
    script_.push_back({Reply::Ok, std::nullopt, std::nullopt, {}, true});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::deleteInChooser(std::string name) {
    script_.push_back({Reply::Ok, std::nullopt, std::move(name), {}, false});
    return *this;
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::next() {
    if (script_.empty()) {
        ++unscripted_;
        return std::nullopt;
    }
    Answer a = script_.front();
    script_.pop_front();
    return a;
}

Reply ScriptedDialogs::message(MessageKind kind, const std::string& text, Buttons buttons,
                               const std::string& title) {
    shown_.push_back({kind, text, buttons, title});
    if (buttons == Buttons::Ok) {
        return Reply::Ok;
    }
    const auto a = next();
    if (!a) {
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo ? Reply::No
                                                                               : Reply::Cancel;
    }
    return a->reply;
}

std::optional<int> ScriptedDialogs::chooseFromList(const std::string& caption,
                                                   const std::vector<std::string>& items,
                                                   int selected) {
    prompts_.push_back(caption);
    preselected_.push_back(selected);
    const auto a = next();
    if (!a || a->reply == Reply::Cancel || !a->index) {
        return std::nullopt;
    }
    if (*a->index < 0 || *a->index >= static_cast<int>(items.size())) {
        return std::nullopt;
    }
    return a->index;
}

std::optional<std::string> ScriptedDialogs::askPassword(const std::string& caption,
                                                        const std::string& prompt) {
    prompts_.push_back(caption + ": " + prompt);
    const auto a = next();
    if (!a || a->reply == Reply::Cancel || !a->text) {
        return std::nullopt;
    }
    return a->text;
}

std::vector<std::string> ScriptedDialogs::texts() const {
    std::vector<std::string> out;
    for (const auto& s : shown_) {
        out.push_back(s.text);
    }
    return out;
}

void ScriptedDialogs::clear() {
    script_.clear();
    shown_.clear();
    prompts_.clear();
    preselected_.clear();
    unscripted_ = 0;
}

} // namespace platform
