#include "register/ScriptedAccountForms.h"

namespace ledgora {
namespace {

using Answer = platform::ScriptedDialogs::Answer;

std::string field(const Answer& a, std::size_t i) {
    return i < a.fields.size() ? a.fields[i] : std::string();
}

} // namespace

std::optional<NameForm> ScriptedAccountForms::form(const NameFormCheck& check,
                                                   NameForm (*toForm)(const Answer&)) {
    for (;;) {
        const auto a = next();
        if (!a || a->reply == platform::Reply::Cancel) {
            return std::nullopt;
        }
        NameForm f = toForm(*a);
        if (f.name.empty()) {
            continue; // "OK" is disabled while the name is empty
        }
        if (check(f)) {
            return f;
        }
    }
}

std::optional<NameForm> ScriptedAccountForms::newUserForm(const NameFormCheck& check) {
    asked("Nouvel utilisateur");
    return form(check, [](const Answer& a) {
        return NameForm{field(a, 0), field(a, 1), {}, true};
    });
}

std::optional<NameForm> ScriptedAccountForms::newAccountForm(bool canCancel, bool euros,
                                                             const NameFormCheck& check) {
    asked("Nouveau compte");
    lastCanCancel_ = canCancel;
    lastEuros_ = euros;
    return form(check, [](const Answer& a) {
        return NameForm{field(a, 0), {}, field(a, 1), a.flag};
    });
}

std::optional<NameForm> ScriptedAccountForms::saveAsForm(const NameFormCheck& check) {
    asked("Enregistrer sous");
    return form(check, [](const Answer& a) { return NameForm{field(a, 0), {}, {}, true}; });
}

std::optional<PasswordChange> ScriptedAccountForms::changePasswordForm(const std::string& user,
                                                                       bool hasPassword) {
    asked("Changement du mot de passe: " + user + (hasPassword ? "" : " (new)"));
    const auto a = next();
    if (!a || a->reply == platform::Reply::Cancel) {
        return std::nullopt;
    }
    return PasswordChange{hasPassword ? field(*a, 0) : std::string(), field(*a, 1)};
}

UserChoice ScriptedAccountForms::chooseUser(
    const std::string& caption, const std::function<std::vector<std::string>()>& users,
    int selected, const std::function<void(const std::string&)>& deleteUser) {
    asked(caption);
    openedAt(selected);
    for (;;) {
        const auto a = next();
        if (!a || a->reply == platform::Reply::Cancel) {
            return {};
        }
        if (a->flag) {
            return {UserChoice::Outcome::CreateUser, -1};
        }
        if (a->text) {
            deleteUser(*a->text);
            continue;
        }
        const int count = static_cast<int>(users().size());
        if (a->index && *a->index >= 0 && *a->index < count) {
            return {UserChoice::Outcome::Chosen, *a->index};
        }
        return {};
    }
}

} // namespace ledgora
