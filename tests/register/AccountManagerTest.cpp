#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/AccountNames.h"
#include "register/PasswordCode.h"
#include "register/RegisterColumns.h"
#include "support/Installation.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
using testing::Installation;
namespace settings = platform::settings;

TEST(AccountManager, NewUserThenFirstAccount) {
    Installation i;
    i.dialogs.fill({"Anne", "secret"}).fill({"Courant", "-250"}, true);
    ASSERT_TRUE(i.manager().newUser());
    EXPECT_EQ(i.ws.session().user(), "Anne");
    EXPECT_EQ(i.ws.session().account(), "Courant");
    EXPECT_FALSE(i.dialogs.lastFormCouldCancel()); // no account was open
    EXPECT_EQ(i.ws.session().grid().at(1, col::Debit), "250.00");
    EXPECT_EQ(i.ws.session().balances().balance, centsOf(-250));
    EXPECT_EQ(decodePassword(i.registry.readString(Hive::CurrentUser, settings::userKey("Anne"),
                                                   settings::kPassword)),
              "secret");
    EXPECT_EQ(i.ws.caption(), "Ledgora - Anne : compte \"Courant\" (Euros)");
    EXPECT_TRUE(i.dialogs.shown().empty());
}

TEST(AccountManager, NamesThatWouldLeaveTheDataFolderAreRefused) {
    Installation i;
    // Each refused name keeps the form open; the next answer is the user's next try.
    i.dialogs.fill({"../evil"}).fill({"a/b"}).fill({".."}).fill({"."}).fill({"a\\b"});
    i.dialogs.fill({"Bob"}).fill({"../x", "1"}, true).fill({"Compte"}, false);
    ASSERT_TRUE(i.manager().newUser());
    const std::vector<std::string> expected(5, "Ce nom d'utilisateur contient des caractères "
                                               "incorrects.");
    auto texts = i.dialogs.texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 5), expected);
    EXPECT_EQ(texts[5], "Ce nom de fichier contient des caractères incorrects.");
    EXPECT_FALSE(fs::exists(i.root / "Orvand" / "evil"));
    EXPECT_EQ(listUsers(i.paths), std::vector<std::string>{"Bob"});
    EXPECT_FALSE(i.ws.session().euros());
}

TEST(AccountManager, ExistingUserCanBeReplacedOnlyWhenDeleted) {
    Installation i;
    i.addUser("Anne", "pw");
    // Yes to "replace", then a wrong password for the deletion: the form stays open and
    // the user gives up.
    i.dialogs.fill({"Anne"}).yes().type("wrong").cancel();
    EXPECT_FALSE(i.manager().newUser());
    EXPECT_EQ(i.dialogs.texts(),
              (std::vector<std::string>{"Cet utilisateur existe déjà. Voulez-vous le remplacer ?",
                                        "Mot de passe incorrect. Suppression refusée."}));
    EXPECT_TRUE(fs::exists(i.paths.accountFile("Anne", "Courant")));
    EXPECT_EQ(i.ws.session().user(), "Anne");
}

TEST(AccountManager, ChoosingAUserAsksItsPassword) {
    Installation i;
    i.addUser("Anne", "");
    i.addUser("Bob", "Secret");
    i.ws.options().chooseUserIndex = 5; // beyond the list: the first user is offered
    i.dialogs.clear();

    i.dialogs.choose(1).type("secret"); // case counts
    i.manager().chooseUser();
    EXPECT_EQ(i.dialogs.preselected().back(), 0);
    EXPECT_EQ(i.dialogs.texts(), std::vector<std::string>{"Mot de passe incorrect. Accès refusé."});
    EXPECT_EQ(i.ws.session().user(), "Bob"); // unchanged: Bob was current already
    EXPECT_EQ(i.ws.options().chooseUserIndex, 5);

    i.dialogs.clear();
    i.dialogs.choose(0).choose(0); // Anne has no password; then open her account
    i.manager().chooseUser();
    EXPECT_EQ(i.ws.session().user(), "Anne");
    EXPECT_EQ(i.ws.session().account(), "Courant");
    EXPECT_EQ(i.ws.options().chooseUserIndex, 0);
    EXPECT_EQ(i.dialogs.prompts(),
              (std::vector<std::string>{"Choisir un utilisateur", "Ouvrir un compte existant"}));

    i.dialogs.clear();
    i.dialogs.choose(1).type("Secret").choose(0);
    i.manager().chooseUser();
    EXPECT_EQ(i.ws.session().user(), "Bob");
    EXPECT_EQ(i.manager().password(), "Secret");
}

TEST(AccountManager, DeletingTheCurrentUser) {
    Installation i;
    i.addUser("Anne", "");
    i.addUser("Bob", "pw");
    i.dialogs.clear();
    ASSERT_TRUE(fs::exists(i.paths.planningFile("Bob", "Courant")));

    i.dialogs.choose(1).type("pw").no(); // confirmation refused
    i.manager().deleteUserCommand();
    EXPECT_TRUE(fs::exists(i.paths.accountFile("Bob", "Courant")));

    i.dialogs.clear();
    i.dialogs.choose(1).type("pw").yes();
    i.manager().deleteUserCommand();
    EXPECT_EQ(i.dialogs.texts(),
              std::vector<std::string>{"ATTENTION : cette opération détruira tous les comptes de "
                                       "l'utilisateur Bob.\nConfirmez-vous la suppression ?"});
    EXPECT_FALSE(fs::exists(i.paths.userFolder("Bob")));
    EXPECT_FALSE(i.registry.keyExists(Hive::CurrentUser, settings::userKey("Bob")));
    EXPECT_EQ(i.ws.session().user(), "");
    EXPECT_FALSE(i.ws.session().isOpen());
    EXPECT_EQ(i.ws.caption(), "Ledgora");
    EXPECT_TRUE(i.ws.menuState(true).chooseUser); // Anne remains
    EXPECT_FALSE(i.ws.menuState(true).newAccount);

    i.dialogs.clear();
    i.dialogs.choose(0).yes();
    i.manager().deleteUserCommand();
    EXPECT_FALSE(i.ws.menuState(true).chooseUser);
}

TEST(AccountManager, AUserFolderHoldingOtherFilesStays) {
    Installation i;
    i.addUser("Anne", "");
    ASSERT_TRUE(platform::writeFileAtomically(i.paths.userFolder("Anne") / "notes.txt", "x"));
    i.dialogs.yes();
    EXPECT_TRUE(i.manager().deleteUser("Anne"));
    EXPECT_TRUE(fs::exists(i.paths.userFolder("Anne") / "notes.txt"));
    EXPECT_FALSE(fs::exists(i.paths.accountFile("Anne", "Courant")));
}

TEST(AccountManager, TheChooserDeletesAndCreates) {
    Installation i;
    i.addUser("Anne", "");
    i.addUser("Bob", "");
    i.dialogs.clear();
    i.dialogs.deleteInChooser("Anne").yes().createUser().fill({"Carl"}).fill({"Livret", "0"});
    i.manager().chooseUser();
    EXPECT_EQ(listUsers(i.paths), (std::vector<std::string>{"Bob", "Carl"}));
    EXPECT_EQ(i.ws.session().user(), "Carl");
    EXPECT_EQ(i.ws.session().account(), "Livret");
}

TEST(AccountManager, AccountsOpenDeleteAndSaveAs) {
    Installation i;
    i.addUser("Anne", "");
    i.dialogs.clear();
    i.dialogs.fill({"Livret", "500"}, false);
    ASSERT_TRUE(i.manager().newAccount());
    EXPECT_TRUE(i.dialogs.lastFormCouldCancel());
    EXPECT_TRUE(i.dialogs.lastFormEuros()); // the first account was in euros
    EXPECT_FALSE(i.ws.options().newSoldeInEuro);
    EXPECT_EQ(i.manager().accounts(), (std::vector<std::string>{"Courant", "Livret"}));

    // An existing name: No keeps the form open, then Yes replaces.
    i.dialogs.fill({"Courant", "1"}).no().fill({"Courant", "7"}).yes();
    ASSERT_TRUE(i.manager().newAccount());
    EXPECT_EQ(i.ws.session().grid().at(1, col::Credit), "7.00");

    i.dialogs.clear();
    i.ws.options().chooseIndex = 1;
    i.dialogs.choose(1);
    ASSERT_TRUE(i.manager().openAccount());
    EXPECT_EQ(i.dialogs.preselected().back(), 1);
    EXPECT_EQ(i.ws.session().account(), "Livret");

    i.dialogs.fill({"Epargne"});
    i.manager().saveAs();
    EXPECT_EQ(i.ws.session().account(), "Epargne");
    EXPECT_TRUE(fs::exists(i.paths.accountFile("Anne", "Livret")));
    EXPECT_TRUE(fs::exists(i.paths.accountFile("Anne", "Epargne")));
    EXPECT_EQ(i.registry.readString(Hive::CurrentUser, settings::accountKey("Anne", "Epargne"),
                                    settings::kEuro),
              "0");

    i.dialogs.clear();
    i.dialogs.choose(1).yes(); // Epargne, the open account
    i.manager().deleteAccount();
    EXPECT_EQ(i.dialogs.texts(),
              std::vector<std::string>{"Voulez-vous vraiment supprimer le compte \"Epargne\" ?"});
    EXPECT_FALSE(i.ws.session().isOpen());
    EXPECT_FALSE(fs::exists(i.paths.planningFile("Anne", "Epargne")));
    EXPECT_EQ(i.ws.caption(), "Ledgora - Anne");
}

TEST(AccountManager, ChangingThePassword) {
    Installation i;
    i.addUser("Anne", "old");
    i.dialogs.clear();
    i.dialogs.fill({"wrong", "new"});
    i.manager().changePassword();
    EXPECT_EQ(i.dialogs.texts(),
              std::vector<std::string>{"L'ancien mot de passe que vous avez spécifié est "
                                       "incorrect. Le mot de passe de cet utilisateur n'a pas été "
                                       "modifié."});
    EXPECT_EQ(i.manager().storedPassword("Anne"), "old");

    i.dialogs.clear();
    i.dialogs.fill({"old", ""});
    i.manager().changePassword();
    EXPECT_EQ(i.dialogs.texts(),
              std::vector<std::string>{"Le mot de passe a été modifié avec succès."});
    EXPECT_EQ(i.manager().storedPassword("Anne"), "");
    EXPECT_EQ(i.registry.readString(Hive::CurrentUser, settings::userKey("Anne"),
                                    settings::kPassword, "<absent>"),
              "");
}

} // namespace
} // namespace ledgora
