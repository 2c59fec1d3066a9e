#include <gtest/gtest.h>

#include "TestWorld.h"
#include "platform/FileIO.h"
#include "register/FrenchCollation.h"
#include "register/NameList.h"

namespace ledgora {
namespace {

TEST(NameList, BuiltInListsAreSortedAndComplete) {
    const NameList categories = NameList::builtInCategories();
    EXPECT_EQ(categories.size(), 54);
    EXPECT_EQ(categories[0], "Achats CB");
    EXPECT_EQ(categories[13], "Eau");
    EXPECT_EQ(categories[14], "EDF-GDF");
    EXPECT_EQ(categories[53], "Voiture");
    EXPECT_EQ(NameList::builtInPaymentModes().entries(),
              (std::vector<std::string>{"Carte de crédit", "Chèque", "Espèces", "Prélèvement",
                                        "Virement"}));
}

TEST(NameList, AddsOnlyWhatIsNotThereWithoutRegardToCase) {
    NameList list = NameList::builtInCategories();
    EXPECT_EQ(list.add("loyer"), -1);
    EXPECT_EQ(list.add("COURSES"), -1);
    EXPECT_EQ(list.add(""), -1);
    const int at = list.add("Électricité");
    ASSERT_GE(at, 0);
    EXPECT_EQ(list[at - 1], "EDF-GDF"); // accents sort with their letter
    EXPECT_EQ(list[at + 1], "Electroménager");
    EXPECT_EQ(list.size(), 55);
}

TEST(NameList, FrenchOrder) {
    EXPECT_LT(frenchCompare("Eau", "EDF-GDF"), 0);
    EXPECT_LT(frenchCompare("Péage", "PEL"), 0);
    EXPECT_LT(frenchCompare("cote", "côte"), 0);
    EXPECT_LT(frenchCompare("Zoo", "zoo"), 0);
    EXPECT_EQ(frenchCompare("Été", "Été"), 0);
    EXPECT_LT(frenchCompare("Œuvre", "Ordinateur"), 0); // Œ reads "oe"
}

TEST(NameList, FilesRoundTripInTheirOrder) {
    testing::TestWorld w;
    const auto file = w.root / "Rubriques.txt";
    ASSERT_TRUE(platform::writeFileAtomically(file, "Zoo\r\nAlimentation\n\r\n\xC9t\xE9"));
    const auto list = NameList::load(file);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->entries(), (std::vector<std::string>{"Alimentation", "Été", "Zoo"}));
    ASSERT_TRUE(list->save(file));
    EXPECT_EQ(platform::readFile(file).value(), "Alimentation\r\n\xC9t\xE9\r\nZoo\r\n");
    EXPECT_FALSE(NameList::load(w.root / "missing.txt").has_value());
}

} // namespace
} // namespace ledgora
