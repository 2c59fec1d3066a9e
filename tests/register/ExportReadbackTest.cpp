// The ".xls" and ".doc" exports read back by independent readers (python3-xlrd, unrtf)
// through tests/register/export_readback.py.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "ExportFixture.h"
#include "register/ExportFormats.h"
#include "register/XlsExport.h"
#include "support/TempFolder.h"

namespace ledgora {
namespace {

using testing::ExportWorld;

void appendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += c;
        }
    }
    out += '"';
}

// What the reader should find: the shown cells and their alignments.
std::string expectedJson(const Grid& grid, const GridLook& look) {
    std::string cells = "[";
    std::string aligns = "[";
    for (int r = 0; r < grid.rowCount(); ++r) {
        cells += r ? ",[" : "[";
        aligns += r ? ",[" : "[";
        for (int c = 0; c < look.shownColumns(grid); ++c) {
            if (c) {
                cells += ',';
                aligns += ',';
            }
            appendJsonString(cells, grid.at(r, c));
            const Alignment a = look.cell(grid, r, c).alignment;
            aligns += a == Alignment::Right    ? "\"right\""
                      : a == Alignment::Center ? "\"center\""
                                               : "\"left\"";
        }
        cells += ']';
        aligns += ']';
    }
    return "{\"cells\":" + cells + "],\"align\":" + aligns +
           "],\"fixed_rows\":" + std::to_string(look.fixedRows()) + "}";
}

// Runs the reader on a fresh export of `grid`; its output, and whether it said "ok".
std::pair<bool, std::string> readBack(ExportFormat format, const Grid& grid, const GridLook& look) {
    const testing::TempFolder folder;
    const auto& dir = folder.path();
    const std::string ext(exportFilter(format).extension);
    const auto file = dir / ("releve." + ext);
    const auto json = dir / "expected.json";
    EXPECT_EQ(exportGrid(format, grid, look, file), std::nullopt);
    EXPECT_TRUE(platform::writeFileAtomically(json, expectedJson(grid, look)));
    const std::string command = std::string(LEDGORA_SYSTEM_PYTHON) + " '" +
                                LEDGORA_READBACK_SCRIPT + "' " + ext + " '" + file.string() +
                                "' '" + json.string() + "' 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe != nullptr) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            output.append(buffer.data(), n);
        }
    }
    const int status = pipe != nullptr ? ::pclose(pipe) : -1;
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0 && output == "ok\n", output};
}

// The register, and grids with nothing to show: a workbook and a document all the same.
TEST(ExportReadback, SpreadsheetAndDocumentHoldTheRegister) {
    const ExportWorld world;
    const Grid grids[] = {world.grid, Grid(0, 0), Grid(1, 12), makeRegister(1)};
    for (const Grid& grid : grids) {
        for (const ExportFormat format : {ExportFormat::Xls, ExportFormat::Doc}) {
            const auto [ok, output] = readBack(format, grid, world.look);
            EXPECT_TRUE(ok) << exportFilter(format).text << ", " << grid.rowCount() << " rows:\n"
                            << output;
        }
    }
}

// More rows than a worksheet holds, long 8- and 16-bit texts that cross the string
// table's record boundaries, a hundred thousand distinct strings, a file large enough for
// the allocation table's extension: the second worksheet starts with the captions, every
// cell still reads back.
TEST(ExportReadback, LargeSpreadsheetContinuesOnASecondSheet) {
    const ExportWorld world;
    Grid grid = makeRegister(kXlsSheetRows + 1500);
    for (int r = 1; r < grid.rowCount(); ++r) {
        grid.set(r, col::Date, world.grid.at(1 + r % 5, col::Date));
        grid.set(r, col::Rubrique, world.grid.at(1 + r % 5, col::Rubrique));
        grid.set(r, col::Pointage, r % 3 ? "X" : "");
        grid.set(r, col::Numero, std::to_string(100000 + r));
        grid.set(r, col::Debit, std::to_string(r % 9973) + ".50");
        grid.set(r, col::Notes, "Note " + std::to_string(r));
        if (r == 5) {
            grid.set(r, col::Notes, std::string(kXlsCellChars + 100, 'n')); // cut
        } else if (r % 997 == 0) {
            grid.set(r, col::Notes, std::string(3000 + r % 7, 'a') + "é€" + std::to_string(r));
        } else if (r % 499 == 0) {
            std::string wide;
            for (int k = 0; k < 1500 + r % 5; ++k) {
                wide += k % 2 ? "€" : "x";
            }
            grid.set(r, col::Notes, wide);
        }
    }
    recomputeBalances(grid);
    const auto [ok, output] = readBack(ExportFormat::Xls, grid, world.look);
    EXPECT_TRUE(ok) << output;
}

} // namespace
} // namespace ledgora
