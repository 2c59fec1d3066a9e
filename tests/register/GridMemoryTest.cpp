// The memory an account load takes, measured: whatever its size line claims, a file never
// makes the load take more than a small multiple of its own size. Each load runs in a
// child process whose peak resident size is reset first, so only the load is counted.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "TestWorld.h"
#include "platform/FileIO.h"
#include "register/GridTextFormat.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"), or -1.
long statusKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}

struct LoadMemory {
    bool loaded = false;
    long peakBytes = 0; // above what the process held before the load
};

// Loads `file` as opening an account does, in a child process; nothing when the peak
// cannot be measured here.
std::optional<LoadMemory> measureLoad(const std::filesystem::path& file) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        long result[2] = {-1, 0};
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5" << std::flush; // the peak becomes the current size
        const long before = statusKb("VmRSS");
        if (reset && before >= 0) {
            Grid reg;
            result[0] = readAccountFile(file, reg) ? 0 : 1;
            result[1] = (statusKb("VmHWM") - before) * 1024;
        }
        [[maybe_unused]] const auto n = ::write(pipeFds[1], result, sizeof result);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    long result[2] = {-1, 0};
    const bool read = ::read(pipeFds[0], result, sizeof result) == sizeof result;
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!read || result[0] < 0) {
        return std::nullopt;
    }
    return LoadMemory{result[0] == 1, result[1]};
}

// A file of `bytes` bytes: the size line, the widths, then cell lines of row numbers.
std::string craftedFile(const std::string& sizeLine, std::size_t bytes) {
    std::string out = sizeLine + "\r\n";
    for (int c = 0; c < 12; ++c) {
        out += "cw " + std::to_string(c) + ",64\r\n";
    }
    for (int r = 1; out.size() < bytes; ++r) {
        out += "0," + std::to_string(r) + "," + std::to_string(r) + "\r\n";
    }
    return out;
}

// What the program writes: realistic operations, one after the other.
std::string honestFile(int rows) {
    Grid reg = makeRegister(rows);
    for (int r = 1; r < rows; ++r) {
        reg.set(r, 2, "12/03/2024");
        reg.set(r, 3, std::to_string(1000 + r));
        reg.set(r, 4, "Alimentation");
        reg.set(r, 5, "Courses de la semaine au marché");
        reg.set(r, 6, "Carte de crédit");
        reg.set(r, 7, "45.20");
        reg.set(r, 9, "1234.56");
    }
    return writeGridText(reg);
}

TEST(GridMemory, ALoadNeverTakesMoreThanASmallMultipleOfTheFile) {
    testing::TestWorld w;
    constexpr std::size_t kSize = 2 << 20;
    struct Case {
        const char* what;
        std::string bytes;
        bool loads;
        double maxPerFileByte; // peak memory over file size
    };
    const Case cases[] = {
        // 15 cells per byte, which an earlier reader accepted and allocated.
        {"a size line claiming far more rows than lines", craftedFile("12,2600000", kSize), false,
         1.5},
        {"the most a file of that size may claim", craftedFile("12,174762", kSize), true, 40},
        {"a register the program wrote", honestFile(16000), true, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = w.root / "Courant.ldg";
        ASSERT_TRUE(platform::writeFileAtomically(file, c.bytes));
        const auto memory = measureLoad(file);
        if (!memory) {
            GTEST_SKIP() << "no /proc/self/clear_refs: the peak cannot be measured here";
        }
        EXPECT_EQ(memory->loaded, c.loads);
        const double perByte =
            static_cast<double>(memory->peakBytes) / static_cast<double>(c.bytes.size());
        EXPECT_LE(perByte, c.maxPerFileByte)
            << memory->peakBytes << " bytes for " << c.bytes.size();
    }
}

} // namespace
} // namespace ledgora
