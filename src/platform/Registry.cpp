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
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        fd_ = ::open((file.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
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

void Registry::reload(Hive hive) const {
    HiveState& state = hives_[index(hive)];
    const FileStamp stamp = stampOf(hive);
    if (stamp == state.stamp) {
        return;
    }
    RegistryTree tree;
    if (auto bytes = readFile(hiveFile(hive))) {
        RegFileTargets targets;
        (hive == Hive::CurrentUser ? targets.currentUser : targets.classesRoot) = &tree;
        readRegFile(*bytes, targets);
    }
    state.tree = std::move(tree);
    state.stamp = stamp;
}

const RegistryTree& Registry::fresh(Hive hive) const {
    reload(hive);
    return hives_[index(hive)].tree;
}

bool Registry::save(Hive hive) {
    HiveState& state = hives_[index(hive)];
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
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
    reload(hive);
    change(hives_[index(hive)].tree);
    return save(hive);
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
    return update(hive, [&](RegistryTree& t) {
        t.setValue(key, name, RegistryValue::string(std::string(text)));
    });
}

bool Registry::writeInteger(Hive hive, std::string_view key, std::string_view name, long long v) {
    return writeString(hive, key, name, std::to_string(v));
}

bool Registry::writeBool(Hive hive, std::string_view key, std::string_view name, bool v) {
    return writeString(hive, key, name, v ? "1" : "0");
}

bool Registry::writeDword(Hive hive, std::string_view key, std::string_view name, std::uint32_t v) {
    return update(hive, [&](RegistryTree& t) { t.setValue(key, name, RegistryValue::number(v)); });
}

bool Registry::createKey(Hive hive, std::string_view key) {
    return update(hive, [&](RegistryTree& t) { t.createKey(key); });
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
        if (!readRegFile(*bytes, {&probe, &probe})) {
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
