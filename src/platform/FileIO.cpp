#include "platform/FileIO.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::string_view kTemporaryTag = ".ledgora-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string randomSuffix() {
    thread_local std::mt19937_64 generator{std::random_device{}() ^
                                           static_cast<std::uint64_t>(::getpid())};
    std::string out;
    for (std::size_t i = 0; i < kRandomLength; ++i) {
        out.push_back(kAlphabet[generator() % kAlphabet.size()]);
    }
    return out;
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The mode of the new file: never more than the file it replaces allowed to others, and
// always readable and writable by its owner, who is the program's user.
mode_t modeFor(const std::filesystem::path& path, FileAccess access, int fd) {
    if (access == FileAccess::Private) {
        return 0600;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return (st.st_mode & 0666) | 0600;
    }
    // A new shared file: the mode open() gave it, that is 0666 less the umask.
    if (::fstat(fd, &st) == 0) {
        return (st.st_mode & 0666) | 0600;
    }
    return 0600;
}

void syncFolder(const std::filesystem::path& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

FileRead tryReadFile(const std::filesystem::path& path) {
    FileRead result;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? FileRead::Status::Missing
                                                            : FileRead::Status::Failed;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = FileRead::Status::NotRegular;
        return result;
    }
    // Non-blocking, so that a FIFO put in the file's place between the two looks is not
    // waited on; fstat then tells what was really opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status = errno == ENOENT ? FileRead::Status::Missing : FileRead::Status::Failed;
        return result;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = FileRead::Status::NotRegular;
        return result;
    }
    if (st.st_size > 0) {
        result.bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            result.bytes.clear();
            result.status = FileRead::Status::Failed;
            return result;
        }
        if (n == 0) {
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    result.status = FileRead::Status::Ok;
    return result;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    FileRead read = tryReadFile(path);
    if (!read.ok()) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

bool isTemporaryFileName(std::string_view name) {
    if (name.size() < 1 + kTemporaryTag.size() + kRandomLength + 1 || name.front() != '.') {
        return false;
    }
    const std::size_t tag = name.size() - kRandomLength - kTemporaryTag.size();
    if (name.substr(tag, kTemporaryTag.size()) != kTemporaryTag) {
        return false;
    }
    return name.substr(name.size() - kRandomLength).find_first_not_of(kAlphabet) ==
           std::string_view::npos;
}

void removeStaleTemporaryFiles(const std::filesystem::path& folder, int minimumAgeSeconds) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryFileName(entry->d_name)) {
            continue;
        }
        const int fd = ::openat(dirFd, entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        // A writer holds its temporary file locked from the moment it creates it until the
        // rename; one that can be locked and has not changed for a while lost its writer.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            st.st_mtim.tv_sec + minimumAgeSeconds <= now.tv_sec &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         FileAccess access) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    removeStaleTemporaryFiles(folder);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = (folder /
                     ("." + path.filename().string() + std::string(kTemporaryTag) + randomSuffix()))
                        .string();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    access == FileAccess::Private ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    // Held until the rename, so that a cleaner never takes a file still being written.
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    bool ok = writeAll(fd, bytes);
    ok = ok && ::fchmod(fd, modeFor(path, access, fd)) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    ::close(fd); // the bytes are on disk: fsync said so
    if (ok) {
        syncFolder(folder);
    }
    return ok;
}

bool createPrivateFolders(const std::filesystem::path& folder) {
    std::filesystem::path at;
    for (const auto& part : folder) {
        at /= part;
        if (part.empty() || at == at.root_path()) {
            continue;
        }
        if (::mkdir(at.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return false;
    }
    if ((st.st_mode & 077) != 0) {
        ::chmod(folder.c_str(), st.st_mode & 07700);
    }
    return true;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

} // namespace platform
