// The handheld commands of the main window, offscreen, with the real builder registered
// from the program folder: the two items of "&Compte" and when they are on, an export and
// an import through them with the user choice answered on screen, the hourglass around the
// database steps only, and the program's current folder at start.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

#include "../handheld/HotSyncWorld.h"
#include "AppWindow.h"
#include "Shots.h"
#include "app/TForm1.h"
#include "handheld/ui/TFPalmUser.h"
#include "platform/CurrentFolder.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/RegisterModel.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
namespace settings = platform::settings;
using platform::Hive;

namespace {

constexpr const char* kExported = "Le compte a été exporté vers votre Palm.\rLa mise à jour sera "
                                  "effective une fois que vous aurez synchronisé votre Palm.";
constexpr const char* kConfirmImport = "Le compte va être importé depuis votre Palm.\rSi ce "
                                       "n'est déjà fait, synchronisez votre Palm puis cliquez "
                                       "sur OK.";
constexpr const char* kImported = "Le compte a été importé depuis votre Palm.";

bool hourglass() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

// Scripted answers that also note whether the hourglass was up when each box showed.
struct WatchedDialogs : ledgora::ScriptedAccountForms {
    platform::Reply message(platform::MessageKind kind, const std::string& text,
                            platform::Buttons buttons, const std::string& title) override {
        busyAt.push_back(hourglass());
        return ScriptedDialogs::message(kind, text, buttons, title);
    }
    void restart() {
        clear();
        busyAt.clear();
    }
    std::vector<bool> busyAt;
};

// What the handheld user choice showed, and the keys typed into it.
struct PalmUserAnswer {
    QStringList users;
    int preselected = -1;
    bool busy = true;
    bool asked = false;
};

} // namespace

class HandheldTest : public QObject {
    Q_OBJECT

private:
    platform::Paths paths() const {
        const std::string root = home_->path().string();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    static QAction* action(TForm1& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }
    static QMenu* compte(TForm1& w) {
        for (QAction* a : w.menuBar()->actions()) {
            if (a->text() == QStringLiteral("&Compte")) {
                return a->menu();
            }
        }
        return nullptr;
    }
    static void openMenu(TForm1& w) { emit compte(w)->aboutToShow(); }

    // Answers the next `TFPalmUser` with `keys`, typed into its list.
    void answerPalmUser(PalmUserAnswer& seen, std::vector<Qt::Key> keys) {
        auto* poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [poll, &seen, keys] {
            auto* dialog = qobject_cast<TFPalmUser*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            auto* list = dialog->findChild<QListWidget*>();
            seen.asked = true;
            seen.busy = hourglass();
            seen.preselected = list->currentRow();
            for (int i = 0; i < list->count(); ++i) {
                seen.users << list->item(i)->text();
            }
            for (Qt::Key key : keys) {
                QTest::keyClick(list, key);
            }
        });
        poll->start();
    }

    std::unique_ptr<ledgora::testing::TempFolder> home_;
    QByteArray savedHome_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};

private slots:
    void initTestCase() { savedHome_ = qgetenv("LEDGORA_HOME"); }
    void cleanupTestCase() { qputenv("LEDGORA_HOME", savedHome_); }

    // A home of its own for each test, with the builder in its program folder.
    void init() {
        home_ = std::make_unique<ledgora::testing::TempFolder>();
        // The registration tool and the builder read and write this home's settings.
        qputenv("LEDGORA_HOME", QByteArray::fromStdString(home_->path().string()));
        const std::string program = home_->file("program");
        fs::create_directories(program);
        for (const char* file : {"regsvr", "libtrellisk.so"}) {
            fs::copy_file(std::string(LEDGORA_BIN_DIR) + "/" + file, program + "/" + file);
        }
        // The program works in its data folder; the builder's index lies beside it.
        QVERIFY(platform::enterFolder(paths().dataFolder()));
    }
    // The current folder leaves the home with it.
    void cleanup() { home_.reset(); }

    void theItemsNeedHandheldUsersAndAnOpenAccount() {
        WatchedDialogs dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        QVERIFY(w.builder() != nullptr);
        QMenu* menu = compte(w);
        QVERIFY(menu != nullptr);
        QStringList texts;
        for (QAction* a : menu->actions()) {
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        // Between two separators, after the account's save and export commands.
        const auto at = texts.indexOf(QStringLiteral("Exporter vers Palm et compatibles..."));
        QVERIFY(at > 0);
        QCOMPARE(texts.mid(at - 3, 6),
                 (QStringList{QStringLiteral("En&registrer sous..."),
                              QStringLiteral("E&xporter..."), QStringLiteral("-"),
                              QStringLiteral("Exporter vers Palm et compatibles..."),
                              QStringLiteral("Importer depuis Palm et compatibles..."),
                              QStringLiteral("-")}));

        // No handheld user, with or without an account.
        openMenu(w);
        QVERIFY(!action(w, "ExporterversPalm1")->isEnabled());
        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());
        openMenu(w);
        QVERIFY(!action(w, "ExporterversPalm1")->isEnabled());
        QVERIFY(!action(w, "ImporterdepuisPalm1")->isEnabled());
    }

    void theItemsAreOnWithHandheldUsersAndAnOpenAccount() {
        // The builder finds the HotSync users when it is created, at the program's start.
        platform::Registry registry(paths().registryFolder());
        ledgora::testing::HotSyncWorld hotSync(registry, home_->file("Palm"));
        WatchedDialogs dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        openMenu(w);
        QVERIFY(!action(w, "ExporterversPalm1")->isEnabled()); // no account yet
        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());
        openMenu(w);
        QVERIFY(action(w, "ExporterversPalm1")->isEnabled());
        QVERIFY(action(w, "ImporterdepuisPalm1")->isEnabled());

        QMenu* menu = compte(w);
        menu->popup(w.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        saveShot(*menu, "compte-menu.png");
        menu->close();
        QCOMPARE(dialogs.unscripted(), 0);
    }

    void anAccountGoesToTheHandheldAndComesBack() {
        platform::Registry registry(paths().registryFolder());
        ledgora::testing::HotSyncWorld hotSync(registry, home_->file("Palm"));
        // Bob was chosen last time.
        registry.writeInteger(Hive::CurrentUser, settings::optionsKey(), settings::kPalmUser, 1);
        WatchedDialogs dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        w.show();
        w.activateWindow();
        auto& session = w.workspace().session();
        QTRY_VERIFY(session.isOpen());
        RegisterModel* model = w.model();
        QVERIFY(model->setData(model->indexOf(2, ledgora::col::Notes), QStringLiteral("Café"),
                               Qt::EditRole));
        QVERIFY(model->setData(model->indexOf(2, ledgora::col::Debit), QStringLiteral("45.10"),
                               Qt::EditRole));
        QCOMPARE(session.grid().at(2, ledgora::col::Debit), std::string("45.10"));

        // Export: Up takes Anne instead of Bob, Enter says OK.
        dialogs.restart();
        dialogs.yes();
        PalmUserAnswer seen;
        answerPalmUser(seen, {Qt::Key_Up, Qt::Key_Return});
        action(w, "ExporterversPalm1")->trigger();
        QVERIFY(seen.asked);
        QCOMPARE(seen.users, (QStringList{QStringLiteral("Anne P"), QStringLiteral("Bob")}));
        QCOMPARE(seen.preselected, 1);
        QVERIFY(!seen.busy);
        QCOMPARE(dialogs.texts(),
                 (std::vector<std::string>{
                     "Confirmez-vous l'exportation de ce compte vers votre Palm ?", kExported}));
        QCOMPARE(dialogs.busyAt, (std::vector<bool>{false, false}));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        for (const char* file :
             {"Anne_Courant.pdb", "rubriques.pdb", "Modes.pdb", "Anne_Courant_params.pdb"}) {
            QVERIFY2(fs::is_regular_file(hotSync.install() / file), file);
        }
        QCOMPARE(registry.readInteger(Hive::CurrentUser, settings::optionsKey(),
                                      settings::kPalmUser, -1),
                 0);

        // Meanwhile on the desktop: the operation is changed and the account goes to francs.
        hotSync.hotSync();
        QVERIFY(model->setData(model->indexOf(2, ledgora::col::Notes), QStringLiteral("Autre"),
                               Qt::EditRole));
        action(w, "Franc1")->trigger();
        QVERIFY(!session.euros());

        dialogs.restart();
        dialogs.ok();
        PalmUserAnswer again;
        answerPalmUser(again, {Qt::Key_Return});
        action(w, "ImporterdepuisPalm1")->trigger();
        QCOMPARE(again.preselected, 0);
        QCOMPARE(dialogs.texts(), (std::vector<std::string>{kConfirmImport, kImported}));
        QCOMPARE(dialogs.busyAt, (std::vector<bool>{false, false}));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(session.euros());
        QVERIFY(action(w, "Euro1")->isChecked());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral("(Euros)")));
        QCOMPARE(model->indexOf(2, ledgora::col::Notes).data().toString(), QStringLiteral("Café"));
        QCOMPARE(session.grid().at(2, ledgora::col::Debit), std::string("45.10"));
        QCOMPARE(w.grid()->currentIndex(), model->indexOf(model->rowCount(), ledgora::col::Solde));

        // Bob never synchronised: the databases are not in his backup folder. The builder's
        // answer shows while the step's hourglass is up, and the account stays as it was.
        dialogs.restart();
        dialogs.ok();
        PalmUserAnswer bob;
        answerPalmUser(bob, {Qt::Key_Down, Qt::Key_Return});
        action(w, "ImporterdepuisPalm1")->trigger();
        const std::vector<std::string> texts = dialogs.texts();
        QVERIFY(texts.size() >= 3);
        QCOMPARE(texts[1],
                 std::string("Error [1] : Palm OS : nom de fichier incorrect pour le PDB"));
        QCOMPARE(dialogs.busyAt[1], true);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(session.grid().at(2, ledgora::col::Notes), std::string("Café"));

        // "Annuler" in the choice: nothing more is shown.
        dialogs.restart();
        dialogs.yes();
        PalmUserAnswer cancelled;
        answerPalmUser(cancelled, {Qt::Key_Escape});
        action(w, "ExporterversPalm1")->trigger();
        QVERIFY(cancelled.asked);
        QCOMPARE(dialogs.texts().size(), std::size_t{1});
        QCOMPARE(dialogs.unscripted(), 0);
    }

    void theProgramWorksInItsDataFolder() {
        const ledgora::testing::TempFolder other;
        const ledgora::testing::TempFolder elsewhere;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LEDGORA_HOME"), QString::fromStdString(other.path().string()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QString::fromStdString(elsewhere.path().string()));
        program.start(QStringLiteral(LEDGORA_BIN_DIR "/ledgora"), {});
        QVERIFY(program.waitForStarted());
        const fs::path data = other.path() / "Orvand" / "Ledgora";
        const fs::path cwd = "/proc/" + std::to_string(program.processId()) + "/cwd";
        std::error_code ec;
        QTRY_VERIFY_WITH_TIMEOUT(fs::equivalent(fs::read_symlink(cwd, ec), data, ec), 15000);
        program.kill();
        program.waitForFinished();
    }
};

QTEST_MAIN(HandheldTest)
#include "HandheldTest.moc"
