// The main window's export, printing, backup and autosave wiring, offscreen: the items of
// "&Compte" and "&Options" in their order, an export through the save dialog, printing to
// a PDF file through the replaceable print dialog, the preview and its black-and-white
// switch, the autosave timer, the backup offered at closing and a restore.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <filesystem>
#include <functional>
#include <memory>

#include "AppWindow.h"
#include "Shots.h"
#include "app/TForm1.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/ExportCommand.h"
#include "register/RegisterColumns.h"
#include "register/RegisterLook.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/QtAutoSaveTimer.h"
#include "register/ui/QtExportForms.h"
#include "register/ui/RegisterModel.h"
#include "register/ui/TBackupDlg.h"
#include "support/TempFolder.h"
#include "ui/TPagePreview.h"

namespace fs = std::filesystem;
namespace settings = platform::settings;
using platform::Hive;

namespace {

struct ScriptedExport : ledgora::ExportForms {
    std::optional<ledgora::ExportChoice> chooseExportFile(const std::string&, const fs::path&,
                                                          const std::string& name,
                                                          ledgora::ExportFormat) override {
        proposed = name;
        return answer;
    }
    std::optional<ledgora::ExportChoice> answer;
    std::string proposed;
};

struct ScriptedBackup : ledgora::BackupForms, ledgora::BackupOfferForm {
    std::optional<fs::path> chooseBackupFolder(const std::string&, const fs::path&,
                                               const std::vector<fs::path>&) override {
        return folder;
    }
    void beep() override {}
    ledgora::BackupOfferReply offerBackup() override {
        ++offers;
        return reply;
    }
    std::optional<fs::path> folder;
    ledgora::BackupOfferReply reply;
    int offers = 0;
};

QStringList itemTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return texts;
}

// Runs `answer` on the next modal window of type D, from the event loop it opens.
template <typename D> void whenModal(QObject* owner, std::function<void(D&)> answer) {
    auto* poll = new QTimer(owner);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, answer] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(*dialog);
    });
    poll->start();
}

// With LEDGORA_SHOTS set, a printed file is kept there too, to be looked at.
void keepPrint(const fs::path& file, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        std::error_code ec;
        fs::copy_file(file, fs::path(folder.toStdString()) / name,
                      fs::copy_options::overwrite_existing, ec);
    }
}

// The text of a PDF file; empty when pdftotext is not installed.
QString pdfText(const fs::path& pdf) {
    const std::string command = "pdftotext -layout '" + pdf.string() + "' - 2>/dev/null";
    QString text;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        QByteArray bytes;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) {
            bytes.append(buffer, qsizetype(n));
        }
        ::pclose(p);
        text = QString::fromUtf8(bytes);
    }
    return text;
}

} // namespace

class AccountFilesTest : public QObject {
    Q_OBJECT

private:
    platform::Paths paths() const {
        const std::string root = home_->path().string();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    static QAction* action(TForm1& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }
    static QMenu* menu(TForm1& w, const QString& title) {
        for (QAction* a : w.menuBar()->actions()) {
            if (a->text() == title) {
                return a->menu();
            }
        }
        return nullptr;
    }
    // The window with "Anne" and her account "Courant" open, the forms scripted.
    std::unique_ptr<TForm1> openWindow() {
        dialogs_.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        auto w = std::make_unique<AppWindow>(paths(), dialogs_, clock_);
        w->setExportForms(&export_);
        w->setBackupForms(&backup_);
        w->setBackupOffer(&backup_);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitFor([&] { return w->workspace().session().isOpen(); })) {
            return nullptr;
        }
        auto* model = w->model();
        model->setData(model->indexOf(2, ledgora::col::Notes), QStringLiteral("Café"),
                       Qt::EditRole);
        model->setData(model->indexOf(2, ledgora::col::Debit), QStringLiteral("45,10"),
                       Qt::EditRole);
        return w;
    }
    // Prints to `pdf` when the print dialog would open; counts the dialogs.
    PrintDialogRun printTo(const fs::path& pdf, int& asked, bool accept = true) {
        return [pdf, &asked, accept](QPrinter& printer, int) {
            ++asked;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf.string()));
            return accept;
        };
    }

    std::unique_ptr<ledgora::testing::TempFolder> home_;
    ledgora::ScriptedAccountForms dialogs_;
    ScriptedExport export_;
    ScriptedBackup backup_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};

private slots:
    void init() {
        home_ = std::make_unique<ledgora::testing::TempFolder>();
        dialogs_.clear();
        export_ = {};
        backup_ = {};
    }

    void itemsInTheirOrderAndWhenTheyAreOn() {
        AppWindow w(paths(), dialogs_, clock_);
        const QStringList compte = itemTexts(menu(w, QStringLiteral("&Compte")));
        const auto at = compte.indexOf(QStringLiteral("En&registrer sous..."));
        QVERIFY(at > 0);
        QCOMPARE(
            compte.mid(at),
            (QStringList{"En&registrer sous...", "E&xporter...", "-",
                         "Exporter vers Palm et compatibles...",
                         "Importer depuis Palm et compatibles...", "-",
                         "Faire une copie de sauvegarde...", "Restaurer une copie de sauvegarde...",
                         "-", "&Aperçu avant impression...", "&Imprimer...", "-", "&Quitter"}));
        QCOMPARE(action(w, "Aperuavantimpression1")->shortcut(), QKeySequence("Ctrl+A"));
        QCOMPARE(action(w, "Imprimer1")->shortcut(), QKeySequence("Ctrl+P"));
        const QStringList options = itemTexts(menu(w, QStringLiteral("&Options")));
        QCOMPARE(options.mid(options.indexOf(QStringLiteral("&Rubriques et modes de paiement..."))),
                 (QStringList{"&Rubriques et modes de paiement...",
                              "&Enregistrement automatique...", "-", "&Sons",
                              "Proposer sauvegarde en quittant", "Imprimer en noir et &blanc"}));
        // "Imprimer" stands alone between the line buttons and "Monnaie".
        QStringList toolbar;
        for (QAction* a : w.findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions()) {
            toolbar << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        const auto print = toolbar.indexOf(QStringLiteral("Imprimer"));
        QVERIFY(print > 0);
        QCOMPARE(toolbar.mid(print - 2, 5),
                 (QStringList{"Supprimer", "-", "Imprimer", "-", "Monnaie"}));

        // No account open: only the restore is on.
        emit menu(w, QStringLiteral("&Compte"))->aboutToShow();
        for (const char* name : {"Exporter1", "Faireunecopiedesauvegarde1", "Aperuavantimpression1",
                                 "Imprimer1", "ImprimerBtn"}) {
            QVERIFY2(!action(w, name)->isEnabled(), name);
        }
        QVERIFY(action(w, "Restaurerunecopiedesauvegarde1")->isEnabled());
        QVERIFY(action(w, "Proposersauvegardeenquittant1")->isChecked());
    }

    void exportsThroughTheDialogWithTheExtensionRule() {
        auto w = openWindow();
        QVERIFY(w != nullptr);
        emit menu(*w, QStringLiteral("&Compte"))->aboutToShow();
        QVERIFY(action(*w, "Exporter1")->isEnabled());
        const fs::path folder = home_->path() / "exports";
        fs::create_directories(folder);
        export_.answer = ledgora::ExportChoice{folder / "releve.csv", ledgora::ExportFormat::Text};
        action(*w, "Exporter1")->trigger();
        QCOMPARE(export_.proposed, std::string("Courant.xls"));
        QVERIFY(!fs::exists(folder / "releve.csv"));
        const auto& session = w->workspace().session();
        const ledgora::RegisterLook look(session.budgetLimits(), &session.spending());
        const auto written = platform::readFile(folder / "releve.txt");
        QVERIFY(written.has_value());
        QCOMPARE(*written, ledgora::exportBytes(ledgora::ExportFormat::Text, session.grid(), look));
        QVERIFY(written->find("Café") == std::string::npos); // written in Windows-1252
        QVERIFY(written->find("45.10") != std::string::npos);
        // Remembered, and written at the next settings save.
        QVERIFY(w->close());
        QCOMPARE(platform::Registry(paths().registryFolder())
                     .readString(Hive::CurrentUser, settings::optionsKey(), "CheminExport", ""),
                 folder.string());
        QCOMPARE(
            platform::Registry(paths().registryFolder())
                .readInteger(Hive::CurrentUser, settings::optionsKey(), "ExportFilterIndex", 0),
            3);
    }

    void theSaveDialogListsTheFiveFormats() {
        QWidget owner;
        QtExportForms forms(&owner);
        const fs::path folder = home_->path();
        QStringList shownFilters;
        QString shownFilter;
        whenModal<QFileDialog>(this, [&](QFileDialog& d) {
            shownFilters = d.nameFilters();
            shownFilter = d.selectedNameFilter();
            QCOMPARE(d.windowTitle(), QStringLiteral("Exportation du compte"));
            QCOMPARE(d.acceptMode(), QFileDialog::AcceptSave);
            d.resize(640, 420);
            saveShot(d, "export-dialog.png");
            d.selectNameFilter(shownFilters.value(2));
            d.selectFile(QString::fromStdString((folder / "releve.csv").string()));
            static_cast<QDialog&>(d).accept(); // as "Enregistrer" does
        });
        const auto choice = forms.chooseExportFile(ledgora::kExportCaption, folder, "Courant.htm",
                                                   ledgora::ExportFormat::Html);
        QCOMPARE(shownFilters, QtExportForms::nameFilters());
        QCOMPARE(shownFilters.size(), 5);
        QCOMPARE(shownFilters.value(0), QStringLiteral("Comma Separated Value (.csv) (*.csv)"));
        QCOMPARE(shownFilter, QStringLiteral("HTML (.htm)")); // the pattern hidden
        QVERIFY(choice.has_value());
        QCOMPARE(choice->format, ledgora::ExportFormat::Text);
        QCOMPARE(choice->typed, folder / "releve.csv");
    }

    void printsToPdfThroughThePrintDialog() {
        auto w = openWindow();
        QVERIFY(w != nullptr);
        const fs::path pdf = home_->path() / "releve.pdf";
        int asked = 0;
        w->setPrintDialog(printTo(pdf, asked, false));
        action(*w, "ImprimerBtn")->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(!fs::exists(pdf)); // Cancel prints nothing
        w->setPrintDialog(printTo(pdf, asked));
        action(*w, "Imprimer1")->trigger();
        QCOMPARE(asked, 2);
        saveShot(*w, "main-window.png");
        QVERIFY(fs::exists(pdf));
        keepPrint(pdf, "print-colour.pdf");
        const QString text = pdfText(pdf);
        if (text.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QVERIFY2(text.contains(QStringLiteral("Ledgora - Anne : compte \"Courant\" (Euros)")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Imprimé avec Ledgora")));
        QVERIFY(text.contains(QStringLiteral("05/03/2024")));
        QVERIFY(text.contains(QStringLiteral("page 1")));
        QVERIFY(text.contains(QStringLiteral("Café")));
    }

    void previewSwitchesBlackAndWhiteAndPrints() {
        auto w = openWindow();
        QVERIFY(w != nullptr);
        const fs::path pdf = home_->path() / "apercu.pdf";
        int asked = 0;
        w->setPrintDialog(printTo(pdf, asked));
        bool startedColoured = false;
        whenModal<TPagePreview>(this, [&](TPagePreview& p) {
            auto* bw = p.findChild<QCheckBox*>(QStringLiteral("NoirEtBlanc"));
            startedColoured = !bw->isChecked();
            saveShot(p, "preview-colour.png");
            bw->click();
            saveShot(p, "preview-bw.png");
            p.findChild<QPushButton*>(QStringLiteral("Imprimer"))->click();
            p.findChild<QPushButton*>(QStringLiteral("Fermer"))->click();
        });
        action(*w, "Aperuavantimpression1")->trigger();
        QVERIFY(startedColoured);
        QCOMPARE(asked, 1);
        QVERIFY(fs::exists(pdf));
        keepPrint(pdf, "print-bw.pdf");
        // The switch is the main window's option.
        QVERIFY(action(*w, "NoirEtBlanc1")->isChecked());
        QVERIFY(w->workspace().options().bw);
    }

    void theAutosaveTimerSavesTheOpenAccountOnly() {
        {
            platform::Registry registry(paths().registryFolder());
            QVERIFY(registry.writeString(Hive::CurrentUser, settings::optionsKey(),
                                         "ActiveAutoSave", "1"));
            QVERIFY(registry.writeString(Hive::CurrentUser, settings::optionsKey(),
                                         "MinutesAutoSave", "7"));
        }
        dialogs_.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs_, clock_);
        // Started at creation, before any account is open; a tick then writes nothing.
        QVERIFY(w.autoSaveTimer()->running());
        QCOMPARE(w.autoSaveTimer()->intervalMs(), 7 * 60000);
        int files = 0;
        for (const auto& e : fs::recursive_directory_iterator(paths().dataFolder())) {
            files += e.is_regular_file() ? 1 : 0;
        }
        w.autoSaveTimer()->tickNow();
        int after = 0;
        for (const auto& e : fs::recursive_directory_iterator(paths().dataFolder())) {
            after += e.is_regular_file() ? 1 : 0;
        }
        QCOMPARE(after, files);

        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());
        w.model()->setData(w.model()->indexOf(2, ledgora::col::Notes), QStringLiteral("Loyer"),
                           Qt::EditRole);
        const fs::path file = paths().accountFile("Anne", "Courant");
        QVERIFY(platform::readFile(file).value_or("").find("Loyer") == std::string::npos);
        w.autoSaveTimer()->tickNow();
        QVERIFY(platform::readFile(file).value_or("").find("Loyer") != std::string::npos);

        // The dialog turns it off; the interval follows the slider.
        whenModal<QDialog>(this, [](QDialog& d) {
            QCOMPARE(d.objectName(), QStringLiteral("TAutoSave"));
            saveShot(d, "autosave.png");
            d.findChild<QSlider*>(QStringLiteral("Minutes"))->setValue(15);
            d.findChild<QCheckBox*>(QStringLiteral("Activer"))->setChecked(false);
            d.accept();
        });
        action(w, "Enregistrementautomatique1")->trigger();
        QVERIFY(!w.autoSaveTimer()->running());
        QCOMPARE(w.autoSaveTimer()->intervalMs(), 15 * 60000);
        QCOMPARE(w.workspace().options().minutesAutoSave, 15);
        QVERIFY(!w.workspace().options().activeAutoSave);
    }

    // "Oui" at closing backs up through the window's forms; the other answers are the
    // workspace's (WorkspaceBackupTest) and TBackupDlg's (below).
    void theBackupOfferAtClosing() {
        auto w = openWindow();
        QVERIFY(w != nullptr);
        const fs::path stick = home_->path() / "cle";
        fs::create_directories(stick);
        backup_.folder = stick;
        backup_.reply = {true, false};
        dialogs_.ok();
        QVERIFY(w->close());
        QCOMPARE(backup_.offers, 1);
        QVERIFY(fs::exists(stick / "Ledgora.reg"));
        QCOMPARE(dialogs_.texts().back(), std::string(ledgora::kBackupDone));
        QVERIFY(!platform::Registry(paths().registryFolder())
                     .readBool(Hive::CurrentUser, settings::optionsKey(), "NoBackupPrompt", true));
        QCOMPARE(dialogs_.unscripted(), 0);
    }

    // The window's own "Backup" dialog: Escape answers as "Non" does, the box is kept.
    void theOfferIsTBackupDlg() {
        dialogs_.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs_, clock_);
        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());
        bool shown = false;
        whenModal<TBackupDlg>(this, [&](TBackupDlg& d) {
            shown = true;
            saveShot(d, "backup-offer.png");
            d.findChild<QCheckBox*>(QStringLiteral("NePlusMontrer"))->setChecked(true);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QVERIFY(w.close());
        QVERIFY(shown);
        QVERIFY(w.workspace().options().noBackupPrompt);
        QVERIFY(!action(w, "Proposersauvegardeenquittant1")->isChecked());
    }

    void aRestoreWithoutTheOpenAccountsFileLeavesNoAccount() {
        auto w = openWindow();
        QVERIFY(w != nullptr);
        const fs::path stick = home_->path() / "cle";
        fs::create_directories(stick);
        backup_.folder = stick;
        dialogs_.ok();
        action(*w, "Faireunecopiedesauvegarde1")->trigger();
        QVERIFY(fs::exists(stick / "Ledgora.reg"));
        QCOMPARE(dialogs_.texts().back(), std::string(ledgora::kBackupDone));

        // A second account, opened ("Non" to the planning and budget questions), whose file
        // then goes: the set has none for it.
        dialogs_.fill({"Livret", "0"}, true).no().no();
        action(*w, "Nouveau1")->trigger();
        QCOMPARE(w->workspace().session().account(), std::string("Livret"));
        fs::remove(paths().accountFile("Anne", "Livret"));
        w->autoSaveTimer()->apply(10, true);
        dialogs_.ok().yes();
        action(*w, "Restaurerunecopiedesauvegarde1")->trigger();
        QCOMPARE(dialogs_.texts().back(), std::string(ledgora::kRestoreDone));
        QVERIFY(!w->workspace().session().isOpen());
        QCOMPARE(w->windowTitle(), QStringLiteral("Ledgora - Anne"));
        QVERIFY(!w->grid()->isVisible());
        // The set's options: the autosave was off when it was made.
        QVERIFY(!w->autoSaveTimer()->running());
        QCOMPARE(dialogs_.unscripted(), 0);
    }
};

QTEST_MAIN(AccountFilesTest)
#include "AccountFilesTest.moc"
