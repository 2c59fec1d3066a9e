// The export and print commands on an account of the data folder: the format from the
// file's extension, the account's stored maxima and currency, and the PDF read back by
// pdftotext (poppler-utils).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "cli/Commands.h"
#include "money/DateText.h"
#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "support/TempFolder.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
namespace settings = platform::settings;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

// Léa's account "Courant" of `operations` rows in francs, with a maximum of 100 on
// "Courses", in a data folder of its own.
struct Home {
    ledgora::testing::TempFolder folder;
    platform::Paths paths{folder.path(), folder.path() / "registry", folder.path()};
    fs::path account = paths.accountFile("Léa", "Courant");

    explicit Home(int operations) {
        ::setenv("LEDGORA_HOME", folder.path().c_str(), 1);
        fs::create_directories(paths.userFolder("Léa"));
        ledgora::Grid reg = ledgora::makeRegister(operations + 2);
        for (int r = 1; r <= operations; ++r) {
            reg.set(r, ledgora::col::Date,
                    ledgora::formatDate(ledgora::Date{2024, 1 + (r - 1) / 28, 1 + (r - 1) % 28}));
            reg.set(r, ledgora::col::Rubrique, "Courses");
            reg.set(r, ledgora::col::Notes, "Opération " + std::to_string(r));
            reg.set(r, ledgora::col::Debit, "60.00");
        }
        EXPECT_FALSE(ledgora::saveGridFile(reg, account));
        platform::Registry registry(paths.registryFolder());
        const std::string key = settings::accountKey("Léa", "Courant");
        EXPECT_TRUE(registry.writeString(Hive::CurrentUser, key, settings::kEuro, "0"));
        EXPECT_TRUE(registry.writeString(Hive::CurrentUser, key + "\\Alarmes\\Courses",
                                         settings::kMontant, "100.00"));
    }
};

std::optional<std::string> pdfText(const fs::path& pdf) {
    const std::string command = "pdftotext -layout '" + pdf.string() + "' - 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, n);
    }
    return ::pclose(pipe) == 0 ? std::optional(text) : std::nullopt;
}

std::vector<std::string> pages(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1) {
        out.push_back(text.substr(start, ff - start));
    }
    return out;
}

TEST(PrintCommand, ThePdfCarriesTheHeaderOnEveryPageAndEveryRow) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const Home home(150);
    const fs::path pdf = home.folder.path() / "Courant.pdf";
    const Outcome r = run(runPrint, {home.account.string(), pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto text = pdfText(pdf);
    ASSERT_TRUE(text);
    const std::vector<std::string> p = pages(*text);
    ASSERT_GE(p.size(), 2u);
    const std::string today = ledgora::formatDate(platform::SystemClock().now());
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_NE(p[i].find("Ledgora - Léa : compte \"Courant\" (Francs)"), std::string::npos) << i;
        EXPECT_NE(p[i].find(today), std::string::npos) << i;
        EXPECT_NE(p[i].find("Imprimé avec Ledgora"), std::string::npos) << i;
        EXPECT_NE(p[i].find("page " + std::to_string(i + 1)), std::string::npos) << i;
        EXPECT_NE(p[i].find("Mode de paiement"), std::string::npos) << i; // captions repeated
    }
    EXPECT_NE(p.front().find("Opération 1 "), std::string::npos);
    EXPECT_NE(p.back().find("Opération 150"), std::string::npos) << p.back();
    // Each row once, on one page.
    for (int row : {1, 75, 150}) {
        const std::string notes = "Opération " + std::to_string(row) + " ";
        std::size_t count = 0;
        for (std::size_t at = 0; (at = text->find(notes, at)) != std::string::npos; ++at) {
            ++count;
        }
        EXPECT_EQ(count, 1u) << row;
    }
}

TEST(PrintCommand, RefusesWhatItCannotDo) {
    const Home home(1);
    EXPECT_EQ(run(runPrint, {home.account.string()}).status, 2);
    EXPECT_EQ(run(runPrint, {home.account.string(), "x.pdf", "--colour"}).status, 2);
    const Outcome missing = run(runPrint, {"/nonexistent/a.ldg", "x.pdf"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot open file /nonexistent/a.ldg\n");
    const Outcome unwritable = run(runPrint, {home.account.string(), "/nonexistent/x.pdf"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Cannot Create file /nonexistent/x.pdf\n");
}

TEST(ExportCommand, TheFormatComesFromTheExtension) {
    const Home home(3);
    struct Case {
        const char* name;
        int status;
        const char* starts; // the file's first bytes
    };
    const Case cases[] = {
        {"releve.csv", 0, "\"\";Pointage;Date"},
        {"releve.htm", 0, "<meta charset=\"windows-1252\">"},
        {"releve.TXT", 0, "  Pointage"},
        {"releve.doc", 0, "{\\rtf1"},
        {"releve.xls", 0, "\xD0\xCF\x11\xE0"},
        {"releve.pdf", 2, nullptr},
        {"releve", 2, nullptr},
    };
    for (const Case& c : cases) {
        const fs::path out = home.folder.path() / c.name;
        const Outcome r = run(runExport, {home.account.string(), out.string()});
        EXPECT_EQ(r.status, c.status) << c.name << r.err;
        if (c.starts != nullptr) {
            EXPECT_EQ(platform::readFile(out).value_or("").rfind(c.starts, 0), 0u) << c.name;
        } else {
            EXPECT_FALSE(fs::exists(out)) << c.name;
        }
    }
}

// The account's maximum is read from its settings: 180 spent on "Courses" in March is
// over 100, and the web page shows the category in red and bold.
TEST(ExportCommand, TheAccountsMaximaColourItsCategories) {
    const Home home(3);
    const fs::path out = home.folder.path() / "releve.htm";
    ASSERT_EQ(run(runExport, {home.account.string(), out.string()}).status, 0);
    EXPECT_NE(platform::readFile(out).value_or("").find("<font color=\"#FF0000\"><b>Courses"),
              std::string::npos);

    // The same file outside the data folder has no maxima.
    const fs::path elsewhere = home.folder.path() / "Courant.ldg";
    fs::copy_file(home.account, elsewhere);
    ASSERT_EQ(run(runExport, {elsewhere.string(), out.string()}).status, 0);
    EXPECT_EQ(platform::readFile(out).value_or("").find("#FF0000\"><b>Courses"), std::string::npos);
}

} // namespace
} // namespace cli
