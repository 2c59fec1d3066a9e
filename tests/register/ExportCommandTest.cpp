// The export command with a scripted save dialog: where the dialog starts, what it
// proposes, which file is written, the questions, and when the remembered folder and
// format change.
#include <gtest/gtest.h>

#include <filesystem>

#include "ExportFixture.h"
#include "platform/FileIO.h"
#include "platform/ScriptedDialogs.h"
#include "register/ExportCommand.h"
#include "support/TempFolder.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Reply;

class ScriptedExportForms : public ExportForms {
public:
    std::optional<ExportChoice> chooseExportFile(const std::string& caption, const fs::path& folder,
                                                 const std::string& name,
                                                 ExportFormat format) override {
        shownCaption = caption;
        shownFolder = folder;
        shownName = name;
        shownFormat = format;
        return answer;
    }
    std::optional<ExportChoice> answer;
    std::string shownCaption;
    fs::path shownFolder;
    std::string shownName;
    std::optional<ExportFormat> shownFormat;
};

struct ExportCommandWorld {
    testing::TempFolder temp;
    fs::path home = temp.path() / "home";
    fs::path exports = temp.path() / "exports";
    testing::ExportWorld world;
    std::string account = "Courant";
    platform::ScriptedDialogs dialogs;
    ScriptedExportForms forms;
    std::string folder;
    int index = 5;

    ExportCommandWorld() {
        fs::create_directories(home);
        fs::create_directories(exports);
        folder = exports.string();
    }
    std::optional<fs::path> run() {
        return exportRegister({world.grid, world.look, account}, {folder, index},
                              {dialogs, forms, home});
    }
};

TEST(ExportCommand, TheDialogStartsWhereAndHowTheLastExportLeftIt) {
    struct Case {
        const char* name;
        bool folderExists;
        int index;
        const char* proposed;
        ExportFormat format;
    };
    const Case cases[] = {
        {"remembered", true, 2, "Courant.htm", ExportFormat::Html},
        {"folder gone", false, 1, "Courant.csv", ExportFormat::Csv},
        {"index out of range", true, 9, "Courant.xls", ExportFormat::Xls},
    };
    for (const Case& c : cases) {
        ExportCommandWorld w;
        if (!c.folderExists) {
            fs::remove(w.exports);
        }
        w.index = c.index;
        EXPECT_EQ(w.run(), std::nullopt) << c.name; // cancelled
        EXPECT_EQ(w.forms.shownCaption, "Exportation du compte");
        EXPECT_EQ(w.forms.shownFolder, c.folderExists ? w.exports : w.home) << c.name;
        EXPECT_EQ(w.forms.shownName, c.proposed) << c.name;
        EXPECT_EQ(w.forms.shownFormat, c.format) << c.name;
        // Cancelled: nothing written, nothing remembered.
        EXPECT_EQ(w.index, c.index) << c.name;
        EXPECT_EQ(w.folder, w.exports.string()) << c.name;
        EXPECT_TRUE(w.dialogs.shown().empty()) << c.name;
    }
}

TEST(ExportCommand, WritesTheFormatsFileAndRemembersIt) {
    struct Case {
        const char* typed;
        ExportFormat format;
        std::vector<Reply> replies;
        const char* written; // nothing when empty
        std::vector<std::string> asked;
    };
    const std::string word = wordExportQuestion();
    const Case cases[] = {
        {"sub/releve.csv", ExportFormat::Text, {}, "sub/releve.txt", {}},
        {"sub/releve", ExportFormat::Html, {}, "sub/releve.htm", {}},
        {"sub/lettre.doc", ExportFormat::Doc, {Reply::Yes}, "sub/lettre.doc", {word}},
        {"sub/lettre.doc", ExportFormat::Doc, {Reply::No}, "", {word}},
    };
    for (const Case& c : cases) {
        ExportCommandWorld w;
        const fs::path sub = w.temp.path() / "sub";
        fs::create_directories(sub);
        for (Reply r : c.replies) {
            w.dialogs.reply(r);
        }
        w.forms.answer = ExportChoice{w.temp.path() / c.typed, c.format};
        const auto written = w.run();
        EXPECT_EQ(w.dialogs.texts(), c.asked) << c.typed;
        if (*c.written == '\0') {
            EXPECT_EQ(written, std::nullopt);
            EXPECT_TRUE(fs::is_empty(sub)) << c.typed;
            EXPECT_EQ(w.index, 5);
            EXPECT_EQ(w.folder, w.exports.string());
            continue;
        }
        const fs::path expected = w.temp.path() / c.written;
        EXPECT_EQ(written, expected) << c.typed;
        EXPECT_EQ(platform::readFile(expected), exportBytes(c.format, w.world.grid, w.world.look));
        EXPECT_EQ(std::distance(fs::directory_iterator(sub), fs::directory_iterator()), 1);
        EXPECT_EQ(w.index, static_cast<int>(c.format)) << c.typed;
        EXPECT_EQ(w.folder, sub.string()) << c.typed;
    }
}

// The dialog asked about the typed name only: the file the extension rule leads to is
// not replaced without asking.
TEST(ExportCommand, AsksBeforeReplacingTheFileTheExtensionLeadsTo) {
    for (const Reply reply : {Reply::No, Reply::Yes}) {
        ExportCommandWorld w;
        const fs::path txt = w.exports / "releve.txt";
        ASSERT_TRUE(platform::writeFileAtomically(txt, "ancien"));
        w.dialogs.reply(reply);
        w.forms.answer = ExportChoice{w.exports / "releve.csv", ExportFormat::Text};
        w.run();
        ASSERT_EQ(w.dialogs.shown().size(), 1u);
        EXPECT_EQ(w.dialogs.shown()[0].text, replaceExportQuestion(txt));
        EXPECT_EQ(w.dialogs.shown()[0].buttons, platform::Buttons::YesNoDefaultNo);
        EXPECT_EQ(platform::readFile(txt) == "ancien", reply == Reply::No);
        EXPECT_FALSE(fs::exists(w.exports / "releve.csv"));
    }
}

TEST(ExportCommand, AFileThatCannotBeCreatedIsToldAndChangesNothing) {
    ExportCommandWorld w;
    ASSERT_TRUE(platform::writeFileAtomically(w.exports / "fichier", "x"));
    const fs::path blocked = w.exports / "fichier" / "releve.csv";
    w.forms.answer = ExportChoice{blocked, ExportFormat::Csv};
    EXPECT_EQ(w.run(), std::nullopt);
    ASSERT_EQ(w.dialogs.shown().size(), 1u);
    EXPECT_EQ(w.dialogs.shown()[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(w.dialogs.shown()[0].text, "Cannot Create file " + blocked.string());
    EXPECT_EQ(w.index, 5);
    EXPECT_EQ(w.folder, w.exports.string());
}

} // namespace
} // namespace ledgora
