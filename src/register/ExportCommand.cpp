#include "register/ExportCommand.h"

#include <system_error>

namespace ledgora {

namespace fs = std::filesystem;

std::string wordExportQuestion() {
    return "L'exportation au format Word est une opération longue (environ 1 mn pour 50 "
           "lignes).\n"
           "Ne vous inquiétez donc pas si le programme ne répond plus pendant cette durée.\n"
           "Confirmez-vous l'exportation du compte au format Word ?";
}

std::string replaceExportQuestion(const fs::path& file) {
    return file.string() + " existe déjà.\nVoulez-vous le remplacer ?";
}

std::optional<fs::path> exportRegister(const ExportSource& source, ExportMemory memory,
                                       ExportServices services,
                                       const std::function<void(bool)>& busy) {
    std::error_code ec;
    fs::path folder = memory.folder;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        folder = services.fallbackFolder;
    }
    const ExportFormat remembered =
        exportFormatOfIndex(memory.filterIndex).value_or(kDefaultExportFormat);
    const std::optional<ExportChoice> choice = services.forms.chooseExportFile(
        kExportCaption, folder, proposedExportName(source.account, remembered), remembered);
    if (!choice || choice->typed.empty()) {
        return std::nullopt;
    }
    const fs::path typed = choice->typed.is_absolute() ? choice->typed : folder / choice->typed;
    const fs::path file = exportPath(typed, choice->format);
    platform::Dialogs& d = services.dialogs;
    if (file != typed && fs::exists(file, ec) && !d.warnYesNo(replaceExportQuestion(file))) {
        return std::nullopt;
    }
    if (choice->format == ExportFormat::Doc && !d.confirm(wordExportQuestion())) {
        return std::nullopt;
    }
    if (busy) {
        busy(true);
    }
    const std::optional<std::string> failed =
        exportGrid(choice->format, source.grid, source.look, file);
    if (busy) {
        busy(false);
    }
    if (failed) {
        d.fail(*failed);
        return std::nullopt;
    }
    memory.folder = file.parent_path().string();
    memory.filterIndex = static_cast<int>(choice->format);
    return file;
}

} // namespace ledgora
