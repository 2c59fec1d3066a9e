#include "register/SaveJournal.h"

#include <charconv>
#include <cstdio>

#include "platform/FileIO.h"
#include "platform/Paths.h"
#include "register/GridTextFormat.h"

namespace ledgora {
namespace {

constexpr std::string_view kHeader = "LEDGORA-JOURNAL 1";
constexpr std::string_view kAccount = "account ";
constexpr std::string_view kValue = "value ";
constexpr std::string_view kFile = "file ";
// Journals of earlier versions ended with the planning file's bytes alone.
constexpr std::string_view kPlanning = "planning ";

// Takes the next line (up to CR LF) off `rest`; nothing when there is no line end.
std::optional<std::string_view> takeLine(std::string_view& rest) {
    const std::size_t end = rest.find("\r\n");
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 2);
    return line;
}

template <typename T> std::optional<T> number(std::string_view s, int base = 10) {
    T v{};
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || s.empty()) {
        return std::nullopt;
    }
    return v;
}

// The name a journal of an earlier version's planning record is read under: no file name
// can be this (see isJournalFileName).
constexpr std::string_view kPlanningRecord = "/planning";

bool isOneLine(std::string_view s) {
    return s.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

bool SaveJournal::describes(std::string_view accountBytes) const {
    return accountBytes.size() == accountSize &&
           accountDigest == ledgora::accountDigest(accountBytes);
}

std::filesystem::path saveJournalFile(const std::filesystem::path& accountFile) {
    std::filesystem::path journal = accountFile;
    journal += ".journal";
    return journal;
}

std::uint64_t accountDigest(std::string_view bytes) {
    // FNV-1a: it only has to tell the file a save wrote from the one it replaced.
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return h;
}

std::string writeSaveJournal(const SaveJournal& journal) {
    std::string out(kHeader);
    char digest[24];
    std::snprintf(digest, sizeof digest, "%016llx",
                  static_cast<unsigned long long>(journal.accountDigest));
    out += "\r\n" + std::string(kAccount) + std::to_string(journal.accountSize) + " " + digest +
           "\r\n";
    for (const auto& [name, value] : journal.values) {
        out += std::string(kValue) + name + "=" + value + "\r\n";
    }
    for (const auto& [name, bytes] : journal.files) {
        out += std::string(kFile) + std::to_string(bytes.size()) + " " + name + "\r\n";
        out += bytes;
    }
    return out;
}

std::optional<SaveJournal> readSaveJournal(std::string_view bytes) {
    SaveJournal journal;
    std::string_view rest = bytes;
    if (takeLine(rest) != kHeader) {
        return std::nullopt;
    }
    const auto account = takeLine(rest);
    if (!account || account->substr(0, kAccount.size()) != kAccount) {
        return std::nullopt;
    }
    const std::string_view fields = account->substr(kAccount.size());
    const std::size_t space = fields.find(' ');
    const auto size = number<std::uint64_t>(fields.substr(0, space));
    const auto digest = space == std::string_view::npos
                            ? std::nullopt
                            : number<std::uint64_t>(fields.substr(space + 1), 16);
    if (!size || !digest) {
        return std::nullopt;
    }
    journal.accountSize = *size;
    journal.accountDigest = *digest;
    while (!rest.empty()) {
        const auto line = takeLine(rest);
        if (!line) {
            return std::nullopt;
        }
        if (line->substr(0, kValue.size()) == kValue) {
            const std::string_view pair = line->substr(kValue.size());
            const std::size_t eq = pair.find('=');
            if (eq == std::string_view::npos || eq == 0) {
                return std::nullopt;
            }
            journal.values.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
            continue;
        }
        if (line->substr(0, kFile.size()) == kFile) {
            const std::string_view fields = line->substr(kFile.size());
            const std::size_t space = fields.find(' ');
            const auto length = number<std::size_t>(fields.substr(0, space));
            if (!length || space == std::string_view::npos || *length > rest.size() ||
                !isJournalFileName(fields.substr(space + 1))) {
                return std::nullopt;
            }
            journal.files.emplace_back(fields.substr(space + 1), rest.substr(0, *length));
            rest.remove_prefix(*length);
            continue;
        }
        if (line->substr(0, kPlanning.size()) == kPlanning) {
            const auto length = number<std::size_t>(line->substr(kPlanning.size()));
            if (!length || *length != rest.size()) {
                return std::nullopt;
            }
            journal.files.emplace_back(std::string(kPlanningRecord), std::string(rest));
            return journal;
        }
        return std::nullopt;
    }
    return journal;
}

bool isJournalFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\r\n\0", 4)) == std::string_view::npos;
}

bool writeJournalValues(platform::Registry& registry, const std::string& key,
                        const SaveJournal& journal) {
    bool accepted = true;
    const bool saved = registry.update(platform::Hive::CurrentUser, [&](platform::RegistryTree& t) {
        for (const auto& [name, value] : journal.values) {
            accepted = isOneLine(value) &&
                       t.setValue(key, name, platform::RegistryValue::string(value)) && accepted;
        }
    });
    return saved && accepted;
}

std::optional<std::string> finishInterruptedSave(platform::Registry& registry,
                                                 const std::string& key,
                                                 const std::filesystem::path& accountFile) {
    const std::filesystem::path file = saveJournalFile(accountFile);
    const platform::FileRead read = platform::tryReadFile(file);
    if (read.status == platform::FileRead::Status::Missing) {
        return std::nullopt;
    }
    std::error_code ec;
    const std::optional<SaveJournal> journal =
        read.ok() ? readSaveJournal(read.bytes) : std::nullopt;
    const std::optional<std::string> account =
        journal ? platform::readFile(accountFile) : std::nullopt;
    if (!journal || !account || !journal->describes(*account)) {
        // The crash came before the account file was replaced: file, planning and values
        // are all still the previous save's.
        std::filesystem::remove(file, ec);
        return std::nullopt;
    }
    for (const auto& [name, bytes] : journal->files) {
        std::filesystem::path target = accountFile.parent_path() / name;
        if (name == kPlanningRecord) {
            target = accountFile;
            target.replace_extension(platform::kPlanningExtension);
        }
        if (platform::readFile(target) != bytes && !platform::writeFileAtomically(target, bytes)) {
            return cannotCreateMessage(target);
        }
    }
    if (!writeJournalValues(registry, key, *journal)) {
        return settingsSaveError(registry);
    }
    std::filesystem::remove(file, ec);
    return std::nullopt;
}

} // namespace ledgora
