// The bank tools' windows offscreen, typed into as a French user types.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "TestWorld.h"
#include "app/Shots.h"
#include "banktools/ui/TRapproch.h"
#include "money/Amount.h"
#include "register/RegisterColumns.h"
#include "ui/TFloatEdit.h"

using ledgora::col::Credit;
using ledgora::col::Debit;
using ledgora::col::Pointage;

namespace {

// An open account whose ticked operations come to `reconciled`.
struct World : ledgora::testing::TestWorld {
    explicit World(double reconciled, bool euros = true) {
        session.create("Courant", reconciled, euros);
        session.grid().set(1, Pointage, std::string(ledgora::kTicked));
        session.recompute();
    }
};

QRgb textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText).rgb();
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void reconciliationStatesTypedDigitByDigit() {
        World world(100.0);
        TRapproch w(world.session);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Rapprochement automatique"));
        QCOMPARE(w.reconciledLabel()->text(), QStringLiteral("100.00 Euros"));
        // A stored 0 is not shown, and nothing is computed.
        QCOMPARE(w.statementField()->text(), QString());
        QVERIFY(!w.calculateButton()->isEnabled());
        QCOMPARE(w.resultLabel()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w.statementField());

        struct Case {
            const char* typed;
            const char* result;
            QRgb colour;
            const char* shot;
        };
        const Case cases[] = {
            {"50", "50.00 Euros en faveur de la banque", qRgb(255, 0, 0), "TRapproch-banque.png"},
            {"150,00", "50.00 Euros en votre faveur", qRgb(0, 0, 255), "TRapproch-faveur.png"},
            {"100", "0.00 Euros - Bravo !", qRgb(0, 0, 0), "TRapproch-bravo.png"},
        };
        for (const Case& c : cases) {
            w.statementField()->clear();
            QVERIFY(!w.calculateButton()->isEnabled());
            QTest::keyClicks(w.statementField(), c.typed);
            QVERIFY(w.calculateButton()->isEnabled());
            QCOMPARE(w.resultLabel()->text(), QString());
            QTest::keyClick(w.statementField(), Qt::Key_Return);
            QVERIFY(w.isVisible()); // Enter computes and goes no further
            QCOMPARE(w.resultLabel()->text(), QString::fromUtf8(c.result));
            QCOMPARE(textColour(w.resultLabel()), c.colour);
            QCOMPARE(QApplication::focusWidget(), w.statementField());
            saveShot(w, c.shot);
        }
        // Letters never reach the field; any change clears the result.
        QTest::keyClicks(w.statementField(), "a ");
        QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("€"));
        QApplication::sendEvent(w.statementField(), &euro);
        QCOMPARE(w.statementField()->text(), QStringLiteral("100"));
        QTest::keyClick(w.statementField(), Qt::Key_Backspace);
        QCOMPARE(w.resultLabel()->text(), QString());
        w.calculateButton()->click();
        QCOMPARE(w.resultLabel()->text(), QStringLiteral("90.00 Euros en faveur de la banque"));
        // A lone sign reads 0.
        w.statementField()->clear();
        QTest::keyClicks(w.statementField(), "-");
        QTest::keyClick(w.statementField(), Qt::Key_Enter);
        QCOMPARE(w.resultLabel()->text(), QStringLiteral("100.00 Euros en faveur de la banque"));
    }

    void fermerStoresAndReopeningComputesAtOnce() {
        World world(-20.5, false);
        {
            TRapproch w(world.session);
            w.show();
            QTest::keyClicks(w.statementField(), "-20,5");
            w.closeButton()->click();
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(ledgora::formatAmount(world.session.bankBalance()), std::string("-20.50"));
        TRapproch again(world.session);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.statementField()->text(), QStringLiteral("-20.50"));
        QCOMPARE(again.resultLabel()->text(), QStringLiteral("0.00 Francs - Bravo !"));
        QCOMPARE(QApplication::focusWidget(), again.closeButton());
        // Escape leaves the stored balance as it was.
        again.statementField()->setFocus();
        QTest::keyClicks(again.statementField(), "9");
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(ledgora::formatAmount(world.session.bankBalance()), std::string("-20.50"));
    }

    // The statement balance through the window, both currencies and a save.
    void francsAndBackRestoreTheStatementBalance() {
        World world(0.0, false);
        const auto closeWith = [&](const char* typed) {
            TRapproch w(world.session);
            w.show();
            if (typed != nullptr) {
                w.statementField()->clear();
                QTest::keyClicks(w.statementField(), typed);
            }
            const QString shown = w.statementField()->text();
            w.closeButton()->click();
            return shown;
        };
        closeWith("100");
        world.session.switchToEuros();
        QCOMPARE(closeWith(nullptr), QStringLiteral("15.24")); // kept as it was
        QVERIFY(world.session.save());
        QVERIFY(world.session.load("Courant"));
        world.session.switchToFrancs();
        QCOMPARE(closeWith(nullptr), QStringLiteral("100.00"));

        // A new amount typed in euros goes to francs without the old amount's remainder.
        world.session.switchToEuros();
        closeWith("15,25");
        world.session.switchToFrancs();
        QCOMPARE(closeWith(nullptr), QStringLiteral("100.03"));
        world.session.switchToEuros();
        QCOMPARE(closeWith(nullptr), QStringLiteral("15.25"));
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
