// The converter window offscreen, typed into as a French user would. With LEDGORA_SHOTS set
// to a folder, a picture of the window with results is kept there.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "fincalc/FrancEuroConverter.h"
#include "fincalc/ui/CurrencyEdit.h"
#include "fincalc/ui/TConvert.h"

namespace {

const QString kGroup = QString::fromUtf8(fincalc::kFrenchGroupSeparator.data());

// The field takes the focus with its whole amount selected, so the new one replaces it.
bool retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    if (!QTest::qWaitFor([field] { return field->selectedText() == field->text(); })) {
        return false;
    }
    QTest::keyClicks(field, text);
    return true;
}

} // namespace

class TConvertTest : public QObject {
    Q_OBJECT

private slots:
    void opensAtZeroWithItsCaptionAndSize() {
        TConvert window({});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Sorvia - Convertisseur Francs <-> Euros"));
        QCOMPARE(window.size(), QSize(455, 157));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.eurosResult(), QStringLiteral("0,00 €"));
        QCOMPARE(window.francsResult(), QStringLiteral("0,00 F"));
        auto* euros = window.findChild<CurrencyEdit*>("euros");
        QCOMPARE(euros->text(), QStringLiteral("0,00 €"));
        auto* result = window.findChild<QLabel*>("Label3");
        QVERIFY(result->font().bold());
        QCOMPARE(result->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }

    void eachLineConvertsOnlyItsOwnField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("euros");
        QTest::addColumn<QString>("francs");
        QTest::newRow("100 F") << "francs"
                               << "100"
                               << "15,24 €"
                               << "0,00 F";
        QTest::newRow("6,55957 F") << "francs"
                                   << "6,55957"
                                   << "1,00 €"
                                   << "0,00 F";
        QTest::newRow("point too") << "francs"
                                   << "6.55957"
                                   << "1,00 €"
                                   << "0,00 F";
        QTest::newRow("1000000 F") << "francs"
                                   << "1000000"
                                   << "152" + kGroup + "449,02 €"
                                   << "0,00 F";
        QTest::newRow("15,24 €") << "euros"
                                 << "15,24"
                                 << "0,00 €"
                                 << "99,97 F";
        QTest::newRow("1 €") << "euros"
                             << "1"
                             << "0,00 €"
                             << "6,56 F";
        QTest::newRow("letters dropped") << "euros"
                                         << "1a b"
                                         << "0,00 €"
                                         << "6,56 F";
        QTest::newRow("not a number") << "francs"
                                      << "1.2.3"
                                      << "montant illisible"
                                      << "0,00 F";
        QTest::newRow("lone minus") << "euros"
                                    << "-"
                                    << "0,00 €"
                                    << "montant illisible";
    }

    void eachLineConvertsOnlyItsOwnField() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, euros);
        QFETCH(QString, francs);
        TConvert window({});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(retype(window.findChild<CurrencyEdit*>(field), typed));
        QCOMPARE(window.eurosResult(), euros);
        QCOMPARE(window.francsResult(), francs);
    }

    void enterConvertsAndGoesToFermerThenTheDisplayFormatShows() {
        TConvert window({});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* francs = window.findChild<CurrencyEdit*>("francs");
        auto* ok = window.findChild<QPushButton*>("OKBtn");
        QVERIFY(retype(francs, "1000000,555"));
        QTest::keyClick(francs, Qt::Key_Return);
        QVERIFY(window.isVisible()); // Enter is consumed, not a "Fermer"
        QVERIFY(ok->hasFocus());
        // Shown rounded and grouped, held whole: the result is that of what was typed.
        QCOMPARE(francs->text(), "1" + kGroup + "000" + kGroup + "000,56 F");
        QCOMPARE(francs->typedText(), QStringLiteral("1000000,555"));
        QCOMPARE(window.eurosResult(), "152" + kGroup + "449,10 €");

        auto* euros = window.findChild<CurrencyEdit*>("euros");
        QVERIFY(retype(euros, "15,24"));
        QTest::keyClick(euros, Qt::Key_Enter);
        QVERIFY(ok->hasFocus());
        QCOMPARE(window.francsResult(), QStringLiteral("99,97 F"));
        if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
            window.grab().save(QString::fromLocal8Bit(folder) + "/convert.png");
        }

        // Back into the field: the amount as typed, all of it selected, so typing replaces.
        francs->setFocus();
        QTRY_COMPARE(francs->selectedText(), QStringLiteral("1000000,555"));
        QTest::keyClicks(francs, "200");
        QCOMPARE(window.eurosResult(), QStringLiteral("30,49 €"));
        QTest::keyClick(francs, Qt::Key_Return);
        QTest::keyClick(ok, Qt::Key_Return); // Enter on "Fermer" closes
        QVERIFY(!window.isVisible());
    }

    void aProposRunsTheMainWindowsAboutAndEscapeCloses() {
        int abouts = 0;
        TConvert window([&] { ++abouts; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(window.findChild<QPushButton*>("SpeedButton3"), Qt::LeftButton);
        QCOMPARE(abouts, 1);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TConvertTest)
#include "TConvertTest.moc"
