// The register's cell editors as a French user meets them, offscreen: a date opens as core
// reads it, an unreadable one as it is; amounts take what core reads, typed key by key or
// pasted.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTest>

#include "platform/ScriptedDialogs.h"
#include "register/NameList.h"
#include "register/RegisterColumns.h"
#include "register/ui/RegisterDelegate.h"
#include "register/ui/RegisterModel.h"
#include "ui/DateCellEdit.h"

namespace col = ledgora::col;

class RegisterDelegateTest : public QObject {
    Q_OBJECT

private:
    ledgora::NameList categories_{{"Loyer"}};
    ledgora::NameList modes_{{"Chèque"}};
    platform::ScriptedDialogs dialogs_;
    QStandardItemModel model_{1, col::Creder};
    RegisterDelegate delegate_{categories_, modes_, dialogs_};
    QWidget parent_;

    QModelIndex cell(int gridColumn) { return model_.index(0, gridColumn - 1); }
    // The editor of a cell holding `text`, as the view opens it.
    QWidget* open(int gridColumn, const QString& text) {
        const QModelIndex index = cell(gridColumn);
        model_.setData(index, text, Qt::EditRole);
        QWidget* editor = delegate_.createEditor(&parent_, QStyleOptionViewItem(), index);
        delegate_.setEditorData(editor, index);
        return editor;
    }

private slots:
    void aDateOpensAsCoreReadsIt() {
        const struct {
            const char* cell;
            const char* shown;
            bool takes;
        } cases[] = {
            {"1/2/2024", "01/02/2024", true},    {"5/3/24", "05/03/2024", true},
            {"29022024", "29/02/2024", true},    {" 7/11/2023 ", "07/11/2023", true},
            {"31/02/2024", "31/02/2024", false}, // never today, never the nearest date
            {"bientôt", "bientôt", false},       {"", "", true},
        };
        for (const auto& c : cases) {
            auto* editor = qobject_cast<DateCellEdit*>(open(col::Date, QString::fromUtf8(c.cell)));
            QVERIFY(editor != nullptr);
            QCOMPARE(editor->text(), QString::fromUtf8(c.shown));
            QCOMPARE(RegisterDelegate::refusesToClose(editor), !c.takes);
            // What the editor cannot take leaves the cell as it was.
            delegate_.setModelData(editor, &model_, cell(col::Date));
            QCOMPARE(model_.data(cell(col::Date), Qt::EditRole).toString(),
                     QString::fromUtf8(c.takes ? c.shown : c.cell));
            delete editor;
        }
    }

    void aDateIsTypedOrPastedWhole() {
        const struct {
            const char* typed;
            const char* kept;
            bool takes;
        } cases[] = {
            {"1/2/2024", "1/2/2024", true},      {"01022024", "01022024", true},
            {"1.2.2024", "122024", false},       {"le 1/2", " 1/2", false},
            {"31/12/19999", "31/12/1999", true},
        };
        for (const auto& c : cases) {
            auto* editor = qobject_cast<DateCellEdit*>(open(col::Date, QString()));
            QTest::keyClicks(editor, QString::fromUtf8(c.typed));
            QCOMPARE(editor->text(), QString::fromUtf8(c.kept));
            QCOMPARE(editor->holdsDate(), c.takes);
            delete editor;
        }
        // Pasted with the blanks around it, as copied from a text.
        QApplication::clipboard()->setText(QStringLiteral(" 14/07/2024 "));
        auto* editor = qobject_cast<DateCellEdit*>(open(col::Date, QString()));
        editor->paste();
        QVERIFY(editor->holdsDate());
        delete editor;
    }

    void anAmountTakesWhatCoreReads() {
        const struct {
            const char* typed;
            const char* kept;
            bool whole;
        } cases[] = {
            {"1500,50", "1500,50", true}, // the French comma
            {"12.5", "12.5", true},       {"-7", "-7", true},
            {"12a3", "123", true},   // a letter is refused, the digits go on
            {"1,2,3", "1,23", true}, // one decimal separator
            {"1,5.2", "1,52", true},      {"-", "-", false}, // still to be typed
            {"2e3", "2e3", true},                            // core reads an exponent too
            {"1e99", "1e9", true}, // beyond every amount: the last digit is refused
        };
        for (const auto& c : cases) {
            auto* editor = qobject_cast<QLineEdit*>(open(col::Debit, QString()));
            QVERIFY(editor != nullptr);
            QTest::keyClicks(editor, QString::fromUtf8(c.typed));
            QCOMPARE(editor->text(), QString::fromUtf8(c.kept));
            QCOMPARE(editor->hasAcceptableInput(), c.whole);
            delete editor;
        }
        // Typing over a filled cell replaces its amount; a paste that is no amount is refused.
        auto* editor = qobject_cast<QLineEdit*>(open(col::Credit, QStringLiteral("700.00")));
        QTest::keyClicks(editor, QStringLiteral("80"));
        QCOMPARE(editor->text(), QStringLiteral("80"));
        QApplication::clipboard()->setText(QStringLiteral("1 234,56"));
        editor->selectAll();
        editor->paste();
        QCOMPARE(editor->text(), QStringLiteral("80"));
        delegate_.setModelData(editor, &model_, cell(col::Credit));
        QCOMPARE(model_.data(cell(col::Credit), Qt::EditRole).toString(), QStringLiteral("80"));
        delete editor;
    }
};

QTEST_MAIN(RegisterDelegateTest)
#include "RegisterDelegateTest.moc"
