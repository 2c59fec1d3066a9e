#include <ostream>

#include "cli/Commands.h"
#include "cli/ShownAccount.h"
#include "register/Backup.h"

namespace cli {

int runBackup(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: ledgora-cli backup DEST\n";
        return 2;
    }
    const platform::Paths paths = cliPaths();
    const std::filesystem::path folder = args[0];
    if (!ledgora::isUsableBackupFolder(folder, paths)) {
        err << ledgora::noMediumMessage(folder) << '\n';
        return 1;
    }
    const platform::Registry registry(paths.registryFolder());
    if (ledgora::writeBackupSet(registry, paths, folder)) {
        err << ledgora::cannotWriteBackupMessage(folder) << '\n';
        return 1;
    }
    out << ledgora::kBackupDone << '\n';
    return 0;
}

int runRestore(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: ledgora-cli restore SRC\n";
        return 2;
    }
    const platform::Paths paths = cliPaths();
    const ledgora::BackupSet set{args[0]};
    switch (ledgora::checkBackupSet(set)) {
    case ledgora::SetState::NoSettingsFile:
        err << ledgora::missingSettingsFileMessage(set.settingsFile()) << '\n';
        return 1;
    case ledgora::SetState::UnreadableSettingsFile:
        err << ledgora::unreadableSettingsFileMessage(set.settingsFile()) << '\n';
        return 1;
    case ledgora::SetState::NoDataCopy:
        err << ledgora::missingDataCopyMessage(set.dataCopy()) << '\n';
        return 1;
    case ledgora::SetState::Whole:
        break;
    }
    platform::Registry registry(paths.registryFolder());
    const ledgora::RestoreResult r = ledgora::restoreBackupSet(registry, paths, set);
    if (r.failed) {
        err << "Cannot Create " << r.failed->string() << '\n';
        return 1;
    }
    out << "Paramètres : " << set.settingsFile().string() << '\n'
        << "Fichiers : " << r.files << " dans " << paths.dataFolder().string() << '\n';
    if (r.skipped > 0) {
        out << "Ignorés : " << r.skipped << '\n';
    }
    out << ledgora::kRestoreDone << '\n';
    return 0;
}

} // namespace cli
