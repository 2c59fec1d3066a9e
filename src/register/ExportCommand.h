// "E&xporter...": the register written to a file in one of the five formats, through the
// save dialog, which starts where and in the format the last export left it. The command
// owns the rules around the writers: the extension rule, the questions, the remembered
// folder and format ("CheminExport", "ExportFilterIndex"), which change only when a file
// was written.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "register/ExportFormats.h"
#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// What the user confirmed in the save dialog: the name as typed and the format chosen.
struct ExportChoice {
    std::filesystem::path typed;
    ExportFormat format = kDefaultExportFormat;
};

// The export's save dialog.
class ExportForms {
public:
    virtual ~ExportForms() = default;
    // The dialog titled `caption`, listing the five filters, opened in `folder` with
    // `format` chosen and `name` proposed; it asks before overwriting the typed file.
    // Nothing when cancelled.
    virtual std::optional<ExportChoice> chooseExportFile(const std::string& caption,
                                                         const std::filesystem::path& folder,
                                                         const std::string& name,
                                                         ExportFormat format) = 0;
};

inline constexpr const char* kExportCaption = "Exportation du compte";
// Asked before a ".doc" export.
std::string wordExportQuestion();
// Asked when the extension rule leads to another file than the one typed, which exists:
// the dialog only asked about the typed one.
std::string replaceExportQuestion(const std::filesystem::path& file);

// The remembered export settings, updated after a file was written.
struct ExportMemory {
    std::string& folder; // "CheminExport"
    int& filterIndex;    // "ExportFilterIndex"
};

struct ExportServices {
    platform::Dialogs& dialogs;
    ExportForms& forms;
    // Where the dialog starts when "CheminExport" is not an existing folder.
    std::filesystem::path fallbackFolder;
};

// The register to export: its grid as shown, its look, the open account's name.
struct ExportSource {
    const Grid& grid;
    const GridLook& look;
    const std::string& account;
};

// Runs the export command; `busy` is told true before the file is written and false
// after. Returns the file written; nothing when the user gave up or the file could not be
// written ("Cannot Create file " and the path was shown).
std::optional<std::filesystem::path> exportRegister(const ExportSource& source, ExportMemory memory,
                                                    ExportServices services,
                                                    const std::function<void(bool)>& busy = {});

} // namespace ledgora
