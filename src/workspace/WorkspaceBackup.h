// The backup and restore commands as the main window runs them on the workspace: a backup
// saves everything first; a restore brings back the set's options and lists with the open
// account (or leaves none open), so that the next settings save does not write the old
// ones over them; and the backup offered at closing.
#pragma once

#include "register/AutoSave.h"
#include "register/Backup.h"
#include "workspace/Workspace.h"

namespace ledgora {

class WorkspaceBackup {
public:
    // Borrows the workspace and the forms.
    WorkspaceBackup(Workspace& workspace, BackupForms& forms);

    // "Faire une copie de sauvegarde...": settings (with `placement`), lists and open
    // account saved, then the set written. True when it was.
    bool backup(const WindowPlacement& placement, const BackupProgress& progress = {});

    // "Restaurer une copie de sauvegarde...", the autosave `timer` paused meanwhile. After
    // a restore the options and both lists are those of the set; the backup folder stays
    // the one just chosen. True when the set was restored.
    bool restore(AutoSaveTimer& timer, const BackupProgress& progress = {});

    // Closing the program (Workspace::queryClose) with the backup offered through `offer`.
    bool queryClose(const WindowPlacement& placement, BackupOfferForm& offer,
                    const BackupProgress& progress = {});

    // Reads the options and the two lists again from the settings store and the data
    // folder.
    void reloadSettings();

private:
    BackupCommands commands();

    Workspace& workspace_;
    BackupForms& forms_;
};

} // namespace ledgora
