#include "register/AccountManager.h"

#include <filesystem>

#include "money/Amount.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "platform/TextCase.h"
#include "register/AccountNames.h"
#include "register/GridTextFormat.h"
#include "register/PasswordCode.h"
#include "register/SaveJournal.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
namespace settings = platform::settings;

constexpr const char* kPasswordPrompt = "Veuillez saisir votre mot de passe :";
constexpr const char* kBadUserName = "Ce nom d'utilisateur contient des caractères incorrects.";
constexpr const char* kBadFileName = "Ce nom de fichier contient des caractères incorrects.";
constexpr const char* kBadPassword = "Ce mot de passe contient des caractères incorrects.";
constexpr const char* kLongPassword =
    "Ce mot de passe est trop long : il ne peut pas dépasser 255 caractères.";

// A password the code can keep and give back as typed; otherwise the user is told why.
bool passwordAccepted(platform::Dialogs& dialogs, const std::string& password) {
    switch (checkPassword(password)) {
    case PasswordProblem::None:
        return true;
    case PasswordProblem::BadCharacters:
        dialogs.warn(kBadPassword);
        return false;
    case PasswordProblem::TooLong:
        dialogs.warn(kLongPassword);
        return false;
    }
    return false;
}

int indexWithin(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size ? index : 0;
}

} // namespace

AccountManager::AccountManager(AccountSession& session, platform::Registry& registry,
                               const platform::Paths& paths, platform::Dialogs& dialogs,
                               AccountForms& forms, AccountChoices& choices)
    : session_(session), registry_(registry), paths_(paths), dialogs_(dialogs), forms_(forms),
      choices_(choices) {}

std::vector<std::string> AccountManager::users() const {
    return listUsers(paths_);
}

std::vector<std::string> AccountManager::accounts() const {
    return listAccounts(paths_, session_.user());
}

std::string AccountManager::storedPassword(const std::string& user) const {
    return decodePassword(
        registry_.readString(Hive::CurrentUser, settings::userKey(user), settings::kPassword));
}

void AccountManager::chooseUser() {
    const auto list = users();
    const UserChoice choice = forms_.chooseUser(
        "Choisir un utilisateur", [this] { return users(); },
        indexWithin(choices_.chooseUserIndex, list.size()),
        [this](const std::string& name) { deleteUser(name); });
    if (choice.outcome == UserChoice::Outcome::CreateUser) {
        newUser();
        return;
    }
    const auto now = users();
    if (choice.outcome != UserChoice::Outcome::Chosen || choice.index < 0 ||
        static_cast<std::size_t>(choice.index) >= now.size()) {
        return;
    }
    // A save that failed (and said so) keeps the account open: the user can free space
    // and try again before anything else is shown.
    if (!session_.save()) {
        return;
    }
    const std::string name = now[static_cast<std::size_t>(choice.index)];
    const std::string stored = storedPassword(name);
    if (!stored.empty()) {
        const auto typed = dialogs_.askPassword(name, kPasswordPrompt);
        if (!typed) {
            return;
        }
        if (*typed != stored) {
            dialogs_.warn("Mot de passe incorrect. Accès refusé.");
            return;
        }
    }
    password_ = stored;
    choices_.chooseUserIndex = choice.index;
    session_.setUser(name);
    if (!accounts().empty()) {
        openAccount();
    } else {
        newAccount();
    }
}

bool AccountManager::newUser() {
    const auto form = forms_.newUserForm([this](const NameForm& f) {
        const fs::path folder = paths_.userFolder(f.name);
        std::error_code ec;
        if (!isAcceptableName(f.name)) {
            dialogs_.warn(kBadUserName);
            return false;
        }
        if (!passwordAccepted(dialogs_, f.password)) {
            return false;
        }
        // "alice" is the user "Alice": the same settings key, so the same user.
        const auto existing = sameName(users(), f.name);
        if (!existing) {
            if (!fs::exists(folder, ec) && platform::createPrivateFolders(folder)) {
                fs::remove(folder, ec); // only a probe: the folder is made when the user is
                return true;
            }
            dialogs_.warn(kBadUserName);
            return false;
        }
        if (!dialogs_.confirm("Cet utilisateur existe déjà. Voulez-vous le remplacer ?")) {
            return false;
        }
        return deleteUser(*existing);
    });
    if (!form || !session_.save()) {
        return false;
    }
    // A folder the deletion had to leave keeps its spelling.
    const std::string name = sameName(users(), form->name).value_or(form->name);
    std::error_code ec;
    platform::createPrivateFolders(paths_.userFolder(name));
    if (!registry_.writeString(Hive::CurrentUser, settings::userKey(name), settings::kPassword,
                               encodePassword(form->password))) {
        dialogs_.fail(settingsSaveError(registry_));
    }
    password_ = form->password;
    session_.setUser(name);
    newAccount();
    return true;
}

bool AccountManager::deleteUser(const std::string& name) {
    if (!isSafeName(name)) {
        return false;
    }
    const std::string stored = storedPassword(name);
    if (!stored.empty()) {
        const auto typed = dialogs_.askPassword(name, kPasswordPrompt);
        if (!typed) {
            return false;
        }
        if (*typed != stored) {
            dialogs_.warn("Mot de passe incorrect. Suppression refusée.");
            return false;
        }
    }
    if (!dialogs_.warnYesNo("ATTENTION : cette opération détruira tous les comptes de "
                            "l'utilisateur " +
                            name + ".\nConfirmez-vous la suppression ?")) {
        return false;
    }
    auto list = listAccounts(paths_, name);
    std::error_code ec;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        removeAccountFiles(name, *it);
    }
    fs::remove(paths_.userFolder(name), ec); // stays when other files remain
    registry_.eraseKey(Hive::CurrentUser, settings::userKey(name));
    if (platform::equalsIgnoreCase(name, session_.user())) {
        session_.setUser({});
        password_.clear();
    }
    return true;
}

void AccountManager::deleteUserCommand() {
    const auto list = users();
    if (list.empty()) {
        return;
    }
    const auto index = dialogs_.chooseFromList("Supprimer un utilisateur", list, 0);
    if (index) {
        deleteUser(list[static_cast<std::size_t>(*index)]);
    }
}

bool AccountManager::checkNewAccountName(const std::string& name) {
    if (!isAcceptableName(name)) {
        dialogs_.warn(kBadFileName);
        return false;
    }
    const fs::path file = paths_.accountFile(session_.user(), name);
    std::error_code ec;
    // "courant" is the account "Courant": they would share one settings section.
    if (fs::exists(file, ec) || sameName(accounts(), name)) {
        return dialogs_.warnYesNo("Ce compte existe déjà. Voulez-vous le remplacer ?");
    }
    // The file system decides what a usable name is: try to make the file.
    if (!platform::writeFileAtomically(file, "")) {
        dialogs_.warn(kBadFileName);
        return false;
    }
    fs::remove(file, ec);
    return true;
}

bool AccountManager::newAccount() {
    if (!hasUser()) {
        return false;
    }
    const auto form =
        forms_.newAccountForm(session_.isOpen(), choices_.newSoldeInEuro,
                              [this](const NameForm& f) { return checkNewAccountName(f.name); });
    if (!form || !session_.save()) {
        return false;
    }
    const std::string name = sameName(accounts(), form->name).value_or(form->name);
    choices_.newSoldeInEuro = form->euros;
    if (!session_.create(name, parseTypedAmount(form->amount), form->euros)) {
        return false;
    }
    if (created_) {
        created_();
    }
    return true;
}

void AccountManager::removeAccountFiles(const std::string& user, const std::string& account) {
    std::error_code ec;
    fs::remove(paths_.accountFile(user, account), ec);
    if (removed_) {
        removed_(AccountRef{user, account, true});
    }
    fs::remove(saveJournalFile(paths_.accountFile(user, account)), ec);
}

bool AccountManager::openAccount() {
    const auto list = accounts();
    if (list.empty()) {
        return false;
    }
    const auto index = dialogs_.chooseFromList("Ouvrir un compte existant", list,
                                               indexWithin(choices_.chooseIndex, list.size()));
    if (!index || !session_.save()) {
        return false;
    }
    if (!session_.load(list[static_cast<std::size_t>(*index)])) {
        return false;
    }
    choices_.chooseIndex = *index;
    if (opened_) {
        opened_();
    }
    return true;
}

void AccountManager::deleteAccount() {
    const auto list = accounts();
    if (list.empty()) {
        return;
    }
    const auto index = dialogs_.chooseFromList("Supprimer un compte existant", list, 0);
    if (!index) {
        return;
    }
    const std::string name = list[static_cast<std::size_t>(*index)];
    if (!dialogs_.confirmDestructive("Voulez-vous vraiment supprimer le compte \"" + name +
                                     "\" ?")) {
        return;
    }
    removeAccountFiles(session_.user(), name);
    registry_.eraseKey(Hive::CurrentUser, settings::accountKey(session_.user(), name));
    if (platform::equalsIgnoreCase(name, session_.account())) {
        session_.close();
    }
}

void AccountManager::saveAs() {
    if (!session_.isOpen()) {
        return;
    }
    const auto form =
        forms_.saveAsForm([this](const NameForm& f) { return checkNewAccountName(f.name); });
    if (!form || !session_.save()) {
        return;
    }
    const std::string name = sameName(accounts(), form->name).value_or(form->name);
    const std::string previous = session_.account();
    session_.rename(name);
    if (!session_.save()) {
        // The account stays under the name it was just saved with.
        session_.rename(previous);
    }
}

void AccountManager::changePassword() {
    if (!hasUser()) {
        return;
    }
    const auto change = forms_.changePasswordForm(session_.user(), !password_.empty());
    if (!change) {
        return;
    }
    if (change->oldPassword != password_) {
        dialogs_.warn("L'ancien mot de passe que vous avez spécifié est incorrect. Le mot de "
                      "passe de cet utilisateur n'a pas été modifié.");
        return;
    }
    if (!passwordAccepted(dialogs_, change->newPassword)) {
        return;
    }
    if (!registry_.writeString(Hive::CurrentUser, settings::userKey(session_.user()),
                               settings::kPassword, encodePassword(change->newPassword))) {
        dialogs_.fail(settingsSaveError(registry_));
        return;
    }
    if (change->newPassword != password_) {
        dialogs_.inform("Le mot de passe a été modifié avec succès.");
    }
    password_ = change->newPassword;
}

} // namespace ledgora
