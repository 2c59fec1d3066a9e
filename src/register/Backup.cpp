#include "register/Backup.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "money/DateText.h"
#include "platform/FileIO.h"
#include "platform/RegFile.h"
#include "platform/SettingsKeys.h"
#include "register/AccountSession.h"
#include "register/GridTextFormat.h"

namespace ledgora {

namespace fs = std::filesystem;

namespace {

// Where a backup is built before it takes the place of the set: one name, so that the
// next backup clears what an interrupted one left.
constexpr const char* kPartialFolder = ".Ledgora.partiel";

std::string quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

bool isLink(const fs::path& path) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(path, ec));
}

// The regular files under `folder`, relative to it, links neither followed nor listed.
std::vector<fs::path> filesUnder(const fs::path& folder, int* skipped) {
    std::vector<fs::path> files;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::file_status status = it->symlink_status(ec);
        if (ec) {
            break;
        }
        if (fs::is_directory(status)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        if (!fs::is_regular_file(status) || platform::isTemporaryFileName(name) ||
            name.ends_with(".lock")) {
            if (skipped != nullptr && !fs::is_regular_file(status)) {
                ++*skipped;
            }
            continue;
        }
        files.push_back(it->path().lexically_relative(folder));
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Copies `from` to `to` for the user alone, creating the folders it needs.
bool copyPrivately(const fs::path& from, const fs::path& to) {
    const std::optional<std::string> bytes = platform::readFile(from);
    return bytes && platform::createPrivateFolders(to.parent_path()) &&
           platform::writeFileAtomically(to, *bytes);
}

// Puts the folder `fresh` in the place of `target`, atomically when the file system can
// swap two folders; the previous folder, if any, is left at `fresh`'s name.
bool swapInto(const fs::path& fresh, const fs::path& target, const fs::path& aside) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(target, ec))) {
        fs::rename(fresh, target, ec);
        return !ec;
    }
    if (::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        return true;
    }
    // A file system without the exchange (FAT on most sticks): two renames, one instant
    // apart.
    fs::rename(target, aside, ec);
    if (ec) {
        return false;
    }
    fs::rename(fresh, target, ec);
    if (ec) {
        fs::rename(aside, target, ec);
        return false;
    }
    return true;
}

// Whether writing `relative` under `root` stays under it: no "..", no absolute part, and
// no folder on the way that is a link.
bool staysInside(const fs::path& root, const fs::path& relative) {
    if (relative.empty() || relative.is_absolute() || relative.has_root_name()) {
        return false;
    }
    fs::path at = root;
    for (const fs::path& part : relative) {
        if (part == ".." || part == "." || part.empty()) {
            return false;
        }
        at /= part;
        if (isLink(at)) {
            return false;
        }
    }
    return true;
}

std::optional<fs::path> buildAndSwap(const platform::Registry& registry,
                                     const platform::Paths& paths, const fs::path& folder,
                                     const BackupProgress& progress);

} // namespace

fs::path BackupSet::settingsFile() const {
    return folder / (std::string(platform::kAppTitle) + ".reg");
}

fs::path BackupSet::dataCopy() const {
    return folder / std::string(platform::kAppTitle);
}

std::optional<fs::path> writeBackupSet(const platform::Registry& registry,
                                       const platform::Paths& paths, const fs::path& folder,
                                       const BackupProgress& progress) {
    std::optional<fs::path> failed = buildAndSwap(registry, paths, folder, progress);
    if (failed) {
        std::error_code ec;
        fs::remove_all(folder / kPartialFolder, ec);
    }
    return failed;
}

namespace {

std::optional<fs::path> buildAndSwap(const platform::Registry& registry,
                                     const platform::Paths& paths, const fs::path& folder,
                                     const BackupProgress& progress) {
    const BackupSet set{folder};
    const fs::path partial = folder / kPartialFolder;
    const BackupSet fresh{partial};
    std::error_code ec;
    fs::remove_all(partial, ec);
    if (!platform::createPrivateFolders(fresh.dataCopy())) {
        return partial;
    }
    const fs::path data = paths.dataFolder();
    const std::vector<fs::path> files = filesUnder(data, nullptr);
    const int total = static_cast<int>(files.size());
    int done = 0;
    for (const fs::path& file : files) {
        if (!copyPrivately(data / file, fresh.dataCopy() / file)) {
            return set.dataCopy() / file;
        }
        if (progress) {
            progress(++done, total);
        }
    }
    if (!registry.exportKey(platform::Hive::CurrentUser, platform::settings::root(),
                            fresh.settingsFile())) {
        return set.settingsFile();
    }
    // The data copy first, then the settings: a set is never left without either.
    if (!swapInto(fresh.dataCopy(), set.dataCopy(), partial / "ancien")) {
        return set.dataCopy();
    }
    fs::rename(fresh.settingsFile(), set.settingsFile(), ec);
    if (ec) {
        return set.settingsFile();
    }
    fs::remove_all(partial, ec);
    return std::nullopt;
}

} // namespace

SetState checkBackupSet(const BackupSet& set) {
    const platform::FileRead settings = platform::tryReadFile(set.settingsFile());
    if (settings.status == platform::FileRead::Status::Missing) {
        return SetState::NoSettingsFile;
    }
    platform::RegistryTree scratch;
    if (!settings.ok() || !platform::readRegFile(settings.bytes, {&scratch, nullptr})) {
        return SetState::UnreadableSettingsFile;
    }
    std::error_code ec;
    const fs::file_status copy = fs::symlink_status(set.dataCopy(), ec);
    if (ec || !fs::is_directory(copy)) {
        return SetState::NoDataCopy;
    }
    fs::directory_iterator readable(set.dataCopy(), ec);
    return ec ? SetState::NoDataCopy : SetState::Whole;
}

RestoreResult restoreBackupSet(platform::Registry& registry, const platform::Paths& paths,
                               const BackupSet& set, const BackupProgress& progress) {
    RestoreResult result;
    platform::RegistryTree scratch;
    const std::optional<std::string> bytes = platform::readFile(set.settingsFile());
    if (!bytes || !platform::readRegFile(*bytes, {&scratch, nullptr})) {
        result.failed = set.settingsFile();
        return result;
    }
    // Only the program's own key: a set from elsewhere must not change other settings
    // (the handheld software's folders among them).
    const std::string root = platform::settings::root();
    const bool merged =
        registry.update(platform::Hive::CurrentUser, [&](platform::RegistryTree& t) {
            scratch.forEachKey(root, [&](const platform::RegistryTree::KeyView& key) {
                t.createKey(key.path);
                for (const auto& [name, value] : key.values) {
                    t.setValue(key.path, name, value);
                }
            });
        });
    if (!merged) {
        result.failed = registry.hiveFile(platform::Hive::CurrentUser);
        return result;
    }

    const fs::path data = paths.dataFolder();
    if (!platform::createPrivateFolders(data)) {
        result.failed = data;
        return result;
    }
    const std::vector<fs::path> files = filesUnder(set.dataCopy(), &result.skipped);
    const int total = static_cast<int>(files.size());
    int done = 0;
    for (const fs::path& file : files) {
        if (progress) {
            progress(done, total);
        }
        ++done;
        if (!staysInside(data, file)) {
            ++result.skipped;
            continue;
        }
        if (!copyPrivately(set.dataCopy() / file, data / file)) {
            result.failed = data / file;
            return result;
        }
        ++result.files;
    }
    if (progress) {
        progress(total, total);
    }
    return result;
}

std::vector<fs::path> removableMedia(const std::vector<fs::path>& roots) {
    std::vector<fs::path> found;
    for (const fs::path& root : roots) {
        std::error_code ec;
        for (fs::directory_iterator it(root, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            if (it->is_directory(ec)) {
                found.push_back(it->path());
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<fs::path> removableMediaRoots(const std::string& loginName) {
    // A name that is not one folder would lead elsewhere.
    if (loginName.empty() || loginName == "." || loginName == ".." ||
        loginName.find('/') != std::string::npos) {
        return {};
    }
    return {fs::path("/media") / loginName, fs::path("/run/media") / loginName};
}

bool isUsableBackupFolder(const fs::path& folder, const platform::Paths& paths) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec) ||
        ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return false;
    }
    const fs::path inside = fs::weakly_canonical(folder, ec);
    const fs::path data = fs::weakly_canonical(paths.dataFolder(), ec);
    const auto [d, i] = std::mismatch(data.begin(), data.end(), inside.begin(), inside.end());
    return d != data.end();
}

std::string insertMediumPrompt(const fs::path& folder) {
    return "Veuillez introduire le support de sauvegarde du dossier " + quoted(folder) + ".";
}

std::string noMediumMessage(const fs::path& folder) {
    return "Il n'y a pas de dossier " + quoted(folder) +
           " ou celui-ci n'est pas accessible en écriture.";
}

std::string cannotWriteBackupMessage(const fs::path& folder) {
    return "Impossible d'écrire dans le dossier " + quoted(folder) +
           ". Vérifiez que celui-ci n'est pas plein et qu'il n'est pas protégé contre "
           "l'écriture.";
}

std::string missingSettingsFileMessage(const fs::path& file) {
    return "Impossible de restaurer car le fichier " + quoted(file) + " est introuvable.";
}

std::string unreadableSettingsFileMessage(const fs::path& file) {
    return "Impossible de restaurer car le fichier " + quoted(file) + " est illisible.";
}

std::string missingDataCopyMessage(const fs::path& folder) {
    return "Le répertoire " + quoted(folder) + " est introuvable.";
}

std::string restoreQuestion(const std::string& date, const fs::path& folder) {
    return "La sauvegarde date du " + date +
           ". Confirmez-vous l'importation de tous les fichiers depuis le dossier " +
           quoted(folder) + " ?";
}

std::string fileDate(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        return {};
    }
    std::tm local{};
    if (::localtime_r(&st.st_mtime, &local) == nullptr) {
        return {};
    }
    return formatDate(Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

BackupCommands::BackupCommands(BackupServices services) : services_(std::move(services)) {}

std::optional<fs::path> BackupCommands::askFolder(const char* caption, std::string& cheminBackup) {
    const std::vector<fs::path> removable = removableMedia(services_.removableRoots);
    fs::path proposed = cheminBackup;
    if (proposed.empty() && !removable.empty()) {
        proposed = removable.front();
    }
    const std::optional<fs::path> chosen =
        services_.forms.chooseBackupFolder(caption, proposed, removable);
    if (!chosen) {
        return std::nullopt;
    }
    cheminBackup = chosen->string();
    platform::Dialogs& d = services_.dialogs;
    if (d.message(platform::MessageKind::Information, insertMediumPrompt(*chosen),
                  platform::Buttons::OkCancel) != platform::Reply::Ok) {
        return std::nullopt;
    }
    while (!isUsableBackupFolder(*chosen, services_.paths)) {
        services_.forms.beep();
        if (d.message(platform::MessageKind::Error, noMediumMessage(*chosen),
                      platform::Buttons::OkCancel) != platform::Reply::Ok) {
            return std::nullopt;
        }
    }
    return chosen;
}

bool BackupCommands::backup(std::string& cheminBackup, const std::function<bool()>& saveAll,
                            const BackupProgress& progress) {
    const std::optional<fs::path> folder = askFolder(kBackupCaption, cheminBackup);
    if (!folder || (saveAll && !saveAll())) {
        return false;
    }
    if (writeBackupSet(services_.registry, services_.paths, *folder, progress)) {
        services_.dialogs.fail(cannotWriteBackupMessage(*folder));
        return false;
    }
    services_.dialogs.inform(kBackupDone);
    return true;
}

bool BackupCommands::restore(std::string& cheminBackup, AccountSession& session,
                             AutoSaveTimer& timer, const BackupProgress& progress) {
    const AutoSavePause pause(timer);
    const std::optional<fs::path> folder = askFolder(kRestoreCaption, cheminBackup);
    if (!folder) {
        return false;
    }
    platform::Dialogs& d = services_.dialogs;
    const BackupSet set{*folder};
    switch (checkBackupSet(set)) {
    case SetState::NoSettingsFile:
        d.fail(missingSettingsFileMessage(set.settingsFile()));
        return false;
    case SetState::UnreadableSettingsFile:
        d.fail(unreadableSettingsFileMessage(set.settingsFile()));
        return false;
    case SetState::NoDataCopy:
        d.fail(missingDataCopyMessage(set.dataCopy()));
        return false;
    case SetState::Whole:
        break;
    }
    if (!d.confirm(restoreQuestion(fileDate(set.settingsFile()), *folder))) {
        return false;
    }
    const RestoreResult result =
        restoreBackupSet(services_.registry, services_.paths, set, progress);
    if (result.failed &&
        *result.failed == services_.registry.hiveFile(platform::Hive::CurrentUser)) {
        d.fail(settingsSaveError(services_.registry));
        return false;
    }
    if (result.failed) {
        d.fail(cannotCreateMessage(*result.failed));
    }
    if (session.isOpen()) {
        std::error_code ec;
        if (fs::exists(session.accountFile(session.account()), ec)) {
            session.load(session.account());
        } else {
            session.close();
        }
    }
    if (result.failed) {
        return false;
    }
    d.inform(kRestoreDone);
    return true;
}

void offerBackupAtClose(bool accountOpen, bool& noBackupPrompt, BackupOfferForm& form,
                        const std::function<void()>& backup) {
    if (!accountOpen || noBackupPrompt) {
        return;
    }
    const BackupOfferReply reply = form.offerBackup();
    if (reply.backup && backup) {
        backup();
    }
    noBackupPrompt = reply.dontShowAgain;
}

} // namespace ledgora
