// The handheld user choice on screen, used as a user would: the users listed in order with
// the stored one selected, the arrow keys and Enter, a double click, Escape and "Annuler".
#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "../../app/Shots.h"
#include "handheld/ui/QtPalmUserChooser.h"
#include "handheld/ui/TFPalmUser.h"

namespace {

const std::vector<std::string> kUsers = {"Anne P", "Bob", "Élodie Durand"};

// Answers the dialog that the chooser opens, once it is up.
std::optional<int> chooseWith(const std::function<void(TFPalmUser&)>& answer) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<TFPalmUser*>(QApplication::activeModalWidget())) {
            poll.stop();
            // An answer that does not close the dialog fails the case rather than hangs.
            QTimer::singleShot(3000, dialog, &QDialog::reject);
            answer(*dialog);
        }
    });
    poll.start();
    QtPalmUserChooser chooser(nullptr);
    return chooser.choosePalmUser(kUsers, 1);
}

QListWidget* list(QWidget& w) {
    return w.findChild<QListWidget*>();
}

} // namespace

class TFPalmUserTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheUsersWithTheStoredOneSelected() {
        const struct {
            int stored;
            int shown;
        } cases[] = {{0, 0}, {2, 2}, {3, 0}, {-1, 0}};
        for (const auto& c : cases) {
            TFPalmUser dialog(kUsers, c.stored);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Choix de l'utilisateur Palm"));
            QListWidget* users = list(dialog);
            QVERIFY(users != nullptr);
            QCOMPARE(users->count(), 3);
            QCOMPARE(users->item(2)->text(), QStringLiteral("Élodie Durand"));
            QCOMPARE(users->currentRow(), c.shown);
            QCOMPARE(dialog.chosen(), c.shown);
        }
        TFPalmUser dialog(kUsers, 1);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveShot(dialog, "handheld-user-choice.png");
    }

    void answersAsTheUserDid() {
        const struct {
            const char* name;
            std::function<void(TFPalmUser&)> answer;
            std::optional<int> chosen;
        } cases[] = {
            {"Enter takes the selected user",
             [](TFPalmUser& d) { QTest::keyClick(list(d), Qt::Key_Return); }, 1},
            {"Down then Enter takes the next",
             [](TFPalmUser& d) {
                 QTest::keyClick(list(d), Qt::Key_Down);
                 QTest::keyClick(list(d), Qt::Key_Return);
             },
             2},
            {"Home then OK takes the first",
             [](TFPalmUser& d) {
                 QTest::keyClick(list(d), Qt::Key_Home);
                 QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                                   Qt::LeftButton);
             },
             0},
            {"a double click takes that user",
             [](TFPalmUser& d) {
                 QListWidget* users = list(d);
                 const QRect place = users->visualItemRect(users->item(2));
                 // The view takes a double click on the item its first click pressed.
                 QTest::mouseClick(users->viewport(), Qt::LeftButton, {}, place.center());
                 QTest::mouseDClick(users->viewport(), Qt::LeftButton, {}, place.center());
             },
             2},
            {"Escape stops", [](TFPalmUser& d) { QTest::keyClick(list(d), Qt::Key_Escape); },
             std::nullopt},
            {"Annuler stops",
             [](TFPalmUser& d) {
                 QTest::keyClick(list(d), Qt::Key_Down);
                 QTest::mouseClick(
                     d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel),
                     Qt::LeftButton);
             },
             std::nullopt},
        };
        for (const auto& c : cases) {
            const std::optional<int> chosen = chooseWith(c.answer);
            QVERIFY2(chosen == c.chosen, qPrintable(QStringLiteral("%1: %2")
                                                        .arg(QLatin1String(c.name))
                                                        .arg(chosen ? *chosen : -1)));
            QVERIFY2(QApplication::activeModalWidget() == nullptr, c.name);
        }
    }
};

QTEST_MAIN(TFPalmUserTest)
#include "TFPalmUserTest.moc"
