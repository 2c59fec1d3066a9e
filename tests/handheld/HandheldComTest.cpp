// The handheld exchange end to end: the real builder library registered with regsvr and
// created through COM, HotSync users in the registry, the exported files read back by an
// independent reader (Palm::PDB), a HotSync simulated by copying the install folder's
// databases into the backup folder under their handheld names, and the import back.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>

#include "../builder/IndependentReader.h"
#include "GridPrint.h"
#include "HotSyncWorld.h"
#include "ScriptedHandheldDialogs.h"
#include "handheld/BuilderObject.h"
#include "handheld/HandheldExchange.h"
#include "handheld/SessionImportTarget.h"
#include "platform/Cp1252.h"
#include "platform/CurrentFolder.h"
#include "platform/SettingsKeys.h"
#include "register/AccountSession.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
namespace com = platform::com;
using platform::Hive;

using testing::kHotSyncKey;
constexpr const char* kExported = "Le compte a été exporté vers votre Palm.\rLa mise à jour sera "
                                  "effective une fois que vous aurez synchronisé votre Palm.";
constexpr const char* kImported = "Le compte a été importé depuis votre Palm.";

// Palm::PDB's reading of a file: header items by name, each record's bytes.
struct PalmPdb {
    bool available = false;
    std::map<std::string, std::string> header;
    std::vector<std::string> records;
};

PalmPdb readWithPalmPdb(const fs::path& file) {
    const trellisk::test::IndependentReading reading = trellisk::test::readIndependently(file);
    PalmPdb r{reading.available, reading.header, {}};
    for (const std::string& hex : reading.records) {
        r.records.push_back(trellisk::test::fromHex(hex));
    }
    return r;
}

// The string fields of a data record, read by their own rule: an ID digit, a two-digit
// length, the text and its NUL. UTF-8.
std::vector<std::string> stringFields(const std::string& record) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (i + 3 <= record.size()) {
        const auto digit = [&](std::size_t at) {
            return static_cast<unsigned char>(record[at]) - 1;
        };
        const std::size_t length = static_cast<std::size_t>(digit(i + 1) * 225 + digit(i + 2));
        EXPECT_EQ(static_cast<std::size_t>(digit(i)), fields.size());
        if (i + 3 + length > record.size() || length == 0) {
            ADD_FAILURE() << "bad entry at " << i;
            break;
        }
        fields.push_back(platform::cp1252ToUtf8(record.substr(i + 3, length - 1)));
        i += 3 + length;
    }
    return fields;
}

// The field names of a system record.
std::vector<std::string> fieldNames(const std::string& record) {
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i + 2 <= record.size()) {
        EXPECT_EQ(record[i], '\x02'); // string fields only
        const std::size_t length = static_cast<unsigned char>(record[i + 1]) - 1u;
        names.push_back(record.substr(i + 2, length));
        i += 2 + length;
    }
    return names;
}

std::string appInfoHex(const std::string& name) {
    return trellisk::test::compactHex(name + '\0');
}

class HandheldCom : public ::testing::Test {
protected:
    HandheldCom() {
        // The program works in its data folder; the index lies beside it.
        EXPECT_TRUE(platform::enterFolder(paths.dataFolder()));
        fs::create_directories(paths.userFolder("Jean Dupont"));
        builder = BuilderObject::create(paths, registry);
        session.setUser("Jean Dupont");
    }

    fs::path installFolder() const { return hotSync.install(); }
    fs::path backupFolder() const { return hotSync.backup(); }
    fs::path indexFile() const { return paths.dataFolder().parent_path() / "PennaroPalm.ind"; }

    HandheldExchange exchange() {
        return HandheldExchange({*builder.get(), registry, paths, dialogs, dialogs});
    }
    ExchangeOutcome exportAccount(const std::string& password = "") {
        dialogs.yes().choose(0);
        return exchange().exportAccount(
            {session.user(), session.account(), password, session.euros()}, session.grid(),
            categories, modes);
    }
    ExchangeOutcome importAccount() {
        dialogs.ok().choose(0);
        SessionImportTarget target(session);
        return exchange().importAccount(session.user(), session.account(), target, categories,
                                        modes);
    }

    // An account with `operations` operations after its initial balance, in francs.
    void makeAccount(const std::string& account, int operations) {
        ASSERT_TRUE(session.create(account, 1500.0, false));
        Grid& reg = session.grid();
        reg.setRowCount(2 + operations + 1);
        for (int i = 0; i < operations; ++i) {
            const int r = 2 + i;
            const int day = 1 + i % 28;
            const int month = 1 + (i / 28) % 12;
            char date[16];
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", day, month, 2025 + i / 336);
            reg.set(r, col::Date, date);
            reg.set(r, col::Pointage, i % 3 == 0 ? "X" : "");
            reg.set(r, col::Numero, i % 5 == 0 ? std::to_string(1000 + i) : "");
            reg.set(r, col::Rubrique, categories[i % categories.size()]);
            reg.set(r, col::Notes, i % 7 == 0 ? "Café crème n°" + std::to_string(i) : "");
            reg.set(r, col::ModePaiement, modes[i % modes.size()]);
            char amount[32];
            std::snprintf(amount, sizeof amount, "%d.%02d", 1 + i % 400, i % 100);
            reg.set(r, i % 4 == 0 ? col::Credit : col::Debit, amount);
        }
        renumberRows(reg);
        session.recompute();
    }

    testing::TemporaryHome home;
    platform::Paths paths = platform::Paths::fromEnvironment(TRELLISK_PROGRAM_FOLDER);
    platform::Registry registry{paths.registryFolder()};
    testing::HotSyncWorld hotSync{registry, home.path / "Palm"};
    platform::FixedClock clock{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    testing::ScriptedHandheldDialogs dialogs;
    platform::RecordingSounds sounds;
    NameList categories = NameList::builtInCategories();
    NameList modes = NameList::builtInPaymentModes();
    AccountSession session{{registry, paths, clock, dialogs, sounds}, categories, modes};
    BuilderObject builder;
};

TEST_F(HandheldCom, TheFourDatabasesReadBackWithPalmPdb) {
    ASSERT_TRUE(builder);
    categories = NameList({"Loyer", " Santé ", "Épargne"});
    modes = NameList({"Chèque", "Virement"});
    ASSERT_TRUE(session.create("Compte joint", 250.0, false));
    Grid& reg = session.grid();
    reg.setRowCount(6);
    const std::vector<std::array<std::string, 12>> rows = {
        {"", "X", "02/03/2024", "12", "Loyer", "  Mars  ", "Chèque", "500.00", "", "", "", ""},
        {"", "X", "", "", "", "", "", "", "", "", "", ""}, // blank: left out
        {"", "", "05/03/2024", "", "Épargne", "été; 50%", "Virement", "", "80.10", "", "", ""},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int c = 1; c < kRegisterColumns; ++c) {
            reg.set(static_cast<int>(i) + 2, c, rows[i][static_cast<std::size_t>(c)]);
        }
    }
    session.recompute();
    // A stored choice beyond the two users preselects the first.
    registry.writeInteger(Hive::CurrentUser, platform::settings::optionsKey(),
                          platform::settings::kPalmUser, 3);

    const ExchangeOutcome outcome = exportAccount("s3cret");
    EXPECT_EQ(dialogs.preselected(), std::vector<int>{0});
    EXPECT_EQ(dialogs.shownUsers, (std::vector<std::string>{"Anne P", "Bob"}));
    EXPECT_EQ(outcome.errors, 0);
    EXPECT_EQ(dialogs.texts().back(), kExported);

    struct File {
        std::string name;
        std::string type;
        std::string handheldName;
        std::string appInfo; // empty for none
        std::vector<std::string> fields;
    };
    const std::string account = "Jean Dupont_Compte joint";
    const File files[] = {
        {account + ".pdb",
         "CptE",
         "Budget0",
         account + ".pdb",
         {"pointage", "date", "numero", "rubrique", "notes", "modepaiement", "debit", "credit",
          "solde", "deber", "creder"}},
        {"rubriques.pdb", "DATA", "rubriques", "rubriques.pdb", {"rubrique"}},
        {"Modes.pdb", "DATA", "Modes", "Modes.pdb", {"modes"}},
        {account + "_params.pdb",
         "DATA",
         "Budget1",
         account + "_params.pdb",
         {"parametre", "valeur"}},
    };
    std::vector<std::vector<std::vector<std::string>>> records(4);
    for (int r = 1; r < reg.rowCount(); ++r) {
        if (!isBlankRow(reg, r)) {
            std::vector<std::string> cells;
            for (int c = col::Pointage; c <= col::Creder; ++c) {
                std::string cell = reg.at(r, c);
                cell.erase(0, cell.find_first_not_of(' '));
                cell.erase(cell.find_last_not_of(' ') + 1);
                cells.push_back(cell);
            }
            records[0].push_back(cells);
        }
    }
    ASSERT_EQ(records[0].size(), 3u);
    // In list order (" Santé " sorts first), trimmed.
    records[1] = {{"Santé"}, {"Épargne"}, {"Loyer"}};
    records[2] = {{"Chèque"}, {"Virement"}};
    records[3] = {{"password", "s3cret"}, {"euro", "0"}};
    for (std::size_t f = 0; f < std::size(files); ++f) {
        SCOPED_TRACE(files[f].name);
        const fs::path file = installFolder() / files[f].name;
        ASSERT_TRUE(fs::exists(file));
        EXPECT_TRUE(trellisk::test::ownerOnly(file));
        const PalmPdb pdb = readWithPalmPdb(file);
        if (!pdb.available) {
            GTEST_SKIP() << "Palm::PDB (libpalm-pdb-perl) is not installed";
        }
        EXPECT_EQ(pdb.header.at("name"), files[f].handheldName);
        EXPECT_EQ(pdb.header.at("type"), files[f].type);
        EXPECT_EQ(pdb.header.at("creator"), "LdgR");
        EXPECT_EQ(pdb.header.at("appinfo"), appInfoHex(files[f].appInfo));
        ASSERT_EQ(pdb.records.size(), records[f].size() + 1);
        EXPECT_EQ(fieldNames(pdb.records[0]), files[f].fields);
        for (std::size_t r = 0; r < records[f].size(); ++r) {
            EXPECT_EQ(stringFields(pdb.records[r + 1]), records[f][r]) << "record " << r + 1;
        }
    }
    // The HotSync Manager will install them for the chosen user.
    const auto flag = registry.value(Hive::CurrentUser, kHotSyncKey, "Install305419896");
    ASSERT_TRUE(flag);
    EXPECT_EQ(flag->dword, 1u);
    EXPECT_EQ(trellisk::test::readAll(indexFile()),
              account + ".pdb|Budget0.pdb\r\n" + account + "_params.pdb|Budget1.pdb\r\n");
    EXPECT_TRUE(trellisk::test::ownerOnly(indexFile()));
}

TEST_F(HandheldCom, ARegisterOfBlankRowsOnlyHasNoDataRecord) {
    ASSERT_TRUE(builder);
    ASSERT_TRUE(session.create("Vide", 0.0, true));
    session.grid() = makeRegister(4);
    exportAccount();
    const PalmPdb pdb = readWithPalmPdb(installFolder() / "Jean Dupont_Vide.pdb");
    if (!pdb.available) {
        GTEST_SKIP() << "Palm::PDB (libpalm-pdb-perl) is not installed";
    }
    EXPECT_EQ(pdb.header.at("records"), "1"); // the field list only
}

TEST_F(HandheldCom, AThousandOperationsComeBackAsTheyLeft) {
    ASSERT_TRUE(builder);
    makeAccount("Compte joint", 1000);
    const Grid exported = session.grid();
    const Balances balances = session.balances();
    const NameList exportedCategories = categories;
    const NameList exportedModes = modes;
    ASSERT_EQ(exportAccount().errors, 0);
    hotSync.hotSync();

    // Meanwhile on the desktop: the account in euros, an edit, other lists.
    session.switchToEuros();
    session.grid().set(5, col::Notes, "changé");
    categories.add("Nouvelle");
    modes.removeAt(0);

    const ExchangeOutcome outcome = importAccount();
    EXPECT_EQ(outcome.errors, 0);
    EXPECT_TRUE(outcome.registerImported);
    EXPECT_EQ(dialogs.texts().back(), kImported);
    EXPECT_FALSE(session.euros());
    EXPECT_EQ(session.grid(), exported);
    EXPECT_DOUBLE_EQ(session.balances().balance, balances.balance);
    EXPECT_DOUBLE_EQ(session.balances().reconciled, balances.reconciled);
    EXPECT_EQ(categories, exportedCategories);
    EXPECT_EQ(modes, exportedModes);
    EXPECT_TRUE(session.validating());
}

TEST_F(HandheldCom, AmountsTheHandheldWroteWithACommaArriveWithAPoint) {
    ASSERT_TRUE(builder);
    makeAccount("Courant", 0);
    exportAccount();
    hotSync.hotSync();
    // The handheld changed the account: Budget0 now holds what its user typed.
    trellisk::ITrellisk& b = *builder.get();
    using com::BstrHolder;
    ASSERT_EQ(b.PDBopen(BstrHolder((backupFolder() / "Budget0").string()).get(),
                        BstrHolder("LdgR").get(), BstrHolder("CptE").get(),
                        BstrHolder("Budget0").get()),
              trellisk::NO_ERROR);
    const std::vector<std::array<const char*, 11>> typed = {
        {"", "03/03/2024", "", "Courses", "", "Espèces", "0,00", "12,50", "", "", ""},
        {"", "04/03/2024", "", "Loyer", "", "Chèque", "7,25", "0", "", "", ""},
    };
    const char* keys[] = {"pointage", "date",   "numero", "rubrique", "notes", "modepaiement",
                          "debit",    "credit", "solde",  "deber",    "creder"};
    for (const auto& row : typed) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            ASSERT_EQ(b.PDBaddStrField(BstrHolder(keys[c]).get(), BstrHolder(row[c]).get()),
                      trellisk::NO_ERROR);
        }
        ASSERT_EQ(b.PDBaddRecord(), trellisk::NO_ERROR);
    }
    ASSERT_EQ(b.PDBbuild(), trellisk::NO_ERROR);
    ASSERT_EQ(b.PDBclose(), trellisk::NO_ERROR);

    importAccount();
    const Grid& reg = session.grid();
    ASSERT_EQ(reg.rowCount(), 4);
    EXPECT_EQ(reg.at(1, col::Debit), "");
    EXPECT_EQ(reg.at(1, col::Credit), "12.50");
    EXPECT_EQ(reg.at(2, col::Debit), "7.25");
    EXPECT_EQ(reg.at(2, col::Credit), "");
    EXPECT_EQ(reg.at(2, col::ModePaiement), "Chèque");
    EXPECT_EQ(reg.at(2, col::Solde), "5.25"); // recomputed from the imported amounts
}

TEST_F(HandheldCom, CancellingTheUserChoiceTouchesNoDatabase) {
    ASSERT_TRUE(builder);
    makeAccount("Courant", 3);
    dialogs.yes().cancel();
    const ExchangeOutcome outcome =
        exchange().exportAccount({session.user(), session.account(), "", session.euros()},
                                 session.grid(), categories, modes);
    EXPECT_EQ(outcome.ended, ExchangeOutcome::Ended::Cancelled);
    EXPECT_TRUE(fs::is_empty(installFolder()));
    EXPECT_FALSE(fs::exists(indexFile()));
    EXPECT_EQ(dialogs.texts().size(), 1u); // the question only
    EXPECT_FALSE(registry.value(Hive::CurrentUser, kHotSyncKey, "Install305419896"));
}

TEST_F(HandheldCom, AnIndexThatCannotBeWrittenIsReportedAndNamesNothing) {
    ASSERT_TRUE(builder);
    makeAccount("Courant", 3);
    // Something in the index's place that cannot be read or replaced.
    fs::create_directories(indexFile());
    const ExchangeOutcome outcome = exportAccount();
    const std::string badName = "Error [4] : Palm OS : nom de PDB incorrect";
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{
                                   "Confirmez-vous l'exportation de ce compte vers votre Palm ?",
                                   badName, badName}));
    EXPECT_EQ(outcome.errors, 2);
    // The account's databases were not written under a name another account may hold.
    EXPECT_FALSE(fs::exists(installFolder() / "Jean Dupont_Courant.pdb"));
    EXPECT_FALSE(fs::exists(installFolder() / "Jean Dupont_Courant_params.pdb"));
    EXPECT_TRUE(fs::exists(installFolder() / "rubriques.pdb"));

    dialogs.clear();
    const Grid before = session.grid();
    importAccount();
    const std::string badFile = "Error [1] : Palm OS : nom de fichier incorrect pour le PDB";
    EXPECT_EQ(dialogs.texts()[1], badFile);
    EXPECT_EQ(dialogs.texts()[2], badFile);
    EXPECT_EQ(session.grid(), before);
}

// The handheld counts a database's records in 16 bits, the field list among them.
TEST_F(HandheldCom, AnAccountTooLargeForTheHandheldIsReportedAndKeepsTheLastExport) {
    ASSERT_TRUE(builder);
    makeAccount("Courant", 3);
    ASSERT_EQ(exportAccount().errors, 0);
    const fs::path file = installFolder() / "Jean Dupont_Courant.pdb";
    const std::string before = trellisk::test::readAll(file);

    // With the initial balance, one operation more than the database can count.
    Grid& reg = session.grid();
    const int rows = 65535;
    reg.setRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        reg.set(r, col::Date, "01/03/2024");
    }
    dialogs.clear();
    const ExchangeOutcome outcome = exportAccount();
    EXPECT_EQ(dialogs.texts(),
              (std::vector<std::string>{
                  "Confirmez-vous l'exportation de ce compte vers votre Palm ?",
                  "Error [38] : Palm OS : trop d'enregistrements pour le PDB (65534 au plus)"}));
    EXPECT_EQ(outcome.errors, 1);
    EXPECT_EQ(trellisk::test::readAll(file), before);

    // One row fewer fills the database exactly.
    reg.setRowCount(rows);
    dialogs.clear();
    ASSERT_EQ(exportAccount().errors, 0);
    EXPECT_EQ(dialogs.texts().back(), kExported);
    EXPECT_EQ(trellisk::test::readAll(file).substr(76, 2), "\xFF\xFF");
}

TEST_F(HandheldCom, AnImportBeforeTheFirstExportDoesNotHideIt) {
    ASSERT_TRUE(builder);
    makeAccount("Courant", 4);
    const Grid exported = session.grid();
    EXPECT_EQ(importAccount().errors, 2); // nothing on the handheld yet
    EXPECT_FALSE(fs::exists(indexFile()));
    ASSERT_EQ(exportAccount().errors, 0);
    hotSync.hotSync();
    session.grid().set(2, col::Notes, "changé");
    dialogs.clear();
    EXPECT_EQ(importAccount().errors, 0);
    EXPECT_EQ(session.grid(), exported);
}

TEST_F(HandheldCom, TwoAccountsNeverShareAHandheldName) {
    ASSERT_TRUE(builder);
    fs::create_directories(paths.userFolder("Jean_Dupont"));
    std::vector<std::string> names;
    for (const std::string user : {"Jean Dupont", "Jean_Dupont"}) {
        session.setUser(user);
        makeAccount("Courant", 2);
        ASSERT_EQ(exportAccount().errors, 0);
        const std::string bytes =
            trellisk::test::readAll(installFolder() / (user + "_Courant.pdb"));
        names.push_back(bytes.substr(0, bytes.find('\0')));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Budget0", "Budget2"}));
}

} // namespace
} // namespace ledgora
