#include "support/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace ledgora::testing {
namespace {

// The running test as "Suite.Name", with what a file name cannot hold replaced.
std::string testName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name()
                                       : std::string("outside-a-test");
    for (char& c : name) {
        if (c == '/' || c == '\\') {
            c = '_';
        }
    }
    return name;
}

} // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("ledgora-test-" + std::to_string(::getpid()) + "-" + testName() + "-" +
             std::to_string(++counter));
    // mkdir refuses a name that exists in any form (a symbolic link too): what an earlier
    // run of the same process number left there is removed, then the folder made again.
    if (::mkdir(path_.c_str(), 0700) != 0 && errno == EEXIST) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        ::mkdir(path_.c_str(), 0700);
    }
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(path_))) {
        ADD_FAILURE() << "cannot create the temporary folder " << path_;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // A process left inside a removed folder fails on the next relative path.
    const std::filesystem::path current = std::filesystem::current_path(ignored);
    const std::filesystem::path self = std::filesystem::canonical(path_, ignored);
    const auto inside = std::mismatch(self.begin(), self.end(), current.begin(), current.end());
    if (!self.empty() && !current.empty() && inside.first == self.end()) {
        std::filesystem::current_path(self.parent_path(), ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

} // namespace ledgora::testing
