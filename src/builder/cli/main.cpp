#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "builder/cli/TrelliskCli.h"

int main(int argc, char** argv) {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        self = std::filesystem::absolute(argv[0], ec);
    }
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = trellisk::cli::run(arguments, self.parent_path(), std::cout, std::cerr);
    std::cout.flush();
    return status;
}
