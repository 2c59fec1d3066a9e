#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "register/CompoundFile.h"

namespace ledgora {
namespace {

std::uint32_t u32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
    }
    return v;
}

std::uint16_t u16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b.at(at)) |
                                      (static_cast<unsigned char>(b.at(at + 1)) << 8));
}

// Reads a compound file as a reader does: the table sectors from the header and its
// extension chain, the directory by its chain, then the stream of entry 1 by its chain.
struct Reading {
    std::string name;
    std::string stream;
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
};

Reading read(const std::string& file) {
    constexpr std::size_t kSector = 512;
    const auto sector = [&](std::uint32_t s) { return (s + 1) * kSector; };
    Reading r;
    EXPECT_EQ(file.size() % kSector, 0u);
    EXPECT_EQ(file.substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    EXPECT_EQ(u16(file, 0x1A), 3);
    EXPECT_EQ(u16(file, 0x1E), 9);
    r.fatSectors = u32(file, 0x2C);
    r.difatSectors = u32(file, 0x48);
    std::vector<std::uint32_t> fatAt;
    for (std::size_t i = 0; i < 109 && fatAt.size() < r.fatSectors; ++i) {
        fatAt.push_back(u32(file, 0x4C + 4 * i));
    }
    std::uint32_t next = u32(file, 0x44);
    for (std::uint32_t d = 0; d < r.difatSectors; ++d) {
        for (std::size_t k = 0; k < 127 && fatAt.size() < r.fatSectors; ++k) {
            fatAt.push_back(u32(file, sector(next) + 4 * k));
        }
        next = u32(file, sector(next) + 4 * 127);
    }
    EXPECT_EQ(next, 0xFFFFFFFEu);
    std::vector<std::uint32_t> fat;
    for (const std::uint32_t s : fatAt) {
        for (std::size_t k = 0; k < 128; ++k) {
            fat.push_back(u32(file, sector(s) + 4 * k));
        }
    }
    for (const std::uint32_t s : fatAt) {
        EXPECT_EQ(fat.at(s), 0xFFFFFFFDu); // a table sector is marked as one
    }
    const auto chain = [&](std::uint32_t s) {
        std::string bytes;
        while (s != 0xFFFFFFFE) {
            bytes += file.substr(sector(s), kSector);
            s = fat.at(s);
        }
        return bytes;
    };
    const std::string dir = chain(u32(file, 0x30));
    EXPECT_EQ(dir[0x42], 5); // root
    EXPECT_EQ(u32(dir, 0x4C), 1u);
    EXPECT_EQ(dir[128 + 0x42], 2); // stream
    for (std::size_t i = 0; i + 1 < u16(dir, 128 + 0x40) / 2u; ++i) {
        r.name += static_cast<char>(u16(dir, 128 + 2 * i));
    }
    r.stream = chain(u32(dir, 128 + 0x74)).substr(0, u32(dir, 128 + 0x78));
    return r;
}

TEST(CompoundFile, StreamsOfEverySizeReadBack) {
    struct Case {
        std::size_t size;
        std::uint32_t fatSectors, difatSectors;
    };
    const Case cases[] = {
        {0, 1, 0},
        {100, 1, 0},
        {4096, 1, 0},
        {127 * 512 - 512, 1, 0}, // the stream, the directory and the table fill one table
        {127 * 512, 2, 0},
        {109 * 128 * 512 - 4 * 512, 110, 1}, // past the header's 109 table sectors
        {(109 + 127) * 128 * 512, 238, 2},
    };
    for (const auto& c : cases) {
        std::string stream(c.size, '\0');
        for (std::size_t i = 0; i < stream.size(); ++i) {
            stream[i] = static_cast<char>(i * 7 + i / 512);
        }
        const Reading r = read(compoundFile("Workbook", stream));
        EXPECT_EQ(r.name, "Workbook");
        EXPECT_EQ(r.fatSectors, c.fatSectors) << c.size;
        EXPECT_EQ(r.difatSectors, c.difatSectors) << c.size;
        // Short streams are padded with zeros to the mini-stream cutoff.
        std::string expected = stream;
        expected.resize(std::max(stream.size(), kMiniStreamCutoff), '\0');
        EXPECT_TRUE(r.stream == expected) << c.size;
    }
}

} // namespace
} // namespace ledgora
