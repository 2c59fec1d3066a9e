// Backup and restore of all the data: the data folder tree and the settings subtree, to
// and from a backup set in a folder the user chooses (removable media offered first,
// "CheminBackup" remembered). A set is the settings file "Ledgora.reg" beside the copy
// "Ledgora/" of the data folder. A backup is built beside the set and put in place whole;
// a restore takes only a whole set and never writes outside the data folder. Sets, like
// the data folder, are the user's alone (folders 0700, files 0600).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/AutoSave.h"

namespace ledgora {

class AccountSession;

// The backup set held in `folder`.
struct BackupSet {
    std::filesystem::path folder;
    std::filesystem::path settingsFile() const; // folder/Ledgora.reg
    std::filesystem::path dataCopy() const;     // folder/Ledgora
};

// Told after each file copied: files done, files to do.
using BackupProgress = std::function<void(int done, int total)>;

// Writes a new set into `folder`: the data folder's files (not the temporary files of an
// unfinished save nor lock files; links are not followed) and the settings subtree, built
// in a temporary folder in `folder` and then put in the place of the previous set. A
// backup that stops half-way leaves the previous set as it was. Nothing on success, else
// the file or folder that could not be written.
std::optional<std::filesystem::path> writeBackupSet(const platform::Registry& registry,
                                                    const platform::Paths& paths,
                                                    const std::filesystem::path& folder,
                                                    const BackupProgress& progress = {});

// Whether the set is whole: its settings file is a readable registry file and its data
// copy a readable folder.
enum class SetState { Whole, NoSettingsFile, UnreadableSettingsFile, NoDataCopy };
SetState checkBackupSet(const BackupSet& set);

struct RestoreResult {
    int files = 0;   // copied into the data folder
    int skipped = 0; // links, and paths that would leave the data folder
    // What could not be written (a hive file or a file of the data folder); the restore
    // stopped there.
    std::optional<std::filesystem::path> failed;
};

// Restores a whole set (check it first): the settings under the program's own key are
// merged into the registry, then the data copy's files are copied into the data folder,
// replacing those of the same name. Entries that are links, or whose path would lead out
// of the data folder (through "..", or a link in the data folder), are skipped.
RestoreResult restoreBackupSet(platform::Registry& registry, const platform::Paths& paths,
                               const BackupSet& set, const BackupProgress& progress = {});

// The folders of mounted removable media: the folders under each of `roots`
// (/media/<user>, /run/media/<user>), in alphabetical order.
std::vector<std::filesystem::path> removableMedia(const std::vector<std::filesystem::path>& roots);
// /media/<loginName> and /run/media/<loginName>; none for an empty name.
std::vector<std::filesystem::path> removableMediaRoots(const std::string& loginName);

// Where a backup folder may be: an existing folder the user may write into, outside the
// data folder (a set inside it would be copied into itself).
bool isUsableBackupFolder(const std::filesystem::path& folder, const platform::Paths& paths);

// The forms of the backup commands.
class BackupForms {
public:
    virtual ~BackupForms() = default;
    // The folder of the set: `proposed` preselected, the removable media offered first.
    // Nothing when cancelled.
    virtual std::optional<std::filesystem::path>
    chooseBackupFolder(const std::string& caption, const std::filesystem::path& proposed,
                       const std::vector<std::filesystem::path>& removable) = 0;
    // The error beep before "the folder cannot be used".
    virtual void beep() = 0;
};

// Messages of the backup commands. The floppy disk of the product's wording is the chosen
// folder here.
std::string insertMediumPrompt(const std::filesystem::path& folder);
std::string noMediumMessage(const std::filesystem::path& folder);
std::string cannotWriteBackupMessage(const std::filesystem::path& folder);
std::string missingSettingsFileMessage(const std::filesystem::path& file);
std::string unreadableSettingsFileMessage(const std::filesystem::path& file);
std::string missingDataCopyMessage(const std::filesystem::path& folder);
std::string restoreQuestion(const std::string& date, const std::filesystem::path& folder);
inline constexpr const char* kBackupDone = "Sauvegarde effectuée.";
inline constexpr const char* kRestoreDone = "Restauration effectuée.";
inline constexpr const char* kBackupCaption = "Faire une copie de sauvegarde";
inline constexpr const char* kRestoreCaption = "Restaurer une copie de sauvegarde";

struct BackupServices {
    platform::Registry& registry;
    const platform::Paths& paths;
    platform::Dialogs& dialogs;
    BackupForms& forms;
    std::vector<std::filesystem::path> removableRoots = removableMediaRoots(paths.loginName());
};

// The two commands of the "&Compte" menu, with their questions.
class BackupCommands {
public:
    explicit BackupCommands(BackupServices services);

    // "Faire une copie de sauvegarde...": the folder (which becomes `cheminBackup`), the
    // prompt, the folder test; then `saveAll` saves the settings, the lists and the open
    // account (false: it told why, and nothing is copied); then the set is written.
    // True when the set was written and "Sauvegarde effectuée." shown.
    bool backup(std::string& cheminBackup, const std::function<bool()>& saveAll,
                const BackupProgress& progress = {});

    // "Restaurer une copie de sauvegarde...", with the autosave timer stopped until it
    // ends: the folder, the prompt, the folder test, the set checked whole, the date
    // question; then the set restored and the open account loaded again (or closed when
    // the set has no file for it). True when "Restauration effectuée." was shown.
    bool restore(std::string& cheminBackup, AccountSession& session, AutoSaveTimer& timer,
                 const BackupProgress& progress = {});

private:
    // The folder chosen, prompted for and tested; nothing when the user gave up.
    std::optional<std::filesystem::path> askFolder(const char* caption, std::string& cheminBackup);

    BackupServices services_;
};

// The backup offered when the program closes: "Oui" or "Non", and the box "Ne plus
// montrer cette fenêtre".
struct BackupOfferReply {
    bool backup = false;
    bool dontShowAgain = false;
};
class BackupOfferForm {
public:
    virtual ~BackupOfferForm() = default;
    virtual BackupOfferReply offerBackup() = 0;
};

// At closing: the offer is shown only while an account is open and `noBackupPrompt` is
// false; "Oui" runs `backup`; afterwards `noBackupPrompt` takes the state of the box.
void offerBackupAtClose(bool accountOpen, bool& noBackupPrompt, BackupOfferForm& form,
                        const std::function<void()>& backup);

// The day a file was last written, "dd/mm/yyyy" in local time; empty when unknown.
std::string fileDate(const std::filesystem::path& file);

} // namespace ledgora
