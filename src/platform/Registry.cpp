#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileIO.h"

namespace platform {
namespace {

// Holds an exclusive lock on the hive's lock file for the life of the object.
class HiveLock {
public:
    explicit HiveLock(const std::filesystem::path& file) {
        createPrivateFolders(file.parent_path());
        // Never through a symbolic link: whoever planted one would have us create or lock
        // a file of their choosing.
        fd_ = ::open((file.string() + ".lock").c_str(),
                     O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~HiveLock() {
        if (fd_ >= 0) {
            ::flock(fd_, LOCK_UN);
            ::close(fd_);
        }
    }
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// "HKEY_CURRENT_USER.illisible.reg", then "-2", "-3" ... beside the hive file.
std::filesystem::path asideName(const std::filesystem::path& file) {
    const std::string stem = file.stem().string() + ".illisible";
    std::filesystem::path aside = file.parent_path() / (stem + ".reg");
    std::error_code ec;
    for (int n = 2; std::filesystem::symlink_status(aside, ec).type() !=
                        std::filesystem::file_type::not_found &&
                    n < 1000;
         ++n) {
        aside = file.parent_path() / (stem + "-" + std::to_string(n) + ".reg");
    }
    return aside;
}

} // namespace

std::optional<long long> parseSettingsInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    long long v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (v > (0x7fffffffLL + 1) / 10) {
            return std::nullopt;
        }
        v = v * 10 + (c - '0');
    }
    v = negative ? -v : v;
    if (v > 0x7fffffffLL || v < -0x80000000LL) {
        return std::nullopt;
    }
    return v;
}

Registry::Registry(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path Registry::hiveFile(Hive hive) const {
    return folder_ / (std::string(hiveName(hive)) + ".reg");
}

Registry::FileStamp Registry::stampOf(Hive hive) const {
    struct stat st {};
    if (::stat(hiveFile(hive).c_str(), &st) != 0) {
        return {};
    }
    return {static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<long long>(st.st_size), static_cast<unsigned long long>(st.st_ino)};
}

void Registry::reload(Hive hive, bool locked) const {
    HiveState& state = hives_[index(hive)];
    const FileStamp stamp = stampOf(hive);
    if (stamp == state.stamp) {
        return;
    }
    const FileRead read = tryReadFile(hiveFile(hive));
    RegistryTree tree;
    std::string problem;
    if (read.ok() && !read.bytes.empty()) {
        RegFileTargets targets;
        (hive == Hive::CurrentUser ? targets.currentUser : targets.classesRoot) = &tree;
        const RegFileReport report = readRegFile(read.bytes, targets);
        if (!report) {
            problem = "n'a pas pu être lu";
        } else if (report.keysRefused > 0) {
            problem = "contient " + std::to_string(report.keysRefused) +
                      " clé(s) trop longue(s) ou trop profonde(s), qui ont été ignorées";
        }
    } else if (!read.ok() && read.status != FileRead::Status::Missing) {
        problem = "n'a pas pu être lu";
    }
    if (problem.empty()) {
        state.tree = std::move(tree);
        state.stamp = stamp;
        state.writable = true;
        return;
    }
    if (!locked) {
        // Set aside under the lock, after another look: another process may have done so.
        HiveLock lock(hiveFile(hive));
        if (lock.held()) {
            reload(hive, true);
            return;
        }
    }
    setAside(hive, std::move(tree), problem);
}

void Registry::setAside(Hive hive, RegistryTree readable, const std::string& why) const {
    HiveState& state = hives_[index(hive)];
    const std::filesystem::path file = hiveFile(hive);
    const std::filesystem::path aside = asideName(file);
    state.tree = std::move(readable);
    const std::string start = "Le fichier des réglages \"" + file.string() + "\" " + why;
    if (::rename(file.c_str(), aside.c_str()) == 0) {
        // It holds the password codes too: the user's alone, whatever an earlier version left.
        struct stat st {};
        if (::lstat(aside.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            ::chmod(aside.c_str(), st.st_mode & 0600);
        }
        state.writable = true;
        // What could be read becomes the hive at once, so that it is there at the next start
        // even if nothing is saved before.
        save(hive);
        notices_.push_back(start + ". Il a été mis de côté sous le nom \"" + aside.string() +
                           "\" ; Ledgora continue avec ce qui a pu en être lu.");
        return;
    }
    state.writable = false;
    state.stamp = stampOf(hive);
    notices_.push_back(start + ", et n'a pas pu être mis de côté : Ledgora ne le remplacera "
                               "pas, et les réglages modifiés ne seront pas enregistrés.");
}

const RegistryTree& Registry::fresh(Hive hive) const {
    reload(hive, false);
    return hives_[index(hive)].tree;
}

bool Registry::save(Hive hive) const {
    HiveState& state = hives_[index(hive)];
    if (!state.writable) {
        return false;
    }
    createPrivateFolders(folder_);
    if (!writeFileAtomically(hiveFile(hive), writeRegFile(state.tree, hive))) {
        state.stamp = {}; // reread what is really on disk next time
        return false;
    }
    state.stamp = stampOf(hive);
    return true;
}

bool Registry::update(Hive hive, const std::function<void(RegistryTree&)>& change) {
    HiveLock lock(hiveFile(hive));
    if (!lock.held()) {
        return false;
    }
    reload(hive, true);
    if (!hives_[index(hive)].writable) {
        return false;
    }
    change(hives_[index(hive)].tree);
    return save(hive);
}

std::vector<std::string> Registry::takeNotices() {
    std::vector<std::string> out;
    out.swap(notices_);
    return out;
}

std::optional<RegistryValue> Registry::value(Hive hive, std::string_view key,
                                             std::string_view name) const {
    const RegistryValue* v = fresh(hive).value(key, name);
    return v != nullptr ? std::optional<RegistryValue>(*v) : std::nullopt;
}

std::string Registry::readString(Hive hive, std::string_view key, std::string_view name,
                                 std::string_view fallback) const {
    const RegistryValue* v = fresh(hive).value(key, name);
    if (v == nullptr) {
        return std::string(fallback);
    }
    if (v->type == RegistryValue::Type::Dword) {
        return std::to_string(v->dword);
    }
    return v->text;
}

int Registry::readInteger(Hive hive, std::string_view key, std::string_view name,
                          int fallback) const {
    const RegistryValue* v = fresh(hive).value(key, name);
    if (v == nullptr) {
        return fallback;
    }
    if (v->type == RegistryValue::Type::Dword) {
        return static_cast<int>(v->dword);
    }
    if (v->type != RegistryValue::Type::String) {
        return fallback;
    }
    const auto parsed = parseSettingsInteger(v->text);
    return parsed ? static_cast<int>(*parsed) : fallback;
}

bool Registry::readBool(Hive hive, std::string_view key, std::string_view name,
                        bool fallback) const {
    return readInteger(hive, key, name, fallback ? 1 : 0) != 0;
}

bool Registry::keyExists(Hive hive, std::string_view key) const {
    return fresh(hive).keyExists(key);
}

std::vector<std::string> Registry::subKeys(Hive hive, std::string_view key) const {
    return fresh(hive).subKeys(key);
}

std::vector<std::string> Registry::valueNames(Hive hive, std::string_view key) const {
    return fresh(hive).valueNames(key);
}

bool Registry::writeString(Hive hive, std::string_view key, std::string_view name,
                           std::string_view text) {
    bool accepted = false;
    const bool saved = update(hive, [&](RegistryTree& t) {
        accepted = t.setValue(key, name, RegistryValue::string(std::string(text)));
    });
    return saved && accepted;
}

bool Registry::writeInteger(Hive hive, std::string_view key, std::string_view name, long long v) {
    return writeString(hive, key, name, std::to_string(v));
}

bool Registry::writeBool(Hive hive, std::string_view key, std::string_view name, bool v) {
    return writeString(hive, key, name, v ? "1" : "0");
}

bool Registry::writeDword(Hive hive, std::string_view key, std::string_view name, std::uint32_t v) {
    bool accepted = false;
    const bool saved = update(
        hive, [&](RegistryTree& t) { accepted = t.setValue(key, name, RegistryValue::number(v)); });
    return saved && accepted;
}

bool Registry::createKey(Hive hive, std::string_view key) {
    bool accepted = false;
    const bool saved = update(hive, [&](RegistryTree& t) { accepted = t.createKey(key); });
    return saved && accepted;
}

bool Registry::eraseKey(Hive hive, std::string_view key) {
    return update(hive, [&](RegistryTree& t) { t.eraseKey(key); });
}

bool Registry::eraseValue(Hive hive, std::string_view key, std::string_view name) {
    return update(hive, [&](RegistryTree& t) { t.eraseValue(key, name); });
}

bool Registry::exportKey(Hive hive, std::string_view key, const std::filesystem::path& file) const {
    return writeFileAtomically(file, writeRegFile(fresh(hive), hive, key));
}

bool Registry::importFile(const std::filesystem::path& file) {
    const auto bytes = readFile(file);
    if (!bytes) {
        return false;
    }
    {
        RegistryTree probe;
        const RegFileReport report = readRegFile(*bytes, {&probe, &probe});
        if (!report || report.keysRefused > 0) {
            return false;
        }
    }
    bool ok = true;
    for (Hive hive : {Hive::CurrentUser, Hive::ClassesRoot}) {
        ok = update(hive,
                    [&](RegistryTree& t) {
                        RegFileTargets targets;
                        (hive == Hive::CurrentUser ? targets.currentUser : targets.classesRoot) =
                            &t;
                        readRegFile(*bytes, targets);
                    }) &&
             ok;
    }
    return ok;
}

} // namespace platform
