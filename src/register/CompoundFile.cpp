#include "register/CompoundFile.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace ledgora {
namespace {

constexpr std::size_t kSector = 512;
constexpr std::size_t kEntriesPerSector = kSector / 4;
constexpr std::size_t kHeaderDifatEntries = 109;
// A sector of the allocation-table extension lists 127 table sectors and the next one.
constexpr std::size_t kDifatEntriesPerSector = kEntriesPerSector - 1;

constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kDifSect = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

void put16(std::string& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void put32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

std::size_t sectorsFor(std::size_t bytes) {
    return (bytes + kSector - 1) / kSector;
}

// One 128-byte directory entry; `start` and `size` locate its stream.
void putEntry(std::string& out, std::size_t at, std::string_view name, std::uint8_t type,
              std::uint32_t child, std::uint32_t start, std::uint32_t size) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        put16(out, at + 2 * i, static_cast<unsigned char>(name[i]));
    }
    put16(out, at + 0x40, static_cast<std::uint16_t>(2 * (name.size() + 1)));
    out[at + 0x42] = static_cast<char>(type);
    out[at + 0x43] = 1; // black: a tree of one node under the root is balanced
    put32(out, at + 0x44, kNoStream);
    put32(out, at + 0x48, kNoStream);
    put32(out, at + 0x4C, child);
    put32(out, at + 0x74, start);
    put32(out, at + 0x78, size);
}

} // namespace

std::string compoundFile(std::string_view streamName, std::string_view stream) {
    const std::size_t streamBytes = std::max(stream.size(), kMiniStreamCutoff);
    const std::size_t streamSectors = sectorsFor(streamBytes);
    constexpr std::size_t kDirectorySectors = 1;
    // The table describes every sector, its own included: grow it until it fits.
    std::size_t fatSectors = 1;
    std::size_t difatSectors = 0;
    for (;;) {
        const std::size_t total = streamSectors + kDirectorySectors + fatSectors + difatSectors;
        const std::size_t needFat = (total + kEntriesPerSector - 1) / kEntriesPerSector;
        const std::size_t needDifat =
            needFat > kHeaderDifatEntries
                ? (needFat - kHeaderDifatEntries + kDifatEntriesPerSector - 1) /
                      kDifatEntriesPerSector
                : 0;
        if (needFat <= fatSectors && needDifat <= difatSectors) {
            break;
        }
        fatSectors = std::max(fatSectors, needFat);
        difatSectors = std::max(difatSectors, needDifat);
    }
    // Layout: the stream, the directory, the table extension, the table.
    const std::size_t directoryAt = streamSectors;
    const std::size_t difatAt = directoryAt + kDirectorySectors;
    const std::size_t fatAt = difatAt + difatSectors;
    const std::size_t totalSectors = fatAt + fatSectors;

    std::string out((1 + totalSectors) * kSector, '\0');
    const auto sectorOffset = [](std::size_t sector) { return (sector + 1) * kSector; };

    static constexpr unsigned char kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (std::size_t i = 0; i < sizeof kSignature; ++i) {
        out[i] = static_cast<char>(kSignature[i]);
    }
    put16(out, 0x18, 0x003E); // minor version
    put16(out, 0x1A, 0x0003); // major version 3: 512-byte sectors
    put16(out, 0x1C, 0xFFFE); // little-endian
    put16(out, 0x1E, 9);      // 2^9-byte sectors
    put16(out, 0x20, 6);      // 2^6-byte mini sectors
    put32(out, 0x2C, static_cast<std::uint32_t>(fatSectors));
    put32(out, 0x30, static_cast<std::uint32_t>(directoryAt));
    put32(out, 0x38, static_cast<std::uint32_t>(kMiniStreamCutoff));
    put32(out, 0x3C, kEndOfChain); // no mini table
    put32(out, 0x44, difatSectors > 0 ? static_cast<std::uint32_t>(difatAt) : kEndOfChain);
    put32(out, 0x48, static_cast<std::uint32_t>(difatSectors));
    for (std::size_t i = 0; i < kHeaderDifatEntries; ++i) {
        put32(out, 0x4C + 4 * i,
              i < fatSectors ? static_cast<std::uint32_t>(fatAt + i) : kFreeSect);
    }

    // The allocation-table extension: table sectors beyond the header's 109.
    for (std::size_t d = 0; d < difatSectors; ++d) {
        const std::size_t base = sectorOffset(difatAt + d);
        for (std::size_t k = 0; k < kDifatEntriesPerSector; ++k) {
            const std::size_t fat = kHeaderDifatEntries + d * kDifatEntriesPerSector + k;
            put32(out, base + 4 * k,
                  fat < fatSectors ? static_cast<std::uint32_t>(fatAt + fat) : kFreeSect);
        }
        put32(out, base + 4 * kDifatEntriesPerSector,
              d + 1 < difatSectors ? static_cast<std::uint32_t>(difatAt + d + 1) : kEndOfChain);
    }

    std::vector<std::uint32_t> fat(fatSectors * kEntriesPerSector, kFreeSect);
    for (std::size_t s = 0; s < streamSectors; ++s) {
        fat[s] = s + 1 < streamSectors ? static_cast<std::uint32_t>(s + 1) : kEndOfChain;
    }
    fat[directoryAt] = kEndOfChain;
    for (std::size_t d = 0; d < difatSectors; ++d) {
        fat[difatAt + d] = kDifSect;
    }
    for (std::size_t f = 0; f < fatSectors; ++f) {
        fat[fatAt + f] = kFatSect;
    }
    const std::size_t fatBase = sectorOffset(fatAt);
    for (std::size_t i = 0; i < fat.size(); ++i) {
        put32(out, fatBase + 4 * i, fat[i]);
    }

    const std::size_t dir = sectorOffset(directoryAt);
    putEntry(out, dir, "Root Entry", 5, 1, kEndOfChain, 0);
    putEntry(out, dir + 128, streamName.substr(0, 31), 2, kNoStream, 0,
             static_cast<std::uint32_t>(streamBytes));
    for (std::size_t e = 2; e < kSector / 128; ++e) {
        put32(out, dir + 128 * e + 0x44, kNoStream);
        put32(out, dir + 128 * e + 0x48, kNoStream);
        put32(out, dir + 128 * e + 0x4C, kNoStream);
    }

    std::copy(stream.begin(), stream.end(), out.begin() + static_cast<long>(sectorOffset(0)));
    return out;
}

} // namespace ledgora
