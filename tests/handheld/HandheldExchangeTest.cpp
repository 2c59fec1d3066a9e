// The handheld exchange through a builder stand-in that records every call: the four
// databases of an export, the import back with its normalising and its switches, the user
// choice, the reporter, and the steps that stop before any database is touched.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "../builder/TestSupport.h"
#include "GridPrint.h"
#include "RecordingBuilder.h"
#include "ScriptedHandheldDialogs.h"
#include "handheld/BuilderReporter.h"
#include "handheld/HandheldExchange.h"
#include "handheld/HandheldLayout.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {

namespace {

namespace fs = std::filesystem;
using platform::Hive;
using testing::RecordingBuilder;
using Row = std::array<std::string, 11>; // "pointage" .. "creder"

constexpr const char* kConfirmExport =
    "Confirmez-vous l'exportation de ce compte vers votre Palm ?";
constexpr const char* kExported = "Le compte a été exporté vers votre Palm.\rLa mise à jour sera "
                                  "effective une fois que vous aurez synchronisé votre Palm.";
constexpr const char* kConfirmImport = "Le compte va être importé depuis votre Palm.\rSi ce "
                                       "n'est déjà fait, synchronisez votre Palm puis cliquez "
                                       "sur OK.";
constexpr const char* kImported = "Le compte a été importé depuis votre Palm.";

Grid registerOf(const std::vector<Row>& rows) {
    Grid reg = makeRegister(static_cast<int>(rows.size()) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            reg.set(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c]);
        }
    }
    return reg;
}

// The open account as the import changes it, with the order of what was done to it.
class RecordingTarget : public ImportTarget {
public:
    Grid& grid() override { return reg; }
    void setCurrency(bool euros) override { log.push_back(euros ? "euros" : "francs"); }
    void setValidating(bool on) override { log.push_back(on ? "validating on" : "validating off"); }
    void registerReplaced() override { log.push_back("replaced"); }

    Grid reg = registerOf({{"", "01/01/2024", "", "Loyer", "ancien", "", "10.00"}, {}});
    std::vector<std::string> log;
};

class HandheldExchangeTest : public ::testing::Test {
protected:
    HandheldExchangeTest() {
        builder.users = {{"Anne P", install(), (dir.path() / "Palm/AnneP/Backup/").string()},
                         {"Bob", (dir.path() / "Palm/Bob/Install").string(),
                          (dir.path() / "Palm/Bob/Backup").string()}};
        fs::create_directories(install());
        fs::create_directories(backup());
        fs::create_directories(paths.programFolder());
    }

    std::string install() const { return (dir.path() / "Palm/AnneP/Install").string(); }
    std::string backup() const { return (dir.path() / "Palm/AnneP/Backup").string(); }
    // Folders as the exchange uses them, "/" appended.
    std::string in(const std::string& file) const { return install() + "/" + file; }
    std::string back(const std::string& file) const { return backup() + "/" + file; }

    ExchangeOutcome exportAnne(const Grid& reg, bool euros = false) {
        return exchange.exportAccount({"Anne", "Courant", "secret", euros}, reg, categories, modes);
    }
    ExchangeOutcome importAnne(const std::string& user = "Anne",
                               const std::string& account = "Courant") {
        return exchange.importAccount(user, account, target, categories, modes);
    }
    std::vector<std::string> databaseCalls() const {
        std::vector<std::string> out;
        for (const std::string& c : builder.calls) {
            if (c.rfind("PDBgetUser", 0) != 0) {
                out.push_back(c);
            }
        }
        return out;
    }

    trellisk::test::TempFolder dir;
    platform::Paths paths{dir.path(), dir.path() / "registry", dir.path() / "program"};
    platform::Registry registry{paths.registryFolder()};
    testing::ScriptedHandheldDialogs dialogs;
    RecordingBuilder builder;
    HandheldExchange exchange{{builder, registry, paths, dialogs, dialogs}};
    NameList categories{{"Loyer", "Salaire"}};
    NameList modes{{"Chèque"}};
    RecordingTarget target;
};

std::vector<std::string> fieldsOf(const Row& row) {
    std::vector<std::string> out;
    for (std::size_t c = 0; c < row.size(); ++c) {
        out.push_back("PDBaddStrField(" +
                      std::string(kColumnKeys[c + static_cast<std::size_t>(col::Pointage)]) + ", " +
                      row[c] + ")");
    }
    out.push_back("PDBaddRecord()");
    return out;
}

TEST_F(HandheldExchangeTest, ExportWritesTheFourDatabasesInOrder) {
    const Grid reg = registerOf({
        {"X", "01/03/2024", "12", "Loyer", "  Mars  ", "Chèque", "500.00", "", "-500.00"},
        {"X"}, // blank: the mark does not count
        {"", "05/03/2024", "", "Salaire", "", "Virement", "", "1500.00", "1000.00", "", ""},
    });
    dialogs.yes().choose(0);
    const ExchangeOutcome outcome = exportAnne(reg);

    std::vector<std::string> expected = {"PDBopen2(" + in("Anne_Courant.pdb") +
                                         ", LdgR, CptE, Anne_Courant.pdb)"};
    for (const Row& row :
         {Row{"X", "01/03/2024", "12", "Loyer", "Mars", "Chèque", "500.00", "", "-500.00", "", ""},
          Row{"", "05/03/2024", "", "Salaire", "", "Virement", "", "1500.00", "1000.00", "", ""}}) {
        const auto fields = fieldsOf(row);
        expected.insert(expected.end(), fields.begin(), fields.end());
    }
    const std::vector<std::string> rest = {
        "PDBbuild()",
        "PDBclose()",
        "PDBopen2(" + in("rubriques.pdb") + ", LdgR, DATA, rubriques.pdb)",
        "PDBaddStrField(rubrique, Loyer)",
        "PDBaddRecord()",
        "PDBaddStrField(rubrique, Salaire)",
        "PDBaddRecord()",
        "PDBbuild()",
        "PDBclose()",
        "PDBopen2(" + in("Modes.pdb") + ", LdgR, DATA, Modes.pdb)",
        "PDBaddStrField(modes, Chèque)",
        "PDBaddRecord()",
        "PDBbuild()",
        "PDBclose()",
        "PDBopen2(" + in("Anne_Courant_params.pdb") + ", LdgR, DATA, Anne_Courant_params.pdb)",
        "PDBaddStrField(parametre, password)",
        "PDBaddStrField(valeur, secret)",
        "PDBaddRecord()",
        "PDBaddStrField(parametre, euro)",
        "PDBaddStrField(valeur, 0)",
        "PDBaddRecord()",
        "PDBbuild()",
        "PDBclose()",
        "PDBsetInstallFlag(0)",
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(databaseCalls(), expected);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kConfirmExport, kExported}));
    EXPECT_EQ(outcome.ended, ExchangeOutcome::Ended::Done);
    EXPECT_EQ(outcome.errors, 0);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(HandheldExchangeTest, TheHourglassShowsDuringEachDatabaseStep) {
    const auto busy = [this](bool on) { builder.calls.push_back(on ? "[busy]" : "[idle]"); };
    HandheldExchange timed({builder, registry, paths, dialogs, dialogs, busy});
    const auto steps = [this] {
        std::vector<std::string> out;
        for (const std::string& c : builder.calls) {
            if (c[0] == '[' || c.rfind("PDBopen2", 0) == 0 || c.rfind("PDBload2", 0) == 0 ||
                c == "PDBclose()" || c.rfind("PDBsetInstallFlag", 0) == 0) {
                out.push_back(c.substr(0, c.find('(')));
            }
        }
        return out;
    };
    dialogs.yes().choose(0);
    timed.exportAccount({"Anne", "Courant", "", true}, makeRegister(), categories, modes);
    std::vector<std::string> step = {"[busy]", "PDBopen2", "PDBclose", "[idle]"};
    std::vector<std::string> expected;
    for (int i = 0; i < 4; ++i) {
        expected.insert(expected.end(), step.begin(), step.end());
    }
    expected.push_back("PDBsetInstallFlag");
    EXPECT_EQ(steps(), expected);

    // The import's steps; a missing list asks no hourglass, a failed load still ends it.
    builder.calls.clear();
    builder.databases[back("Anne_Courant.pdb")] = {{"", "01/03/2024"}};
    trellisk::test::writeAll(back("rubriques.pdb"), "");
    dialogs.ok().choose(0);
    timed.importAccount("Anne", "Courant", target, categories, modes);
    EXPECT_EQ(steps(),
              (std::vector<std::string>{"[busy]", "PDBload2", "[idle]", "[busy]", "PDBload2",
                                        "PDBclose", "[idle]", "[busy]", "PDBload2", "[idle]"}));
}

TEST_F(HandheldExchangeTest, OnlyBlankRowsGiveNoDataRecord) {
    dialogs.yes().choose(0);
    exportAnne(registerOf({{"X"}, {}, {}}));
    const auto calls = databaseCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[1], "PDBbuild()");
    EXPECT_EQ(calls[2], "PDBclose()");
}

TEST_F(HandheldExchangeTest, NamesWithSpacesGoOutAsTypedAndComeBackWithUnderscores) {
    dialogs.yes().choose(0);
    exchange.exportAccount({"Jean Dupont", "Compte joint", "", true}, makeRegister(), categories,
                           modes);
    EXPECT_EQ(builder.callsOf("PDBopen2")[0], "PDBopen2(" + in("Jean Dupont_Compte joint.pdb") +
                                                  ", LdgR, CptE, Jean Dupont_Compte joint.pdb)");
    EXPECT_EQ(builder.callsOf("PDBopen2")[3],
              "PDBopen2(" + in("Jean Dupont_Compte joint_params.pdb") +
                  ", LdgR, DATA, Jean Dupont_Compte joint_params.pdb)");
    EXPECT_EQ(builder.callsOf("PDBaddStrField").back(), "PDBaddStrField(valeur, 1)");

    builder.calls.clear();
    dialogs.ok().choose(0);
    importAnne("Jean Dupont", "Compte joint");
    const auto loads = builder.callsOf("PDBload2");
    ASSERT_GE(loads.size(), 2u);
    EXPECT_EQ(loads[0], "PDBload2(" + back("Jean_Dupont_Compte_joint_params.pdb") + ")");
    EXPECT_EQ(loads[1], "PDBload2(" + back("Jean_Dupont_Compte_joint.pdb") + ")");
}

TEST_F(HandheldExchangeTest, TheStoredUserIsPreselectedWhenTheListHasIt) {
    struct Case {
        std::optional<int> stored;
        int preselected;
    };
    const Case cases[] = {{std::nullopt, 0}, {1, 1}, {3, 0}, {2, 0}, {-1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or(-99));
        registry.eraseValue(Hive::CurrentUser, platform::settings::optionsKey(),
                            platform::settings::kPalmUser);
        if (c.stored) {
            registry.writeInteger(Hive::CurrentUser, platform::settings::optionsKey(),
                                  platform::settings::kPalmUser, *c.stored);
        }
        dialogs.clear();
        builder.calls.clear();
        dialogs.yes().choose(1);
        exportAnne(makeRegister());
        EXPECT_EQ(dialogs.preselected(), std::vector<int>{c.preselected});
        EXPECT_EQ(dialogs.prompts(), std::vector<std::string>{"Choix de l'utilisateur Palm"});
        EXPECT_EQ(dialogs.shownUsers, (std::vector<std::string>{"Anne P", "Bob"}));
        // The choice is kept, and the chosen user's folders are used.
        EXPECT_EQ(registry.readInteger(Hive::CurrentUser, platform::settings::optionsKey(),
                                       platform::settings::kPalmUser, -1),
                  1);
        EXPECT_EQ(builder.callsOf("PDBopen2")[0].rfind(
                      "PDBopen2(" + (dir.path() / "Palm/Bob/Install/").string(), 0),
                  0u);
        EXPECT_EQ(builder.callsOf("PDBsetInstallFlag"),
                  std::vector<std::string>{"PDBsetInstallFlag(1)"});
    }
}

TEST_F(HandheldExchangeTest, StepsThatStopBeforeAnyDatabase) {
    registry.writeInteger(Hive::CurrentUser, platform::settings::optionsKey(),
                          platform::settings::kPalmUser, 1);
    struct Case {
        const char* what;
        bool toHandheld;
        bool users;
        std::vector<platform::Reply> replies; // then "Annuler" in the user choice
        std::vector<std::string> shown;
        ExchangeOutcome::Ended ended;
    };
    const Case cases[] = {
        {"export not confirmed",
         true,
         true,
         {platform::Reply::No},
         {kConfirmExport},
         ExchangeOutcome::Ended::NotConfirmed},
        {"export, user choice cancelled",
         true,
         true,
         {platform::Reply::Yes},
         {kConfirmExport},
         ExchangeOutcome::Ended::Cancelled},
        {"export without handheld users",
         true,
         false,
         {platform::Reply::Yes},
         {kConfirmExport, "Aucun utilisateur Palm trouvé."},
         ExchangeOutcome::Ended::NoUsers},
        {"import not confirmed",
         false,
         true,
         {platform::Reply::Cancel},
         {kConfirmImport},
         ExchangeOutcome::Ended::NotConfirmed},
        {"import, user choice cancelled",
         false,
         true,
         {platform::Reply::Ok},
         {kConfirmImport},
         ExchangeOutcome::Ended::Cancelled},
        {"import without handheld users",
         false,
         false,
         {platform::Reply::Ok},
         {kConfirmImport, "Aucun utilisateur Palm trouvé."},
         ExchangeOutcome::Ended::NoUsers},
    };
    const auto savedUsers = builder.users;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        builder.users = c.users ? savedUsers : std::vector<RecordingBuilder::User>{};
        builder.calls.clear();
        dialogs.clear();
        for (const platform::Reply r : c.replies) {
            dialogs.reply(r);
        }
        dialogs.cancel();
        const Grid before = target.reg;
        const ExchangeOutcome outcome = c.toHandheld ? exportAnne(makeRegister()) : importAnne();
        EXPECT_EQ(outcome.ended, c.ended);
        EXPECT_EQ(databaseCalls(), std::vector<std::string>{});
        EXPECT_EQ(dialogs.texts(), c.shown);
        EXPECT_TRUE(target.log.empty());
        EXPECT_EQ(target.reg, before);
        EXPECT_EQ(registry.readInteger(Hive::CurrentUser, platform::settings::optionsKey(),
                                       platform::settings::kPalmUser, -1),
                  1);
    }
}

TEST_F(HandheldExchangeTest, ReporterShowsEveryNonZeroResultWithItsText) {
    struct Case {
        std::int32_t result;
        const char* shown;
    };
    const Case cases[] = {
        {1, "Error [1] : Palm OS : nom de fichier incorrect pour le PDB"},
        {2, "Error [2] : Palm OS : l'ID doit comporter exactement 4 caractères"},
        {3, "Error [3] : Palm OS : le type de base de données doit comporter exactement 4 "
            "caractères"},
        {4, "Error [4] : Palm OS : nom de PDB incorrect"},
        {11, "Error [11] : Voir les erreurs de Fernlow."},
        {38, "Error [38] : Palm OS : trop d'enregistrements pour le PDB (65534 au plus)"},
        {31, "Error [31] : Voir les erreurs de Fernlow."},
        {-2, "Error [-2] : Voir les erreurs de Fernlow."},
    };
    platform::ScriptedDialogs shown;
    BuilderReporter reporter(shown);
    EXPECT_TRUE(reporter.report(0));
    EXPECT_TRUE(shown.shown().empty());
    for (const Case& c : cases) {
        shown.clear();
        EXPECT_FALSE(reporter.report(c.result));
        ASSERT_EQ(shown.shown().size(), 1u);
        EXPECT_EQ(shown.shown()[0].text, c.shown);
        EXPECT_EQ(shown.shown()[0].kind, platform::MessageKind::Error);
    }
    EXPECT_EQ(reporter.errors(), static_cast<int>(std::size(cases)));
}

TEST_F(HandheldExchangeTest, AFailedOpenEndsOnlyItsDatabaseAndEveryErrorIsShown) {
    builder.results["PDBopen2(" + in("Anne_Courant.pdb") + ", LdgR, CptE, Anne_Courant.pdb)"] =
        trellisk::ERR_INVALID_PDBNAME;
    builder.results["PDBaddStrField(modes, Chèque)"] = trellisk::ERR_ADDSTRFIELD_FAILED;
    builder.results["PDBsetInstallFlag"] = trellisk::WAR_PALM_DESKTOP_NOT_INSTALLED;
    dialogs.yes().choose(0);
    const ExchangeOutcome outcome = exportAnne(registerOf({{"", "01/03/2024", "", "Loyer"}}));
    const auto calls = databaseCalls();
    // Nothing more for the register, PDBclose included; the lists and parameters follow.
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[1], "PDBopen2(" + in("rubriques.pdb") + ", LdgR, DATA, rubriques.pdb)");
    EXPECT_EQ(builder.callsOf("PDBclose").size(), 3u);
    EXPECT_EQ(builder.callsOf("PDBaddRecord").size(), 5u);
    EXPECT_EQ(calls.back(), "PDBsetInstallFlag(0)");
    // A failure is not reported as a success: no final message after the errors.
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{
                                   kConfirmExport, "Error [4] : Palm OS : nom de PDB incorrect",
                                   "Error [10] : Voir les erreurs de Fernlow.",
                                   "Error [28] : Voir les erreurs de Fernlow."}));
    EXPECT_EQ(outcome.errors, 3);
}

TEST_F(HandheldExchangeTest, ADatabaseFullOfRecordsTakesNoMoreAndIsNotBuilt) {
    builder.results["PDBaddRecord"] = trellisk::ERR_TOO_MANY_RECORDS;
    dialogs.yes().choose(0);
    const ExchangeOutcome outcome = exportAnne(
        registerOf({{"", "01/03/2024", "", "Loyer"}, {"", "02/03/2024", "", "Salaire"}}));

    std::vector<std::string> expected = {"PDBopen2(" + in("Anne_Courant.pdb") +
                                         ", LdgR, CptE, Anne_Courant.pdb)"};
    const auto first = fieldsOf(Row{"", "01/03/2024", "", "Loyer"});
    expected.insert(expected.end(), first.begin(), first.end());
    const std::vector<std::string> rest = {
        "PDBclose()",
        "PDBopen2(" + in("rubriques.pdb") + ", LdgR, DATA, rubriques.pdb)",
        "PDBaddStrField(rubrique, Loyer)",
        "PDBaddRecord()",
        "PDBclose()",
        "PDBopen2(" + in("Modes.pdb") + ", LdgR, DATA, Modes.pdb)",
        "PDBaddStrField(modes, Chèque)",
        "PDBaddRecord()",
        "PDBclose()",
        "PDBopen2(" + in("Anne_Courant_params.pdb") + ", LdgR, DATA, Anne_Courant_params.pdb)",
        "PDBaddStrField(parametre, password)",
        "PDBaddStrField(valeur, secret)",
        "PDBaddRecord()",
        "PDBclose()",
        "PDBsetInstallFlag(0)",
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(databaseCalls(), expected);
    const std::string full =
        "Error [38] : Palm OS : trop d'enregistrements pour le PDB (65534 au plus)";
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kConfirmExport, full, full, full, full}));
    EXPECT_EQ(outcome.errors, 4);
}

TEST_F(HandheldExchangeTest, TheHandheldApplicationTravelsWhenItShips) {
    for (const bool ships : {false, true}) {
        SCOPED_TRACE(ships);
        fs::remove(paths.programFile("Budget.prc"));
        trellisk::test::writeAll(in("Budget.prc"), "old copy");
        if (ships) {
            trellisk::test::writeAll(paths.programFile("Budget.prc"), "the application");
        }
        dialogs.yes().choose(0);
        exportAnne(makeRegister());
        EXPECT_EQ(trellisk::test::readAll(in("Budget.prc")),
                  ships ? "the application" : "old copy");
        if (ships) {
            EXPECT_TRUE(trellisk::test::ownerOnly(in("Budget.prc")));
        }
        EXPECT_EQ(dialogs.texts().back(), kExported);
    }
}

TEST_F(HandheldExchangeTest, ImportBringsTheRegisterTheCurrencyAndTheListsBack) {
    builder.databases[back("Anne_Courant_params.pdb")] = {{"password", "x"}, {"euro", "1"}};
    builder.databases[back("Anne_Courant.pdb")] = {
        {"", "10/03/2024", "", "Salaire", "mars", "Virement", "0,00", "25,5", "25,50", "", ""},
        {"X", "02/03/2024", "7", "Loyer", "", "Chèque", "12,50", "", "-12,50", "0,03", ""},
        {"", "", "", "", "", "", "", "", "", "", ""},
    };
    // The backup names its files after the handheld's databases, in any case.
    trellisk::test::writeAll(back("Rubriques.PDB"), "");
    builder.databases[back("Rubriques.PDB")] = {{"Vacances"}, {"Loyer"}, {""}};
    dialogs.ok().choose(0);
    const ExchangeOutcome outcome = importAnne();

    EXPECT_EQ(target.log,
              (std::vector<std::string>{"euros", "validating off", "validating on", "replaced"}));
    EXPECT_EQ(
        target.reg,
        registerOf(
            {{"X", "02/03/2024", "7", "Loyer", "", "Chèque", "12.50", "", "-12.50", "0.03", ""},
             {"", "10/03/2024", "", "Salaire", "mars", "Virement", "", "25.5", "25.50", "", ""},
             {}}));
    EXPECT_EQ(categories, NameList({"Loyer", "Vacances"}));
    EXPECT_EQ(modes, NameList({"Chèque"}));
    EXPECT_EQ(
        dialogs.texts(),
        (std::vector<std::string>{kConfirmImport, back("modes.pdb") + " introuvable.", kImported}));
    EXPECT_EQ(outcome.ended, ExchangeOutcome::Ended::Done);
    EXPECT_TRUE(outcome.registerImported);
    EXPECT_EQ(builder.calls[3], "PDBload2(" + back("Anne_Courant_params.pdb") + ")");
    EXPECT_EQ(builder.calls[4], "PDBgetRecord(2)");
    EXPECT_EQ(builder.calls[5], "PDBclose()");
}

TEST_F(HandheldExchangeTest, MissingDatabasesLeaveTheAccountAsItWas) {
    dialogs.ok().choose(0);
    const Grid before = target.reg;
    const NameList categoriesBefore = categories;
    const ExchangeOutcome outcome = importAnne();
    const std::string missing = "Error [1] : Palm OS : nom de fichier incorrect pour le PDB";
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kConfirmImport, missing, missing,
                                                         back("rubriques.pdb") + " introuvable.",
                                                         back("modes.pdb") + " introuvable."}));
    // The currency is not touched; the switch is off and on again all the same.
    EXPECT_EQ(target.log,
              (std::vector<std::string>{"validating off", "validating on", "replaced"}));
    EXPECT_EQ(target.reg, before);
    EXPECT_EQ(categories, categoriesBefore);
    EXPECT_FALSE(outcome.registerImported);
    EXPECT_EQ(outcome.errors, 2);
    EXPECT_EQ(builder.callsOf("PDBclose").size(), 0u);
}

TEST_F(HandheldExchangeTest, ARecordThatCannotBeReadIsNotTakenForThePreviousOne) {
    builder.databases[back("Anne_Courant.pdb")] = {
        {"", "01/03/2024", "", "Loyer", "un", "", "1.00"},
        {"", "02/03/2024", "", "Loyer", "deux", "", "2.00"},
        {"", "03/03/2024", "", "Loyer", "trois", "", "3.00"},
        {"", "04/03/2024", "", "Loyer", "quatre", "", "4.00"},
    };
    builder.unreadable = {2, 4};
    dialogs.ok().choose(0);
    importAnne();
    EXPECT_EQ(target.reg, registerOf({{"", "01/03/2024", "", "Loyer", "un", "", "1.00"},
                                      {"", "03/03/2024", "", "Loyer", "trois", "", "3.00"},
                                      {}}));
    const auto texts = dialogs.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Error [19] : Voir les erreurs de Fernlow."),
              1);
}

TEST(HandheldLayout, ImportedCellsAreNormalised) {
    struct Case {
        int column;
        const char* read;
        const char* stored;
    };
    const Case cases[] = {
        {col::Debit, "0,00", ""},       {col::Debit, "0", ""},
        {col::Credit, " 0.0 ", ""},     {col::Debit, "-0,00", ""},
        {col::Debit, "12,50", "12.50"}, {col::Credit, "25,5", "25.5"},
        {col::Debit, "1,5,0", "1.5,0"}, {col::Debit, "0abc", "0abc"},
        {col::Debit, "abc", "abc"},     {col::Debit, "inf", "inf"},
        {col::Credit, "", ""},          {col::Solde, "0,00", "0.00"},
        {col::Deber, "0,03", "0.03"},   {col::Creder, "0", "0"},
        {col::Notes, "1,5", "1,5"},     {col::Numero, "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(handheld::normaliseImportedCell(c.column, c.read), c.stored)
            << c.column << " " << c.read;
    }
}

TEST_F(HandheldExchangeTest, CommandsNeedABuilderWithUsersAndAnOpenAccount) {
    EXPECT_TRUE(HandheldExchange::available(&builder, true));
    EXPECT_FALSE(HandheldExchange::available(&builder, false));
    EXPECT_FALSE(HandheldExchange::available(nullptr, true));
    builder.users.clear();
    EXPECT_FALSE(HandheldExchange::available(&builder, true));
}

} // namespace
} // namespace ledgora
