// The worksheet's file commands: new page, open, save, save as, the question when the page
// was modified, reopening the last file at start-up, and the printout's text. The worksheet
// is owned by the caller; the document keeps its file name and modified mark.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calculator/Worksheet.h"
#include "calculator/WorksheetPrompts.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

namespace calculator {

class WorksheetDocument {
public:
    // `dialogs` asks about a modified page and tells errors; `prompts` chooses the files.
    WorksheetDocument(Worksheet& sheet, platform::Dialogs& dialogs, WorksheetPrompts& prompts,
                      std::filesystem::path dataFolder);

    const std::filesystem::path& fileName() const { return fileName_; }
    const std::string& caption() const { return caption_; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    bool loadFailed() const { return loadFailed_; }
    // Shown after a command: "Prêt", or unchanged when nothing.
    const StatusLine& status() const { return status_; }
    // What "DernierFichier" gets at close: empty after a failed load.
    std::string lastFileSetting() const;

    // "&Nouveau"; false when the user cancelled.
    bool newPage();
    // "&Ouvrir..."; false when cancelled or the file could not be read.
    bool open();
    // "&Enregistrer" and "Enregistrer &sous..."; false when cancelled or not written.
    bool save();
    bool saveAs();
    // Closing: false keeps the window open.
    bool queryClose(bool promptOnClose);
    // At start-up: reopens `lastFile` when asked and it exists.
    void startUp(const std::string& lastFile, bool reopen);

    // "Calculatrice : " + file name, or "Calculatrice : fichier sans nom".
    std::string printTitle() const;
    // The printed lines: a heading with the file name and `now`, then every page line (or
    // the selection, only its first line indented).
    std::vector<std::string> printout(const platform::DateTime& now,
                                      const std::optional<std::string>& selection) const;

private:
    // Asks about a modified page; false when the command must stop.
    bool maySetPageAside();
    bool load(const std::filesystem::path& path);
    bool write();
    void startNewPage();
    std::string shortName() const;

    Worksheet& sheet_;
    platform::Dialogs& dialogs_;
    WorksheetPrompts& prompts_;
    std::filesystem::path dataFolder_;
    std::filesystem::path fileName_;
    std::string caption_ = "Calculatrice : fichier SANS NOM";
    StatusLine status_;
    bool modified_ = false;
    bool loadFailed_ = false;
};

} // namespace calculator
