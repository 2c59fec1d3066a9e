// Linked transfers: the twin written, updated and removed in the other account's file,
// the counters, the outside marker, the lock, and the other account left whole when it
// cannot be read.
#include <gtest/gtest.h>

#include "TransferWorld.h"
#include "planning/TransferRules.h"
#include "platform/FileIO.h"

namespace ledgora {
namespace {

using testing::TransferWorld;

const std::string kQuestion =
    "Ce virement concerne-t-il un autre de vos comptes enregistré avec Ledgora ?";

// The rows of `g` that are transfers coming from "Courant".
std::vector<int> twinsFromCourant(const Grid& g) {
    std::vector<int> rows;
    for (int r = 1; r < g.rowCount(); ++r) {
        if (g.at(r, col::Notes) == "Courant") {
            rows.push_back(r);
        }
    }
    return rows;
}

TEST(Transfers, ATypedTransferAnsweredYesWritesItsTwinAndBothCounters) {
    TransferWorld w;
    w.type("Virement", "100.00");
    w.dialogs.yes().choose(0);
    w.transfers.afterEdit(w.edits, 2);

    EXPECT_EQ(w.dialogs.texts(), (std::vector<std::string>{kQuestion, "Virement effectué !"}));
    EXPECT_EQ(w.dialogs.prompts(), std::vector<std::string>{"Compte destination pour le virement"});
    EXPECT_EQ(w.sounds.beeps, 1);
    const Grid& reg = w.session.grid();
    EXPECT_EQ(reg.at(2, col::Notes), "Livret");
    EXPECT_EQ(reg.at(2, col::Numero), "vir1");

    const Grid b = w.livret();
    const auto twins = twinsFromCourant(b);
    ASSERT_EQ(twins.size(), 1u);
    const int t = twins[0];
    EXPECT_EQ(b.at(t, col::ModePaiement), "Virement");
    EXPECT_EQ(b.at(t, col::Numero), "vir1");
    EXPECT_EQ(b.at(t, col::Date), "05/03/2024");
    EXPECT_EQ(b.at(t, col::Debit), "");
    EXPECT_EQ(b.at(t, col::Credit), "655.96"); // 100 euros into a francs account
    EXPECT_EQ(b.at(t, col::Rubrique), "");
    EXPECT_EQ(b.at(t, col::Deber), "");
    EXPECT_EQ(b.at(t, col::Creder), "");
    EXPECT_EQ(b.at(1, col::Notes), "Solde initial"); // B's own rows are all still there
    EXPECT_EQ(w.counter("Courant"), "1");
    EXPECT_EQ(w.counter("Livret"), "1");
    EXPECT_TRUE(w.transfers.isLinked(reg, 2));
}

TEST(Transfers, TheNewNumberFollowsTheLargerCounter) {
    for (const auto& [courant, livret] : {std::pair{3, 7}, std::pair{9, 2}}) {
        TransferWorld w;
        w.setCounter("Courant", courant);
        w.setCounter("Livret", livret);
        w.type("Virement mensuel", "", "20");
        w.dialogs.yes().choose(0);
        w.transfers.afterEdit(w.edits, 2);
        const std::string n = std::to_string(std::max(courant, livret) + 1);
        EXPECT_EQ(w.session.grid().at(2, col::Numero), "vir" + n);
        EXPECT_EQ(w.counter("Courant"), n);
        EXPECT_EQ(w.counter("Livret"), n);
        const Grid b = w.livret();
        const int t = twinsFromCourant(b).at(0);
        EXPECT_EQ(b.at(t, col::Debit), "131.19"); // a credit here is a debit there
        EXPECT_EQ(b.at(t, col::Credit), "");
    }
}

TEST(Transfers, AnUpdateFollowsTheAmountAndTheDateThenTheDeletionRemovesTheTwin) {
    TransferWorld w;
    w.type("Virement", "50.00");
    w.dialogs.yes().choose(0);
    w.transfers.afterEdit(w.edits, 2);
    w.dialogs.clear();

    Grid& reg = w.session.grid();
    reg.set(2, col::Debit, "100.00");
    reg.set(2, col::Date, "07/03/2024");
    w.transfers.afterEdit(w.edits, 2);
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{"Virement mis à jour !"});
    Grid b = w.livret();
    ASSERT_EQ(twinsFromCourant(b).size(), 1u);
    int t = twinsFromCourant(b)[0];
    EXPECT_EQ(b.at(t, col::Credit), "655.96");
    EXPECT_EQ(b.at(t, col::Date), "07/03/2024");

    // Debit to credit: the twin changes sides.
    reg.set(2, col::Debit, "");
    reg.set(2, col::Credit, "10");
    w.transfers.afterEdit(w.edits, 2);
    b = w.livret();
    t = twinsFromCourant(b)[0];
    EXPECT_EQ(b.at(t, col::Credit), "");
    EXPECT_EQ(b.at(t, col::Debit), "65.60");

    const int rowsBefore = b.rowCount();
    w.dialogs.clear();
    w.transfers.beforeRemove(reg, 2);
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{"Virement supprimé !"});
    b = w.livret();
    EXPECT_TRUE(twinsFromCourant(b).empty());
    EXPECT_EQ(b.rowCount(), rowsBefore - 1);
    EXPECT_EQ(b.at(1, col::Notes), "Solde initial");
}

TEST(Transfers, AnUpdateWithoutTwinWritesOneWithTheSameNumber) {
    TransferWorld w;
    w.setCounter("Courant", 4);
    w.type("Virement", "12.00", "", "Livret");
    w.session.grid().set(2, col::Numero, "vir4");
    w.transfers.afterEdit(w.edits, 2);
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{"Virement mis à jour !"});
    const Grid b = w.livret();
    ASSERT_EQ(twinsFromCourant(b).size(), 1u);
    EXPECT_EQ(b.at(twinsFromCourant(b)[0], col::Numero), "vir4");
    EXPECT_EQ(w.counter("Courant"), "4");
    EXPECT_EQ(w.counter("Livret"), "<absent>");

    // A deletion whose twin is gone still says the transfer is deleted.
    saveGridFile(makeRegister(3), w.paths.accountFile("Anne", "Livret"));
    w.dialogs.clear();
    w.transfers.beforeRemove(w.session.grid(), 2);
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{"Virement supprimé !"});
}

TEST(Transfers, AnUpdateDropsTheRemainderOfTheAmountItReplaces) {
    TransferWorld w(true);
    w.type("Virement", "30.00");
    w.dialogs.yes().choose(0);
    w.transfers.afterEdit(w.edits, 2);
    // Livret converted to euros earlier, so its twin kept what the rounding dropped.
    Grid b = w.livret();
    const int t = twinsFromCourant(b)[0];
    b.set(t, col::Creder, "0.01");
    saveGridFile(b, w.paths.accountFile("Anne", "Livret"));

    w.session.grid().set(2, col::Debit, "31.00");
    w.transfers.afterEdit(w.edits, 2);
    b = w.livret();
    EXPECT_EQ(b.at(t, col::Credit), "31.00");
    EXPECT_EQ(b.at(t, col::Creder), "");
}

TEST(Transfers, NoMarksTheTransferOutsideAndIsNeverAskedAgain) {
    for (const auto& [notes, marked] :
         {std::pair{"loyer", "loyer (externe à Ledgora)"}, std::pair{"", "(externe à Ledgora)"}}) {
        TransferWorld w;
        w.type("Virement", "10.00", "", notes);
        w.dialogs.no();
        w.transfers.afterEdit(w.edits, 2);
        w.transfers.afterEdit(w.edits, 2);
        EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{kQuestion});
        EXPECT_EQ(w.session.grid().at(2, col::Notes), marked);
        EXPECT_EQ(w.session.grid().at(2, col::Numero), "");
        EXPECT_EQ(w.sounds.beeps, 0);
    }
}

TEST(Transfers, WhatAsksNothing) {
    struct Case {
        const char* name;
        bool withLivret;
        const char* mode;
        const char* category;
    };
    for (const Case& c : {Case{"a single account", false, "Virement", ""},
                          Case{"a plain payment", true, "Prélèvement", "Loyer"}}) {
        TransferWorld w(false, c.withLivret);
        w.type(c.mode, "10.00");
        w.session.grid().set(2, col::Rubrique, c.category);
        w.transfers.afterEdit(w.edits, 2);
        EXPECT_TRUE(w.dialogs.shown().empty()) << c.name;
        EXPECT_EQ(w.edits.cellsSet, 0) << c.name;
    }
    // A category naming a transfer is one, whatever the mode.
    TransferWorld w;
    w.type("Chèque", "10.00");
    w.session.grid().set(2, col::Rubrique, "Virement épargne");
    w.transfers.afterEdit(w.edits, 2);
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{kQuestion});
}

TEST(Transfers, CancellingTheChooserLeavesTheRowToBeAskedAgain) {
    TransferWorld w;
    w.type("Virement", "10.00");
    w.dialogs.yes().cancel().yes().choose(0);
    w.transfers.afterEdit(w.edits, 2);
    EXPECT_EQ(w.session.grid().at(2, col::Notes), "");
    EXPECT_EQ(w.counter("Courant"), "<absent>");
    w.transfers.afterEdit(w.edits, 2);
    EXPECT_EQ(w.session.grid().at(2, col::Notes), "Livret");
}

TEST(Transfers, AnUnreadableOtherAccountIsNeverWritten) {
    TransferWorld w;
    const auto file = w.paths.accountFile("Anne", "Livret");
    const std::string damaged = "garbage\r\n0,1,Solde initial\r\n";
    ASSERT_TRUE(platform::writeFileAtomically(file, damaged));

    w.type("Virement", "100.00");
    w.dialogs.yes().choose(0);
    w.transfers.afterEdit(w.edits, 2);
    EXPECT_EQ(platform::readFile(file), damaged);
    EXPECT_EQ(w.dialogs.texts(),
              (std::vector<std::string>{kQuestion,
                                        "File contains no data or corrupt file " + file.string()}));
    EXPECT_EQ(w.session.grid().at(2, col::Notes), "");
    EXPECT_EQ(w.session.grid().at(2, col::Numero), "");
    EXPECT_EQ(w.counter("Courant"), "<absent>");
    EXPECT_EQ(w.counter("Livret"), "<absent>");
    EXPECT_EQ(w.sounds.beeps, 0);

    // A linked row: neither the update nor the deletion touches the damaged file.
    Grid& reg = w.session.grid();
    reg.set(2, col::Notes, "Livret");
    reg.set(2, col::Numero, "vir3");
    w.dialogs.clear();
    w.transfers.afterEdit(w.edits, 2);
    w.transfers.beforeRemove(reg, 2);
    EXPECT_EQ(platform::readFile(file), damaged);
    EXPECT_EQ(w.dialogs.texts(), (std::vector<std::string>(
                                     2, "File contains no data or corrupt file " + file.string())));
}

TEST(Transfers, WhichRowsAreLinked) {
    struct Case {
        const char* name;
        const char* mode;
        const char* numero;
        const char* notes;
        bool linked;
    };
    TransferWorld w;
    Grid& reg = w.session.grid();
    for (const Case& c : {
             Case{"linked", "Virement", "vir3", "Livret", true},
             Case{"notes in another case", "Virement", "vir3", "livret", true},
             Case{"notes naming no account", "Virement", "vir3", "Épargne", false},
             Case{"notes with more", "Virement", "vir3", "Livret (externe à Ledgora)", false},
             Case{"no number", "Virement", "vir", "Livret", false},
             Case{"number not whole", "Virement", "vir3a", "Livret", false},
             Case{"capital prefix", "Virement", "Vir3", "Livret", false},
             Case{"not a transfer", "Chèque", "vir3", "Livret", false},
         }) {
        w.type(c.mode, "1.00", "", c.notes);
        reg.set(2, col::Numero, c.numero);
        EXPECT_EQ(w.transfers.isLinked(reg, 2), c.linked) << c.name;
    }
    EXPECT_FALSE(w.transfers.isLinked(reg, -1));
}

TEST(TransferRules, AmountsCrossCurrencies) {
    struct Case {
        const char* amount;
        bool fromEuros;
        bool toEuros;
        const char* expected;
    };
    for (const Case& c :
         {Case{"100.00", true, false, "655.96"}, Case{"655.96", false, true, "100.00"},
          Case{"1.00", false, true, "0.15"}, Case{"12.5", true, true, "12.50"},
          Case{"7", false, false, "7.00"}, Case{"0.01", true, false, "0.07"}}) {
        EXPECT_EQ(amountForAccount(c.amount, c.fromEuros, c.toEuros), c.expected) << c.amount;
    }
}

} // namespace
} // namespace ledgora
