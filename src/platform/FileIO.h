// Whole-file reads and atomic whole-file writes, the user's own folders, and the line
// splitting shared by every text format of the product. Files are bytes here; code pages
// are Cp1252's job. Only regular files are read: a FIFO or a device is refused, never waited on.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FileRead {
    enum class Status { Ok, Missing, NotRegular, Failed };
    Status status = Status::Failed;
    std::string bytes;
    bool ok() const { return status == Status::Ok; }
};

// The file's bytes, and why there are none: no such file, not a regular file (a folder,
// a FIFO, a device), or an error while opening or reading it.
FileRead tryReadFile(const std::filesystem::path& path);

// The file's bytes, or nothing when it cannot be opened or read or is not a regular file.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Who may read a file the program writes. Private: the user alone (0600), for everything
// under the data folder and the settings. Shared: a new file gets the usual permissions
// (0666 less the umask), a replaced one keeps its own.
enum class FileAccess { Private, Shared };

// Writes the bytes to a temporary file in the same folder, flushes it to disk and renames
// it over `path`. Returns false when any step fails; the previous file is then untouched.
// The mode never grants more than the file it replaces had; the temporary files that
// killed saves left in the folder are removed first.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         FileAccess access = FileAccess::Private);

// Creates the folder and its missing parents for the user alone (0700), and takes group
// and other rights off the folder itself when it already exists. True when it is a folder.
bool createPrivateFolders(const std::filesystem::path& folder);

// Removes the temporary files of writeFileAtomically() in `folder` whose writer is gone
// (no lock held) and which are older than `minimumAgeSeconds`.
void removeStaleTemporaryFiles(const std::filesystem::path& folder, int minimumAgeSeconds = 30);

// Whether `name` is one of writeFileAtomically()'s temporary file names.
bool isTemporaryFileName(std::string_view name);

// Splits text into lines ended by CR LF, CR or LF. A last line without an end counts;
// text ending with a line end has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text);

// Calls `line` for each line of `text` as splitLines() cuts them, without building a list.
template <typename F> void forEachLine(std::string_view text, F&& line) {
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        line(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
}

} // namespace platform
