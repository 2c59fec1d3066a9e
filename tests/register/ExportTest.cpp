#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ExportFixture.h"
#include "TestWorld.h"
#include "platform/FileIO.h"
#include "register/BlackAndWhiteLook.h"
#include "register/CsvExport.h"
#include "register/ExportFormats.h"
#include "register/HtmlExport.h"
#include "register/RtfExport.h"
#include "register/TextExport.h"
#include "support/TempFolder.h"

namespace ledgora {
namespace {

using testing::exportGolden;
using testing::ExportWorld;

// LEDGORA_UPDATE_GOLDEN=1 rewrites the golden files from the writers (then read the diff).
TEST(Export, WritersMatchTheGoldenFiles) {
    const ExportWorld world;
    const bool update = std::getenv("LEDGORA_UPDATE_GOLDEN") != nullptr;
    for (const ExportFilter& filter : kExportFilters) {
        const auto golden = exportGolden("register." + std::string(filter.extension));
        const std::string bytes = exportBytes(filter.format, world.grid, world.look);
        if (update) {
            ASSERT_TRUE(platform::writeFileAtomically(golden, bytes));
        }
        EXPECT_EQ(bytes, platform::readFile(golden).value_or("")) << golden;
    }
}

// The look is the one colour rule: the HTML's colours and the doc's and text's alignments
// come from it, the fixed cells take the fixed colour, and black and white keeps only bold
// and alignment.
TEST(Export, RegisterLookAndItsBlackAndWhiteVariant) {
    const ExportWorld world;
    const BlackAndWhiteLook bw(world.look);
    using namespace colors;
    struct Case {
        int row, column;
        CellLook colour;
    };
    const Case cases[] = {
        {0, col::Number, {std::nullopt, kFixed, false, Alignment::Center}},
        {0, col::Debit, {std::nullopt, kFixed, false, Alignment::Center}},
        {3, col::Number, {std::nullopt, kFixed, false, Alignment::Center}},
        {1, col::Date, {std::nullopt, kOddRow, false, Alignment::Left}},
        {2, col::Date, {std::nullopt, std::nullopt, false, Alignment::Left}},
        {1, col::Pointage, {std::nullopt, kOddRow, false, Alignment::Center}},
        {2, col::Debit, {kDebit, std::nullopt, false, Alignment::Right}},
        {5, col::Credit, {kCredit, kOddRow, false, Alignment::Right}},
        {2, col::Solde, {kBlack, std::nullopt, false, Alignment::Right}},
        {3, col::Solde, {kNegative, kOddRow, false, Alignment::Right}},
        {6, col::Solde, {std::nullopt, std::nullopt, false, Alignment::Right}}, // empty
        {2, col::Rubrique, {kNegative, std::nullopt, true, Alignment::Left}},   // 150 > 100
        {3, col::Rubrique, {std::nullopt, kOddRow, false, Alignment::Left}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(world.look.cell(world.grid, c.row, c.column), c.colour)
            << c.row << "," << c.column;
        const CellLook plain{std::nullopt, std::nullopt, c.colour.bold, c.colour.alignment};
        EXPECT_EQ(bw.cell(world.grid, c.row, c.column), plain) << c.row << "," << c.column;
    }
    EXPECT_EQ(world.look.shownColumns(world.grid), kShownColumns);
    EXPECT_EQ(bw.shownColumns(world.grid), kShownColumns);
    EXPECT_EQ(world.look.gridColor(), kRegister);
    EXPECT_EQ(bw.gridColor(), std::nullopt);
    // Without the spending (no category has a maximum) nothing is over budget.
    const RegisterLook noBudget(world.hooks, nullptr);
    EXPECT_FALSE(noBudget.cell(world.grid, 2, col::Rubrique).bold);
}

// One line of the delimited export for a row whose notes hold `notes`.
std::string csvNotesField(const std::string& notes) {
    Grid grid = makeRegister(2);
    grid.setRowCount(2);
    grid.set(1, col::Notes, notes);
    const BudgetLimits hooks;
    const std::string csv = csvExport(grid, RegisterLook(hooks, nullptr));
    const std::string line = csv.substr(csv.find("\r\n") + 2);
    // 1;"";"";"";"";NOTES;"";"";"";""\r\n
    const std::string head = "1;\"\";\"\";\"\";\"\";";
    const std::string tail = ";\"\";\"\";\"\";\"\"\r\n";
    EXPECT_EQ(line.substr(0, head.size()), head);
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
    return line.substr(head.size(), line.size() - head.size() - tail.size());
}

TEST(Export, CsvEnclosesWhatWouldShiftTheRow) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"", "\"\""},
        {"a;b", "\"a;b\""},
        {"dit \"oui\"", "\"dit \"\"oui\"\"\""},
        {"x\r\ny", "\"x\ny\""},
        {"x\ny", "\"x\ny\""},
        {"x\ry", "\"x\ry\""},
        {"a,b", "a,b"},
        {"Crédit €", "Cr\xE9"
                     "dit \x80"},
        {"\"", "\"\"\"\""},
    };
    for (const auto& [notes, field] : cases) {
        EXPECT_EQ(csvNotesField(notes), field) << notes;
    }
}

TEST(Export, CsvLineOfAFreshAccount) {
    testing::TestWorld world;
    ASSERT_TRUE(world.session.create("Courant", 1000.0, true));
    const RegisterLook look(world.session.budgetLimits(), &world.session.spending());
    const std::string csv = csvExport(world.session.grid(), look);
    EXPECT_EQ(csv, "\"\";Pointage;Date;Num\xE9ro;Rubrique;Notes;Mode de paiement;D\xE9"
                   "bit;Cr\xE9"
                   "dit;Solde\r\n"
                   "1;X;05/03/2024;\"\";Solde initial;Solde initial;\"\";\"\";1000.00;1000.00\r\n"
                   "2;\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n");
}

TEST(Export, HtmlCellsAndTheirAttributes) {
    const ExportWorld world;
    const std::string html = htmlExport(world.grid, world.look);
    const char* lines[] = {
        // The empty caption has no alignment, the others are centred and bold.
        "<td nowrap bgcolor=\"#C0C0C0\"><br></td>",
        "<td nowrap align=\"center\" bgcolor=\"#C0C0C0\"><b>Num\xE9ro</b></td>",
        "<td nowrap align=\"center\" bgcolor=\"#C0C0C0\">3</td>",
        "<td nowrap><font color=\"#FF0000\"><b>Courses</b></font></td>",
        "<td nowrap align=\"right\" bgcolor=\"#E6FFFF\"><font color=\"#FF0000\">-20.00</font></td>",
        "<td nowrap align=\"right\"><font color=\"#000000\">880.00</font></td>",
        "<td nowrap bgcolor=\"#E6FFFF\">Cin\xE9ma<br>Pop-corn</td>",
        "<td nowrap bgcolor=\"#E6FFFF\">Prime &lt;b&gt;&amp; 5 \x80</td>",
        "<td nowrap bgcolor=\"#E6FFFF\"><br></td>", // an empty debit: no colour, no alignment
    };
    for (const char* line : lines) {
        EXPECT_NE(html.find(std::string(line) + "\r\n"), std::string::npos) << line;
    }
    EXPECT_EQ(html.rfind("<meta charset=\"windows-1252\">\r\n<table border=\"1\" cellspacing=\"0\" "
                         "cellpadding=\"0\" width=\"100%\">\r\n<tr>\r\n",
                         0),
              0u);
    EXPECT_EQ(html.find("<b>"), html.find("<b>Pointage</b>"));
}

TEST(Export, TextColumnsLineUp) {
    Grid grid(3, 3);
    grid.set(0, 1, "Débit");
    grid.set(1, 1, "1.00");
    grid.set(2, 1, "1234.50");
    grid.set(0, 2, "Notes");
    grid.set(1, 2, "a\r\nb");
    grid.set(2, 2, "xy");
    grid.set(1, 0, "1");
    grid.set(2, 0, "10");
    // Column 0 and the captions centred, column 1 right, column 2 left.
    class Look : public GridLook {
    public:
        CellLook cell(const Grid&, int row, int column) const override {
            CellLook l;
            l.alignment = row == 0 || column == 0 ? Alignment::Center
                          : column == 1           ? Alignment::Right
                                                  : Alignment::Left;
            return l;
        }
    } look;
    // Widths 2, 7 ("1234.50"), 5 ("Notes"); "a\r\nb" counts as "a b". A centred text
    // grows by a space each side until it is at least as wide, then every cell is padded
    // to its width plus one.
    EXPECT_EQ(fixedWidthTextExport(grid, look), "   "
                                                " D\xE9"
                                                "bit  "
                                                "Notes \r\n"
                                                " 1 "
                                                "   1.00 "
                                                "a b   \r\n"
                                                "10 "
                                                "1234.50 "
                                                "xy    \r\n");
}

TEST(Export, RtfEscapes) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\\b", "a\\\\b"},           {"{x}", "\\{x\\}"},    {"é€", "\\'e9\\'80"},
        {"x\r\ny", "x\\line y"},      {"x\ny", "x\\line y"}, {"a\tb", "a\\tab b"},
        {"plain text", "plain text"}, {"\x01", "\\'01"},
    };
    const BudgetLimits hooks;
    for (const auto& [text, escaped] : cases) {
        Grid grid(1, 1);
        grid.set(0, 0, text);
        const std::string rtf = rtfExport(grid, RegisterLook(hooks, nullptr));
        EXPECT_NE(rtf.find("\\pard\\intbl\\qc " + escaped + "\\cell\r\n"), std::string::npos)
            << text;
    }
}

TEST(Export, FiltersAndTheExtensionRule) {
    const std::pair<int, std::string_view> filters[] = {
        {1, "Comma Separated Value (.csv)"},
        {2, "HTML (.htm)"},
        {3, "Ascii (.txt)"},
        {4, "Document Word (.doc)"},
        {5, "Feuille de calcul Excel (.xls)"},
    };
    for (const auto& [index, text] : filters) {
        const auto format = exportFormatOfIndex(index);
        ASSERT_TRUE(format) << index;
        EXPECT_EQ(exportFilter(*format).text, text);
        EXPECT_EQ(exportFormatOfExtension(exportFilter(*format).extension), format);
    }
    EXPECT_EQ(exportFormatOfIndex(0), std::nullopt);
    EXPECT_EQ(exportFormatOfIndex(6), std::nullopt);
    EXPECT_EQ(exportFormatOfExtension("XLS"), ExportFormat::Xls);
    EXPECT_EQ(exportFormatOfExtension("pdf"), std::nullopt);
    EXPECT_EQ(kDefaultExportFormat, ExportFormat::Xls);
    EXPECT_EQ(proposedExportName("Courant", ExportFormat::Html), "Courant.htm");

    struct Case {
        std::string typed;
        ExportFormat format;
        std::string written;
    };
    const Case cases[] = {
        {"/tmp/releve.csv", ExportFormat::Text, "/tmp/releve.txt"},
        {"/tmp/releve", ExportFormat::Csv, "/tmp/releve.csv"},
        {"/tmp/releve.", ExportFormat::Doc, "/tmp/releve.doc"},
        {"/tmp/releve.TXT", ExportFormat::Text, "/tmp/releve.TXT"},
        {"/tmp/relevé.mars.htm", ExportFormat::Xls, "/tmp/relevé.mars.xls"},
        {"/tmp/v1.2/releve", ExportFormat::Html, "/tmp/v1.2/releve.htm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exportPath(c.typed, c.format), std::filesystem::path(c.written)) << c.typed;
    }
}

TEST(Export, WritesAtomicallyOrSaysItCannot) {
    const ExportWorld world;
    const testing::TempFolder folder;
    const auto& dir = folder.path();
    for (const ExportFilter& filter : kExportFilters) {
        const auto path = dir / ("releve." + std::string(filter.extension));
        EXPECT_EQ(exportGrid(filter.format, world.grid, world.look, path), std::nullopt);
        EXPECT_EQ(platform::readFile(path), exportBytes(filter.format, world.grid, world.look));
    }
    // A folder that is a file: nothing can be created there.
    const auto blocked = dir / "releve.csv" / "x.csv";
    EXPECT_EQ(exportGrid(ExportFormat::Csv, world.grid, world.look, blocked),
              "Cannot Create file " + blocked.string());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              5);
}

} // namespace
} // namespace ledgora
