#include "calculator/WorksheetDocument.h"

#include <cstdio>

#include "calculator/CalcFile.h"
#include "calculator/PageTape.h"
#include "platform/FileIO.h"

namespace calculator {

namespace {

constexpr const char* kUnknownFormat = "Format de fichier non reconnu.";

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

} // namespace

WorksheetDocument::WorksheetDocument(Worksheet& sheet, platform::Dialogs& dialogs,
                                     WorksheetPrompts& prompts, std::filesystem::path dataFolder)
    : sheet_(sheet), dialogs_(dialogs), prompts_(prompts), dataFolder_(std::move(dataFolder)) {}

std::string WorksheetDocument::shortName() const {
    return fileName_.filename().string();
}

std::string WorksheetDocument::lastFileSetting() const {
    return loadFailed_ ? std::string() : fileName_.string();
}

void WorksheetDocument::startNewPage() {
    sheet_.clear();
    fileName_.clear();
    modified_ = false;
    caption_ = "Calculatrice : fichier SANS NOM";
    status_ = {"Prêt", false};
}

bool WorksheetDocument::maySetPageAside() {
    if (!modified_) {
        return true;
    }
    const std::string question =
        fileName_.empty()
            ? std::string("La page de calculs a été modifiée. Voulez-vous l'enregistrer ?")
            : shortName() + " a été modifié. Voulez-vous l'enregistrer ?";
    switch (dialogs_.message(platform::MessageKind::Confirmation, question,
                             platform::Buttons::YesNoCancel)) {
    case platform::Reply::Yes:
        // A cancelled or failed save keeps the page, as Cancel does.
        return save();
    case platform::Reply::No:
        return true;
    default:
        return false;
    }
}

bool WorksheetDocument::newPage() {
    if (!maySetPageAside()) {
        return false;
    }
    startNewPage();
    return true;
}

bool WorksheetDocument::open() {
    loadFailed_ = false;
    if (!maySetPageAside()) {
        return false;
    }
    const auto path = prompts_.chooseFileToOpen(dataFolder_);
    if (!path) {
        return false;
    }
    status_ = {"Prêt", false};
    if (load(*path)) {
        return true;
    }
    // Never leave part of a page under a name that "Enregistrer" would overwrite.
    loadFailed_ = true;
    caption_ = "Calculatrice";
    dialogs_.fail(kUnknownFormat);
    startNewPage();
    return false;
}

bool WorksheetDocument::load(const std::filesystem::path& path) {
    const auto bytes = platform::readFile(path);
    if (!bytes) {
        return false;
    }
    const auto file = readCalcFile(*bytes);
    if (!file) {
        return false;
    }
    applyCalcFile(*file, sheet_);
    fileName_ = path;
    caption_ = "Calculatrice : fichier " + shortName();
    modified_ = false;
    return true;
}

bool WorksheetDocument::write() {
    if (!platform::writeFileAtomically(fileName_, writeCalcFile(calcFileOf(sheet_)))) {
        dialogs_.fail("Impossible d'enregistrer le fichier " + fileName_.string() + ".");
        return false;
    }
    modified_ = false;
    return true;
}

bool WorksheetDocument::save() {
    if (fileName_.empty()) {
        return saveAs();
    }
    return write();
}

bool WorksheetDocument::saveAs() {
    auto path = prompts_.chooseFileToSave(dataFolder_);
    if (!path) {
        return false;
    }
    if (!path->has_extension()) {
        path->replace_extension(".CLC");
    }
    fileName_ = *path;
    caption_ = "Calculatrice : fichier " + shortName();
    if (!write()) {
        return false;
    }
    loadFailed_ = false;
    return true;
}

bool WorksheetDocument::queryClose(bool promptOnClose) {
    return !promptOnClose || maySetPageAside();
}

void WorksheetDocument::startUp(const std::string& lastFile, bool reopen) {
    std::error_code error;
    if (reopen && !lastFile.empty() && std::filesystem::is_regular_file(lastFile, error)) {
        if (load(lastFile)) {
            return;
        }
        dialogs_.fail(kUnknownFormat);
        loadFailed_ = true;
    }
    startNewPage();
}

std::string WorksheetDocument::printTitle() const {
    return fileName_.empty() ? std::string("Calculatrice : fichier sans nom")
                             : "Calculatrice : " + shortName();
}

std::vector<std::string>
WorksheetDocument::printout(const platform::DateTime& now,
                            const std::optional<std::string>& selection) const {
    const std::string when = twoDigits(now.day) + "/" + twoDigits(now.month) + "/" +
                             std::to_string(now.year) + " " + twoDigits(now.hour) + ":" +
                             twoDigits(now.minute) + ":" + twoDigits(now.second);
    std::vector<std::string> out = {"", "", "     Fichier calcul " + shortName() + " du " + when,
                                    ""};
    if (selection) {
        std::vector<std::string> lines = splitPage(*selection);
        lines[0] = "     " + lines[0];
        out.insert(out.end(), lines.begin(), lines.end());
    } else {
        for (const std::string& line : sheet_.lines()) {
            out.push_back("     " + line);
        }
    }
    return out;
}

} // namespace calculator
