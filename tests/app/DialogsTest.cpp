// The forms of the "&Compte" menu and the choosers, offscreen.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Shots.h"
#include "support/TempFolder.h"
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include "money/Amount.h"
#include "register/ui/TChooseUserDlg.h"
#include "register/ui/TNewCompte.h"
#include "register/ui/TNewUser.h"
#include "ui/FrenchFileDialog.h"
#include "ui/QtDialogs.h"
#include "ui/TChooseDlg.h"
#include "ui/TFloatEdit.h"

class DialogsTest : public QObject {
    Q_OBJECT

private:
    static QPushButton* button(QDialog& d, QDialogButtonBox::StandardButton which) {
        return d.findChild<QDialogButtonBox*>()->button(which);
    }

private slots:
    void newAccountFormCannotBeSkippedWithoutAnOpenAccount() {
        std::vector<std::string> checked;
        TNewCompte form(false, false, [&](const ledgora::NameForm& f) {
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

        // A French user types the comma; letters and blanks are dropped.
        auto* amount = form.findChild<TFloatEdit*>();
        QTest::keyClicks(amount, "1 5a00,x50");
        QCOMPARE(amount->text(), QStringLiteral("1500,50"));
        saveShot(form, "new-account-1500,50.png");

        name->setText(QStringLiteral("Refusé"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(form.isVisible()); // the check refused it
        name->setText(QStringLiteral("Livret"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(checked, (std::vector<std::string>{"Refusé", "Livret"}));
        QCOMPARE(form.form().amount, std::string("1500,50"));
        QCOMPARE(ledgora::parseTypedAmount(form.form().amount), 1500.5);
        QVERIFY(!form.form().euros);
    }

    void userChooserKeepsThePlaceAfterADeletion() {
        std::vector<std::string> users{"Anne", "Bob", "Carl"};
        TChooseUserDlg chooser(
            QStringLiteral("Choisir un utilisateur"), [&] { return users; }, 5,
            [&](const std::string& name) { std::erase(users, name); });
        chooser.show();
        saveShot(chooser, "user-chooser.png");
        // No caption is cut short.
        for (QPushButton* b : chooser.findChildren<QPushButton*>()) {
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
        }
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
        QCOMPARE(chooser.choice().outcome, ledgora::UserChoice::Outcome::CreateUser);
    }

    void aRefusedNameTakesTheFocusBack() {
        TNewUser form([](const ledgora::NameForm& f) { return f.name != "Refusé"; });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto edits = form.findChildren<QLineEdit*>();
        QLineEdit* name = edits[0];
        QLineEdit* password = edits[1];
        name->setText(QStringLiteral("Refusé"));
        password->setFocus();
        QTest::keyClicks(password, "pw");
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->selectedText(), QStringLiteral("Refusé")); // ready to be typed over
    }

    void destructiveQuestionsDefaultToNo() {
        const struct {
            platform::Buttons buttons;
            const char* defaultCaption;
            platform::Reply enter;
            Qt::Key key = Qt::Key_Return; // one Enter
        } cases[] = {
            {platform::Buttons::YesNoDefaultNo, "&Non", platform::Reply::No},
            {platform::Buttons::YesNo, "&Oui", platform::Reply::Yes},
            {platform::Buttons::YesNoCancel, "&Oui", platform::Reply::Yes},
            // The calculator's question about its page: Escape keeps the page.
            {platform::Buttons::YesNoCancel, "&Oui", platform::Reply::Cancel, Qt::Key_Escape},
        };
        QtDialogs dialogs;
        for (const auto& c : cases) {
            QString shownDefault;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                shownDefault = box->defaultButton()->text();
                QTest::keyClick(box, c.key);
            });
            const platform::Reply reply =
                dialogs.message(platform::MessageKind::Warning,
                                "Ce compte existe déjà. Voulez-vous le remplacer ?", c.buttons);
            QCOMPARE(shownDefault, QString::fromLatin1(c.defaultCaption));
            QCOMPARE(reply, c.enter);
        }
    }

    void fileDialogsSpeakFrench() {
        QTranslator qtFrench;
        QVERIFY(qtFrench.load(QStringLiteral("qtbase_fr"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QApplication::installTranslator(&qtFrench);
        const ledgora::testing::TempFolder temp;
        const QDir folder(QString::fromStdString(temp.path().string()));
        QDir(folder.path()).mkdir(QStringLiteral("Archives"));
        QFile page(folder.path() + QStringLiteral("/page.CLC"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(QByteArray(2048, 'x'));
        page.close();

        FrenchFileDialog dialog(nullptr, QStringLiteral("Ouvrir"), folder.path(),
                                QStringLiteral("Calculatrice (*.CLC)"));
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        dialog.show();
        auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(view != nullptr);
        QAbstractItemModel* files = view->model();
        QTRY_COMPARE(files->rowCount(view->rootIndex()), 2);
        QStringList header;
        for (int c = 0; c < 4; ++c) {
            header << files->headerData(c, Qt::Horizontal).toString();
        }
        QCOMPARE(header, (QStringList{"Nom", "Taille", "Type", "Dernière modification"}));
        const QLocale fr(QLocale::French, QLocale::France);
        const QFileInfo info(page.fileName());
        QMap<QString, QStringList> rows;
        for (int r = 0; r < 2; ++r) {
            const QModelIndex name = files->index(r, 0, view->rootIndex());
            QTRY_VERIFY(!files->index(r, 2, view->rootIndex()).data().toString().isEmpty());
            for (int c = 1; c < 4; ++c) {
                rows[name.data().toString()]
                    << files->index(r, c, view->rootIndex()).data().toString();
            }
        }
        QCOMPARE(rows.value(QStringLiteral("Archives")).value(1), QStringLiteral("Dossier"));
        QCOMPARE(rows.value(QStringLiteral("page.CLC")),
                 (QStringList{fr.formattedDataSize(2048), QStringLiteral("Fichier CLC"),
                              fr.toString(info.lastModified(), QLocale::ShortFormat)}));
        QStringList buttons;
        for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
            buttons << b->text();
        }
        QVERIFY2(buttons.contains(QStringLiteral("&Ouvrir")), qPrintable(buttons.join(",")));
        QVERIFY2(buttons.contains(QStringLiteral("Annuler")), qPrintable(buttons.join(",")));
        // The list's context menu too.
        QStringList actions;
        for (QAction* a : dialog.findChildren<QAction*>()) {
            actions << a->text();
        }
        for (const char* french : {"&Renommer", "Suppri&mer", "&Nouveau dossier"}) {
            QVERIFY2(actions.contains(QString::fromUtf8(french)), french);
        }
        saveShot(dialog, "file-dialog.png");
        QApplication::removeTranslator(&qtFrench);
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
