#include "platform/RunProgram.h"

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

std::optional<int> runProgram(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::filesystem::path& workingFolder) {
    // Everything the child needs is made before the fork: between fork and exec only
    // async-signal-safe calls are allowed.
    const std::string file = program.string();
    const std::string folder = workingFolder.string();
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.push_back(file);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0) {
        return std::nullopt;
    }
    if (child == 0) {
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::execv(file.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return std::nullopt;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

} // namespace platform
