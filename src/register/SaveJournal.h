// An account's save writes the account file, its parts' files (the planning) and the
// account's values in the settings store one after the other; a crash between them would
// leave a register in euros beside settings in francs. So the save first writes a journal
// beside the account file (the new values, the parts' new file bytes and the digest of the
// new account file) and removes it once everything is written. Whoever next reads the account
// finishes the journal when the account file is the one it describes, or drops it when the crash
// came before that file was replaced: either way file, planning and values agree again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace ledgora {

struct SaveJournal {
    std::uint64_t accountSize = 0;
    std::uint64_t accountDigest = 0;
    // The parts' files of the account's folder, by name, with their new bytes.
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::pair<std::string, std::string>> values; // of the account's settings key

    // True when `accountBytes` are the account file this journal was written for.
    bool describes(std::string_view accountBytes) const;
};

// "<account>.ldg.journal", beside the account file (not an account: not a ".ldg" file).
std::filesystem::path saveJournalFile(const std::filesystem::path& accountFile);

// A digest of the account file's bytes, to tell the new file from the old one.
std::uint64_t accountDigest(std::string_view bytes);

std::string writeSaveJournal(const SaveJournal& journal);
// Nothing when the bytes are not a whole journal.
std::optional<SaveJournal> readSaveJournal(std::string_view bytes);

// Writes the journal's values under `key`, in one locked save.
bool writeJournalValues(platform::Registry& registry, const std::string& key,
                        const SaveJournal& journal);

// Whether `name` may name a file of the account's folder in a journal: a plain file name.
bool isJournalFileName(std::string_view name);

// Finishes or drops the journal an interrupted save left beside `accountFile`. Nothing
// when the account can now be read as saved, else the message to show: the values or a
// part's file could not be written, and the journal stays for the next try.
std::optional<std::string> finishInterruptedSave(platform::Registry& registry,
                                                 const std::string& key,
                                                 const std::filesystem::path& accountFile);

} // namespace ledgora
