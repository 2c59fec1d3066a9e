// Names of users and accounts and the passwords, as the user types them into the forms:
// what the settings store could not hold is refused with its message, and a name equal to
// an existing one without regard to case is that one.
#include <gtest/gtest.h>

#include <filesystem>

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

constexpr const char* kBadUserName = "Ce nom d'utilisateur contient des caractères incorrects.";
constexpr const char* kBadFileName = "Ce nom de fichier contient des caractères incorrects.";
constexpr const char* kBadPassword = "Ce mot de passe contient des caractères incorrects.";
constexpr const char* kLongPassword =
    "Ce mot de passe est trop long : il ne peut pas dépasser 255 caractères.";

TEST(AccountNames, WhatANameMayHold) {
    struct Case {
        std::string name;
        bool acceptable;
    };
    const Case cases[] = {
        {"Anne", true},         {"Zoé Ørsted", true},
        {"Œuvre € 2024", true}, {"alice\nx", false},
        {"alice\r", false},     {"tab\there", false},
        {"bell\x07", false},    {"Łukasz", false},
        {"łódź", false},        {"日本", false},
        {"a/b", false},         {"", false},
        {"c1\u0081", false},    {std::string("a\0b", 3), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isAcceptableName(c.name), c.acceptable) << c.name;
    }
    const std::vector<std::string> names = {"Alice", "Émile", "Œdipe"};
    EXPECT_EQ(sameName(names, "ALICE"), "Alice");
    EXPECT_EQ(sameName(names, "émile"), "Émile");
    EXPECT_EQ(sameName(names, "œdipe"), "Œdipe");
    EXPECT_EQ(sameName(names, "Emile"), std::nullopt);
}

TEST(AccountNames, PasswordsTheCodeCanGiveBack) {
    EXPECT_EQ(checkPassword(""), PasswordProblem::None);
    EXPECT_EQ(checkPassword("Élan€"), PasswordProblem::None);
    EXPECT_EQ(checkPassword(std::string(255, 'p')), PasswordProblem::None);
    EXPECT_EQ(checkPassword(std::string(256, 'p')), PasswordProblem::TooLong);
    EXPECT_EQ(checkPassword(std::string(128, 'e') + "é"), PasswordProblem::None);
    EXPECT_EQ(checkPassword("łódź"), PasswordProblem::BadCharacters);
    const std::string longest(255, 'p');
    EXPECT_EQ(decodePassword(encodePassword(longest)), longest);
}

TEST(AccountManager, NamesAndPasswordsTheStoreCannotHoldAreRefusedAsTyped) {
    Installation i;
    // Each refusal keeps the form open; the next answer is the user's next try.
    i.dialogs.fill({"alice\nx", ""})
        .fill({"Łukasz", ""})
        .fill({"Anne", "łódź"})
        .fill({"Anne", std::string(256, 'p')})
        .fill({"Anne", "Élan"})
        .fill({"Courant\r\n", "1"})
        .fill({"łódź", "1"})
        .fill({"Courant", "1"}, true);
    ASSERT_TRUE(i.manager().newUser());
    EXPECT_EQ(i.dialogs.texts(),
              (std::vector<std::string>{kBadUserName, kBadUserName, kBadPassword, kLongPassword,
                                        kBadFileName, kBadFileName}));
    EXPECT_EQ(listUsers(i.paths), std::vector<std::string>{"Anne"});
    EXPECT_EQ(i.manager().accounts(), std::vector<std::string>{"Courant"});
    EXPECT_EQ(i.manager().storedPassword("Anne"), "Élan");

    // The new password of the password form is held to the same rule.
    i.dialogs.clear();
    i.dialogs.fill({"Élan", "Łódź"}).fill({"Élan", std::string(300, 'x')});
    i.manager().changePassword();
    i.manager().changePassword();
    EXPECT_EQ(i.dialogs.texts(), (std::vector<std::string>{kBadPassword, kLongPassword}));
    EXPECT_EQ(i.manager().storedPassword("Anne"), "Élan");
    EXPECT_EQ(i.manager().password(), "Élan");
}

TEST(AccountManager, AUserNamedLikeAnExistingOneWithoutRegardToCaseIsThatUser) {
    Installation i;
    i.addUser("Alice", "secret");
    i.dialogs.clear();
    // "alice" is Alice: the question of an existing user, and No keeps her untouched.
    i.dialogs.fill({"alice", "other"}).no();
    EXPECT_FALSE(i.manager().newUser());
    EXPECT_EQ(i.dialogs.texts(),
              std::vector<std::string>{"Cet utilisateur existe déjà. Voulez-vous le remplacer ?"});
    EXPECT_EQ(i.manager().storedPassword("Alice"), "secret");
    EXPECT_EQ(listUsers(i.paths), std::vector<std::string>{"Alice"});

    // Yes replaces her, after her password, as for the same spelling.
    i.dialogs.clear();
    i.dialogs.fill({"ALICE", "new"}).yes().type("secret").yes().fill({"Livret", "5"}, true);
    ASSERT_TRUE(i.manager().newUser());
    EXPECT_EQ(listUsers(i.paths), std::vector<std::string>{"ALICE"});
    EXPECT_EQ(i.registry.subKeys(Hive::CurrentUser, settings::usersKey()),
              std::vector<std::string>{"ALICE"});
    EXPECT_EQ(i.manager().storedPassword("alice"), "new");
    EXPECT_EQ(i.manager().accounts(), std::vector<std::string>{"Livret"});
}

TEST(AccountManager, AnAccountNamedLikeAnExistingOneWithoutRegardToCaseIsThatAccount) {
    Installation i;
    i.addUser("Anne", ""); // "Courant", in euros
    i.dialogs.clear();
    // "courant" in francs would share Courant's settings: it is Courant, replaced on Yes.
    i.dialogs.fill({"courant", "20"}, false).yes();
    ASSERT_TRUE(i.manager().newAccount());
    EXPECT_EQ(i.dialogs.texts(),
              std::vector<std::string>{"Ce compte existe déjà. Voulez-vous le remplacer ?"});
    EXPECT_EQ(i.ws.session().account(), "Courant");
    EXPECT_EQ(i.manager().accounts(), std::vector<std::string>{"Courant"});
    EXPECT_EQ(i.ws.session().grid().at(1, col::Credit), "20.00");
    EXPECT_EQ(i.registry.readString(Hive::CurrentUser, settings::accountKey("Anne", "Courant"),
                                    settings::kEuro),
              "0");

    // Save as "COURANT" is a save over Courant, not a second file beside it.
    i.dialogs.clear();
    i.dialogs.fill({"Livret", "0"}, true);
    ASSERT_TRUE(i.manager().newAccount());
    i.dialogs.fill({"COURANT"}).yes();
    i.manager().saveAs();
    EXPECT_EQ(i.ws.session().account(), "Courant");
    EXPECT_EQ(i.manager().accounts(), (std::vector<std::string>{"Courant", "Livret"}));
    EXPECT_EQ(i.registry.readString(Hive::CurrentUser, settings::accountKey("Anne", "Courant"),
                                    settings::kEuro),
              "1");
}

} // namespace
} // namespace ledgora
