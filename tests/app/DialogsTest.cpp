// The forms of the "&Compte" menu and the choosers, offscreen.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "register/ui/ChooseDialogs.h"
#include "register/ui/NameDialogs.h"
#include "register/ui/TFloatEdit.h"

class DialogsTest : public QObject {
    Q_OBJECT

private:
    static QPushButton* button(QDialog& d, QDialogButtonBox::StandardButton which) {
        return d.findChild<QDialogButtonBox*>()->button(which);
    }

private slots:
    void newAccountFormCannotBeSkippedWithoutAnOpenAccount() {
        std::vector<std::string> checked;
        TNewCompte form(false, false, [&](const platform::NameForm& f) {
            checked.push_back(f.name);
            return f.name != "Refusé";
        });
        form.show();
        QVERIFY(!button(form, QDialogButtonBox::Cancel)->isEnabled());
        QVERIFY(!button(form, QDialogButtonBox::Ok)->isEnabled());
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(form.findChildren<QRadioButton*>()[0]->isChecked()); // "Francs"
        form.reject();
        QVERIFY(form.isVisible()); // Escape does nothing either

        auto edits = form.findChildren<QLineEdit*>();
        QLineEdit* name = edits[0];
        QTest::keyClicks(name, "Mon_compte");
        QCOMPARE(name->text(), QStringLiteral("Moncompte")); // "_" is refused
        QVERIFY(button(form, QDialogButtonBox::Ok)->isEnabled());

        auto* amount = form.findChild<TFloatEdit*>();
        QTest::keyClicks(amount, "-12a.5,x");
        QCOMPARE(amount->text(), QStringLiteral("-12.5"));

        name->setText(QStringLiteral("Refusé"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(form.isVisible()); // the check refused it
        name->setText(QStringLiteral("Livret"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(checked, (std::vector<std::string>{"Refusé", "Livret"}));
        QCOMPARE(form.form().amount, std::string("-12.5"));
        QVERIFY(!form.form().euros);
    }

    void userChooserKeepsThePlaceAfterADeletion() {
        std::vector<std::string> users{"Anne", "Bob", "Carl"};
        TChooseUserDlg chooser(
            QStringLiteral("Choisir un utilisateur"), [&] { return users; }, 5,
            [&](const std::string& name) { std::erase(users, name); });
        auto* list = chooser.findChild<QListWidget*>();
        QCOMPARE(list->currentRow(), 0); // beyond the list: the first
        list->setCurrentRow(2);
        chooser.findChildren<QPushButton*>()[1]->click(); // delete the selected user
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentRow(), 1); // the last one, as the list became shorter
        list->setCurrentRow(0);
        chooser.findChildren<QPushButton*>()[1]->click();
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Bob"));
        chooser.findChildren<QPushButton*>()[1]->click();
        QCOMPARE(list->count(), 0);
        QVERIFY(!button(chooser, QDialogButtonBox::Ok)->isEnabled());
        chooser.findChildren<QPushButton*>()[0]->click(); // "Créer un nouvel utilisateur"
        QCOMPARE(chooser.choice().outcome, platform::UserChoice::Outcome::CreateUser);
    }

    void accountChooserWithNothingToChoose() {
        TChooseDlg empty(QString(), {}, 0);
        QCOMPARE(empty.windowTitle(), QStringLiteral("Dialogue"));
        QVERIFY(!button(empty, QDialogButtonBox::Ok)->isEnabled());
        TChooseDlg some(QStringLiteral("Ouvrir un compte existant"), {"A", "B"}, 1);
        QCOMPARE(some.chosen(), 1);
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
