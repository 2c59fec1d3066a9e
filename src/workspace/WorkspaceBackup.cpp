#include "workspace/WorkspaceBackup.h"

namespace ledgora {

WorkspaceBackup::WorkspaceBackup(Workspace& workspace, BackupForms& forms)
    : workspace_(workspace), forms_(forms) {}

BackupCommands WorkspaceBackup::commands() {
    return BackupCommands(
        {workspace_.registry(), workspace_.paths(), workspace_.dialogs(), forms_});
}

bool WorkspaceBackup::backup(const WindowPlacement& placement, const BackupProgress& progress) {
    // The folder is kept as an option before the settings are saved, so the set holds it.
    return commands().backup(
        workspace_.options().cheminBackup, [&] { return workspace_.saveSettings(placement); },
        progress);
}

bool WorkspaceBackup::restore(AutoSaveTimer& timer, const BackupProgress& progress) {
    std::string folder = workspace_.options().cheminBackup;
    const bool restored = commands().restore(folder, workspace_.session(), timer, progress);
    if (restored) {
        reloadSettings();
    }
    workspace_.options().cheminBackup = folder;
    return restored;
}

bool WorkspaceBackup::queryClose(const WindowPlacement& placement, BackupOfferForm& offer,
                                 const BackupProgress& progress) {
    return workspace_.queryClose(placement, [&] {
        offerBackupAtClose(workspace_.session().isOpen(), workspace_.options().noBackupPrompt,
                           offer, [&] { backup(placement, progress); });
    });
}

void WorkspaceBackup::reloadSettings() {
    workspace_.options() =
        readOptions(workspace_.registry(), workspace_.paths().homeFolder().string());
    workspace_.setSounds(workspace_.options().sons);
    const platform::Paths& paths = workspace_.paths();
    workspace_.categories() =
        NameList::load(paths.dataFile("Rubriques.txt")).value_or(NameList::builtInCategories());
    workspace_.modes() =
        NameList::load(paths.dataFile("Modes.txt")).value_or(NameList::builtInPaymentModes());
}

} // namespace ledgora
