#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "calculator/CalcFile.h"
#include "calculator/WorksheetDocument.h"
#include "platform/FileIO.h"
#include "support/TempFolder.h"

namespace calculator {
namespace {

// Answers the questions and the file dialogs from a script and records what was asked,
// in one order.
class ScriptedPrompts : public WorksheetPrompts, public platform::Dialogs {
public:
    std::deque<platform::Reply> replies;
    std::deque<std::optional<std::filesystem::path>> files;
    std::vector<std::string> asked;

    platform::Reply message(platform::MessageKind kind, const std::string& text,
                            platform::Buttons buttons, const std::string&) override {
        if (kind == platform::MessageKind::Error) {
            asked.push_back("error: " + text);
            return platform::Reply::Ok;
        }
        if (kind == platform::MessageKind::Warning) {
            asked.push_back("warning: " + text);
            return platform::Reply::Ok;
        }
        EXPECT_EQ(buttons, platform::Buttons::YesNoCancel);
        asked.push_back(text);
        return take(replies, platform::Reply::Cancel);
    }
    std::optional<int> chooseFromList(const std::string&, const std::vector<std::string>&,
                                      int) override {
        return std::nullopt;
    }
    std::optional<std::string> askPassword(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path&) override {
        asked.push_back("open");
        return take(files, std::optional<std::filesystem::path>());
    }
    std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path&) override {
        asked.push_back("save");
        return take(files, std::optional<std::filesystem::path>());
    }

private:
    template <typename T> static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) {
            return fallback;
        }
        T front = queue.front();
        queue.pop_front();
        return front;
    }
};

struct DocumentTest : ::testing::Test {
    ledgora::testing::TempFolder folder;
    Worksheet sheet;
    ScriptedPrompts prompts;
    WorksheetDocument document{sheet, prompts, prompts, folder.path()};

    std::filesystem::path file(const std::string& name) const { return folder.path() / name; }
    void writeGolden(const std::filesystem::path& path) {
        platform::writeFileAtomically(
            path,
            platform::readFile(std::string(LEDGORA_TEST_DATA) + "/calculator/page.CLC").value());
    }
};

TEST_F(DocumentTest, OpeningThenSavingUnderAnotherNameKeepsTheBytes) {
    writeGolden(file("a.CLC"));
    prompts.files = {file("a.CLC"), file("b")};
    ASSERT_TRUE(document.open());
    EXPECT_EQ(document.caption(), "Calculatrice : fichier a.CLC");
    EXPECT_EQ(sheet.lines()[1], "1÷3=0,33");
    ASSERT_TRUE(document.saveAs());
    EXPECT_EQ(document.fileName(), file("b.CLC"));
    EXPECT_EQ(platform::readFile(file("b.CLC")), platform::readFile(file("a.CLC")));
    EXPECT_EQ(document.lastFileSetting(), file("b.CLC").string());
}

TEST_F(DocumentTest, AFailedLoadStartsANewPageInsteadOfKeepingPartOfIt) {
    writeGolden(file("a.CLC"));
    platform::writeFileAtomically(file("bad.CLC"), "2\r\nonly one line\r\n");
    prompts.files = {file("a.CLC"), file("bad.CLC")};
    ASSERT_TRUE(document.open());
    EXPECT_FALSE(document.open());
    EXPECT_EQ(prompts.asked.back(), "error: Format de fichier non reconnu.");
    EXPECT_TRUE(sheet.pageEmpty());
    EXPECT_TRUE(document.fileName().empty());
    EXPECT_TRUE(document.loadFailed());
    EXPECT_EQ(document.lastFileSetting(), "");
    // "Enregistrer" now asks for a name rather than overwriting a.CLC.
    sheet.setPage("1+1");
    document.setModified(true);
    EXPECT_FALSE(document.save());
    EXPECT_EQ(prompts.asked.back(), "save");
    EXPECT_EQ(platform::readFile(file("a.CLC")),
              platform::readFile(std::string(LEDGORA_TEST_DATA) + "/calculator/page.CLC"));
}

TEST_F(DocumentTest, YesThenACancelledSaveDialogKeepsThePage) {
    sheet.setPage("2+2=4,00");
    document.setModified(true);
    prompts.replies = {platform::Reply::Yes};
    EXPECT_FALSE(document.newPage());
    EXPECT_EQ(prompts.asked,
              (std::vector<std::string>{
                  "La page de calculs a été modifiée. Voulez-vous l'enregistrer ?", "save"}));
    EXPECT_EQ(sheet.page(), "2+2=4,00");
    EXPECT_TRUE(document.modified());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

    prompts.replies = {platform::Reply::Yes};
    EXPECT_FALSE(document.open());
    EXPECT_EQ(sheet.page(), "2+2=4,00");
    EXPECT_FALSE(document.queryClose(true));
    EXPECT_TRUE(document.queryClose(false));
}

TEST_F(DocumentTest, NoDiscardsCancelStopsAndNamedFilesAreAskedByName) {
    sheet.setPage("1");
    document.setModified(true);
    prompts.replies = {platform::Reply::Cancel, platform::Reply::No};
    EXPECT_FALSE(document.newPage());
    EXPECT_EQ(sheet.page(), "1");
    EXPECT_TRUE(document.newPage());
    EXPECT_TRUE(sheet.pageEmpty());
    EXPECT_EQ(document.caption(), "Calculatrice : fichier SANS NOM");
    EXPECT_EQ(document.status().text, "Prêt");

    writeGolden(file("a.CLC"));
    prompts.files = {file("a.CLC")};
    ASSERT_TRUE(document.open());
    sheet.setPage("3");
    document.setModified(true);
    prompts.replies = {platform::Reply::Yes};
    EXPECT_TRUE(document.queryClose(true));
    EXPECT_EQ(prompts.asked.back(), "a.CLC a été modifié. Voulez-vous l'enregistrer ?");
    EXPECT_EQ(platform::readFile(file("a.CLC")).value().substr(0, 6), "1\r\n3\r\n");
    EXPECT_FALSE(document.modified());
}

TEST_F(DocumentTest, StartUpReopensTheLastFileOnlyWhenAskedAndReadable) {
    writeGolden(file("a.CLC"));
    document.startUp(file("a.CLC").string(), true);
    EXPECT_EQ(document.fileName(), file("a.CLC"));
    EXPECT_FALSE(sheet.pageEmpty());

    WorksheetDocument notAsked(sheet, prompts, prompts, folder.path());
    notAsked.startUp(file("a.CLC").string(), false);
    EXPECT_TRUE(sheet.pageEmpty());
    EXPECT_TRUE(notAsked.fileName().empty());

    platform::writeFileAtomically(file("bad.CLC"), "x");
    WorksheetDocument failing(sheet, prompts, prompts, folder.path());
    failing.startUp(file("bad.CLC").string(), true);
    EXPECT_EQ(prompts.asked.back(), "error: Format de fichier non reconnu.");
    EXPECT_TRUE(failing.loadFailed());
    EXPECT_EQ(failing.lastFileSetting(), "");

    WorksheetDocument missing(sheet, prompts, prompts, folder.path());
    missing.startUp(file("gone.CLC").string(), true);
    EXPECT_FALSE(missing.loadFailed());
    EXPECT_EQ(missing.lastFileSetting(), "");
}

TEST_F(DocumentTest, APrintoutHasAHeadingThenIndentedLines) {
    sheet.setPage("1+1=2,00\n2+2=4,00");
    const platform::DateTime at{2026, 3, 4, 9, 5, 7};
    EXPECT_EQ(document.printTitle(), "Calculatrice : fichier sans nom");
    EXPECT_EQ(document.printout(at, std::nullopt),
              (std::vector<std::string>{"", "", "     Fichier calcul  du 04/03/2026 09:05:07", "",
                                        "     1+1=2,00", "     2+2=4,00"}));
    EXPECT_EQ(document.printout(at, std::string("2,00\n2+2")).back(), "2+2");
}

} // namespace
} // namespace calculator
