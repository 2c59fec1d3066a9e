// The loan and placement windows offscreen, typed into as a French user would: which field
// each entry hides and where the focus goes, the messages, the grid and its look. With
// LEDGORA_SHOTS set to a folder, a picture of each window with its results is kept there.
#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>

#include "fincalc/ui/TCredit.h"
#include "fincalc/ui/TIntComp.h"
#include "fincalc/ui/TIntSimp.h"
#include "platform/ScriptedDialogs.h"
#include "ui/GridView.h"
#include "ui/TFloatEdit.h"

namespace {

using fincalc::Field;
using Kind = platform::MessageKind;

enum class Window { Credit, IntSimp, IntComp };

std::unique_ptr<SolverWindow> open(Window which, platform::Dialogs& dialogs) {
    std::unique_ptr<SolverWindow> w;
    switch (which) {
    case Window::Credit:
        w = std::make_unique<TCredit>(dialogs);
        break;
    case Window::IntSimp:
        w = std::make_unique<TIntSimp>(dialogs);
        break;
    case Window::IntComp:
        w = std::make_unique<TIntComp>(dialogs);
        break;
    }
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) {
        qFatal("window not shown");
    }
    return w;
}

// Types into a field as the user does: a click, the text selected from its start to its
// end, the new text over it.
void typeInto(QWidget* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(field, text);
}

QString cell(const SolverWindow& w, int row, int column) {
    const QAbstractItemModel* m = w.grid()->model();
    return m->index(row, column).data().toString();
}

int rows(const SolverWindow& w) {
    return w.grid()->model()->rowCount();
}

QRadioButton* entryButton(SolverWindow& w, int entry) {
    return w.findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>().at(entry);
}

// A click on a radio button's circle.
void click(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void choose(SolverWindow& w, int entry) {
    click(entryButton(w, entry));
}

void calculate(SolverWindow& w) {
    QTest::mouseClick(w.findChild<QPushButton*>("SpeedButton1"), Qt::LeftButton);
}

void shot(QWidget& w, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        w.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name));
    }
}

// The text of a PDF file, or nothing when pdftotext is not installed.
std::optional<QString> pdfText(const QString& file) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return std::nullopt;
    }
    QProcess run;
    run.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    run.waitForFinished();
    return QString::fromUtf8(run.readAllStandardOutput());
}

} // namespace

class SolverWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void eachEntryHidesTheSolvedFieldAndFocusesTheFirstShown_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("hidden");
        QTest::addColumn<int>("focus");
        for (const Window w : {Window::Credit, Window::IntSimp, Window::IntComp}) {
            const QByteArray name = w == Window::Credit    ? "TCredit"
                                    : w == Window::IntSimp ? "TIntSimp"
                                                           : "TIntComp";
            const int W = static_cast<int>(w);
            QTest::newRow(name + " 0") << W << 0 << int(Field::Fourth) << int(Field::Principal);
            QTest::newRow(name + " 1") << W << 1 << int(Field::Principal) << int(Field::Rate);
            QTest::newRow(name + " 2") << W << 2 << int(Field::Rate) << int(Field::Principal);
            QTest::newRow(name + " 3") << W << 3 << int(Field::Duration) << int(Field::Principal);
        }
    }

    void eachEntryHidesTheSolvedFieldAndFocusesTheFirstShown() {
        QFETCH(int, window);
        QFETCH(int, entry);
        QFETCH(int, hidden);
        QFETCH(int, focus);
        platform::ScriptedDialogs dialogs;
        auto w = open(static_cast<Window>(window), dialogs);
        // At opening: entry 0, the fourth field hidden, the focus on the first field.
        QVERIFY(entryButton(*w, 0)->isChecked());
        QVERIFY(!w->edit(Field::Fourth)->isVisible());
        QTRY_VERIFY(w->edit(Field::Principal)->hasFocus());

        choose(*w, 3 - entry); // from another entry, so that something changes
        choose(*w, entry);
        for (const Field f : {Field::Principal, Field::Rate, Field::Duration, Field::Fourth}) {
            QCOMPARE(w->edit(f)->isVisible(), int(f) != hidden);
            QCOMPARE(w->label(f)->isVisible(), int(f) != hidden);
        }
        const bool unitsShown = hidden != int(Field::Duration);
        QCOMPARE(w->findChild<QRadioButton*>("RadioButton1")->isVisible(), unitsShown);
        QCOMPARE(w->findChild<QRadioButton*>("RadioButton2")->isVisible(), unitsShown);
        QTRY_VERIFY(w->edit(static_cast<Field>(focus))->hasFocus());
    }

    void loanTypedWithCommasAndEnter() {
        platform::ScriptedDialogs dialogs;
        auto w = open(Window::Credit, dialogs);
        typeInto(w->edit(Field::Principal), "10000");
        typeInto(w->edit(Field::Rate), "6,0");
        typeInto(w->edit(Field::Duration), "12");
        QTest::keyClick(w->edit(Field::Duration), Qt::Key_Return); // Enter computes
        QCOMPARE(dialogs.texts(), std::vector<std::string>{});
        QCOMPARE(cell(*w, 0, 1), QStringLiteral("10000"));
        QCOMPARE(cell(*w, 1, 1), QStringLiteral("6,0 %"));
        QCOMPARE(cell(*w, 2, 1), QStringLiteral("12 mois"));
        QCOMPARE(cell(*w, 3, 1), QStringLiteral("860.66"));
        QCOMPARE(cell(*w, 4, 1), QStringLiteral("327.97"));
        QCOMPARE(cell(*w, 5, 1), QStringLiteral("10327.97"));
        QCOMPARE(cell(*w, 7, 3), QStringLiteral("Reste à payer"));
        QCOMPARE(rows(*w), 8 + 12);
        QCOMPARE(cell(*w, 19, 0), QStringLiteral("12"));
        QCOMPARE(cell(*w, 19, 3), QStringLiteral("0.00"));
        QVERIFY(!w->grid()->selectionModel()->hasSelection());
        QVERIFY(w->isVisible());
        shot(*w, "credit.png");

        // Typing over the filled duration, in years: the same schedule, "1 année".
        click(w->findChild<QRadioButton*>("RadioButton2"));
        typeInto(w->edit(Field::Duration), "1");
        calculate(*w);
        QCOMPARE(cell(*w, 2, 1), QStringLiteral("1 année"));
        QCOMPARE(rows(*w), 8 + 12);
        QCOMPARE(cell(*w, 3, 1), QStringLiteral("860.66"));
    }

    void hiddenUnitButtonsStillChooseTheSolvedDurationsUnit() {
        platform::ScriptedDialogs dialogs;
        auto w = open(Window::Credit, dialogs);
        click(w->findChild<QRadioButton*>("RadioButton2"));
        choose(*w, 3);
        typeInto(w->edit(Field::Principal), "10000");
        typeInto(w->edit(Field::Rate), "6");
        typeInto(w->edit(Field::Fourth), "360,46");
        calculate(*w);
        QCOMPARE(dialogs.texts(), std::vector<std::string>{});
        QCOMPARE(cell(*w, 2, 1), QStringLiteral("2 années"));
        QCOMPARE(rows(*w), 8 + 30);
    }

    void theDurationRefusesPointAndCommaTypedOrPasted() {
        platform::ScriptedDialogs dialogs;
        auto w = open(Window::IntSimp, dialogs);
        TFloatEdit* duration = w->edit(Field::Duration);
        typeInto(duration, "1.5,0");
        QCOMPARE(duration->text(), QStringLiteral("150"));
        QApplication::clipboard()->setText(QStringLiteral("2,5"));
        duration->selectAll();
        duration->paste();
        QCOMPARE(duration->text(), QStringLiteral("150"));
        // Other fields take either separator.
        typeInto(w->edit(Field::Rate), "2.5");
        QCOMPARE(w->edit(Field::Rate)->text(), QStringLiteral("2.5"));
    }

    void messagesNameTheFieldAndTakeTheFocusThere_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>("typed"); // principal, rate, duration, fourth
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus"); // -1: none
        const int credit = int(Window::Credit);
        const int simple = int(Window::IntSimp);
        const int compound = int(Window::IntComp);
        const int warning = int(Kind::Warning);
        const int error = int(Kind::Error);
        QTest::newRow("loan, no amount")
            << credit << 0 << QStringList{"", "6", "12", ""} << warning
            << "Vous n'avez pas indiqué la somme à emprunter." << int(Field::Principal);
        QTest::newRow("loan, no payment")
            << credit << 2 << QStringList{"10000", "", "12", ""} << warning
            << "Vous n'avez pas indiqué la mensualité." << int(Field::Fourth);
        QTest::newRow("loan, rate 1.2.3")
            << credit << 0 << QStringList{"10000", "1.2.3", "12", ""} << error
            << "La valeur indiquée pour le taux n'est pas un nombre." << int(Field::Rate);
        QTest::newRow("loan, lone minus")
            << credit << 0 << QStringList{"-", "6", "12", ""} << error
            << "La valeur indiquée pour la somme à emprunter n'est pas un nombre."
            << int(Field::Principal);
        QTest::newRow("loan, rate 0")
            << credit << 1 << QStringList{"", "0", "12", "100"} << warning << "Impossible !" << -1;
        QTest::newRow("loan, payment too small")
            << credit << 3 << QStringList{"10000", "6", "", "50"} << warning << "Impossible !"
            << -1;
        QTest::newRow("simple, no interest")
            << simple << 1 << QStringList{"", "5", "90", ""} << warning
            << "Vous n'avez pas indiqué les intérêts acquis." << int(Field::Fourth);
        QTest::newRow("simple, rate 0") << simple << 1 << QStringList{"", "0", "90", "12,50"}
                                        << error << "Dépassement de capacité !" << -1;
        QTest::newRow("compound, no final")
            << compound << 2 << QStringList{"1000", "", "12", ""} << warning
            << "Vous n'avez pas indiqué le capital final." << int(Field::Fourth);
        QTest::newRow("compound, duration 0 rate")
            << compound << 3 << QStringList{"1000", "0", "", "1126,83"} << error
            << "Dépassement de capacité !" << -1;
        QTest::newRow("compound, final below capital")
            << compound << 3 << QStringList{"1000", "12", "", "900"} << error
            << "Dépassement de capacité !" << -1;
    }

    void messagesNameTheFieldAndTakeTheFocusThere() {
        QFETCH(int, window);
        QFETCH(int, entry);
        QFETCH(QStringList, typed);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(int, focus);
        platform::ScriptedDialogs dialogs;
        auto w = open(static_cast<Window>(window), dialogs);
        choose(*w, entry);
        for (int f = 0; f < 4; ++f) {
            w->edit(static_cast<Field>(f))->setText(typed[f]);
        }
        w->findChild<QPushButton*>("SpeedButton1")->setFocus();
        calculate(*w);
        QCOMPARE(dialogs.shown().size(), std::size_t(1));
        QCOMPARE(int(dialogs.shown()[0].kind), kind);
        QCOMPARE(QString::fromStdString(dialogs.shown()[0].text), message);
        QCOMPARE(dialogs.shown()[0].buttons, platform::Buttons::Ok);
        if (focus >= 0) {
            QTRY_VERIFY(w->edit(static_cast<Field>(focus))->hasFocus());
        }
        QCOMPARE(rows(*w), 8); // nothing computed
        QVERIFY(!w->grid()->selectionModel()->hasSelection());
    }

    void simpleInterestScheduleAndItsLook() {
        platform::ScriptedDialogs dialogs;
        auto w = open(Window::IntSimp, dialogs);
        typeInto(w->edit(Field::Principal), "1000");
        typeInto(w->edit(Field::Rate), "5");
        typeInto(w->edit(Field::Duration), "90");
        calculate(*w);
        QCOMPARE(cell(*w, 2, 1), QStringLiteral("90 jours"));
        QCOMPARE(cell(*w, 3, 1), QStringLiteral("12.50"));
        QCOMPARE(rows(*w), 8 + 90);
        QCOMPARE(cell(*w, 8, 1), QStringLiteral("1000.14"));
        QCOMPARE(cell(*w, 97, 1), QStringLiteral("1012.50"));
        shot(*w, "intsimp.png");

        const QAbstractItemModel* m = w->grid()->model();
        const QColor grey(229, 229, 229);
        QCOMPARE(m->index(7, 0).data(Qt::BackgroundRole).value<QBrush>().color(), grey);
        QVERIFY(m->index(7, 1).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(m->index(0, 0).data(Qt::BackgroundRole).isValid()); // the tooltip colour
        QCOMPARE(m->index(0, 0).data(Qt::BackgroundRole), m->index(5, 1).data(Qt::BackgroundRole));
        QVERIFY(m->index(0, 0).data(Qt::BackgroundRole) != m->index(7, 0).data(Qt::BackgroundRole));
        const auto align = [m](int r, int c) {
            return m->index(r, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(align(0, 0), Qt::AlignRight);
        QCOMPARE(align(0, 1), Qt::AlignLeft);
        QCOMPARE(align(8, 0), Qt::AlignHCenter);
        QCOMPARE(align(8, 1), Qt::AlignRight);
        QVERIFY(w->grid()->columnWidth(0) >= 223);
        QVERIFY(w->grid()->columnWidth(1) >= 219);

        // Solving the duration in months, from the hidden unit buttons.
        click(w->findChild<QRadioButton*>("RadioButton2"));
        choose(*w, 3);
        typeInto(w->edit(Field::Fourth), "12,50");
        calculate(*w);
        QCOMPARE(cell(*w, 2, 1), QStringLiteral("3 mois"));
        QCOMPARE(rows(*w), 8 + 90);
    }

    void compoundInterestRateSolved() {
        platform::ScriptedDialogs dialogs;
        auto w = open(Window::IntComp, dialogs);
        choose(*w, 2);
        typeInto(w->edit(Field::Principal), "1000");
        typeInto(w->edit(Field::Duration), "12");
        typeInto(w->edit(Field::Fourth), "1126,83");
        QTest::keyClick(w->edit(Field::Fourth), Qt::Key_Enter);
        QCOMPARE(dialogs.texts(), std::vector<std::string>{});
        QCOMPARE(cell(*w, 1, 1), QStringLiteral("12.00 %"));
        QCOMPARE(cell(*w, 4, 1), QStringLiteral("126.83"));
        QCOMPARE(rows(*w), 8 + 12);
        shot(*w, "intcomp.png");
    }

    void printBtnPrintsTheResultGridOrNothingOnCancel_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("bw");
        QTest::newRow("TCredit") << int(Window::Credit) << false;
        QTest::newRow("TIntSimp black and white") << int(Window::IntSimp) << true;
        QTest::newRow("TIntComp") << int(Window::IntComp) << false;
    }

    void printBtnPrintsTheResultGridOrNothingOnCancel() {
        QFETCH(int, window);
        QFETCH(bool, bw);
        platform::ScriptedDialogs dialogs;
        auto w = open(static_cast<Window>(window), dialogs);
        typeInto(w->edit(Field::Principal), "10000");
        typeInto(w->edit(Field::Rate), "6,0");
        typeInto(w->edit(Field::Duration), "12");
        calculate(*w);
        QCOMPARE(dialogs.texts(), std::vector<std::string>{});
        int asked = 0;
        w->setBlackAndWhite([&] {
            ++asked;
            return bw;
        });
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("result.pdf"));
        auto* print = w->findChild<QPushButton*>("PrintBtn");
        QVERIFY(print->isEnabled());

        w->setPrintDialog([&](QPrinter& p, int) {
            p.setOutputFileName(file);
            return false;
        });
        QTest::mouseClick(print, Qt::LeftButton);
        QVERIFY(!QFile::exists(file));

        QString job;
        w->setPrintDialog([&](QPrinter& p, int) {
            job = p.docName();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            return true;
        });
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(job, QStringLiteral("Ledgora - ") + w->windowTitle());
        QCOMPARE(asked, 2); // the option as it is at each print
        QVERIFY(QFile(file).size() > 0);
        if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
            QFile::copy(file, QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                                  QLatin1String(QTest::currentDataTag()) + QLatin1String(".pdf"));
        }
        if (const auto text = pdfText(file)) {
            QVERIFY2(text->contains(cell(*w, 0, 0)), qPrintable(*text));
            QVERIFY2(text->contains(QStringLiteral("page 1")), qPrintable(*text));
        }
    }

    void fermerAndEscapeClose() {
        platform::ScriptedDialogs dialogs;
        for (const bool escape : {false, true}) {
            auto w = open(Window::IntComp, dialogs);
            if (escape) {
                QTest::keyClick(w->edit(Field::Principal), Qt::Key_Escape);
            } else {
                QTest::mouseClick(w->findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
            }
            QVERIFY(!w->isVisible());
        }
        QVERIFY(dialogs.shown().empty());
    }
};

QTEST_MAIN(SolverWindowsTest)
#include "SolverWindowsTest.moc"
