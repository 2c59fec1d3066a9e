// Ledgora: one main window per user and data folder, refused when a copy already runs.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "app/AppServices.h"
#include "app/SingleInstance.h"
#include "app/TForm1.h"
#include "platform/Clock.h"
#include "platform/CurrentFolder.h"
#include "platform/FileIO.h"
#include "register/ui/QtAccountForms.h"
#include "ui/QtDialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ledgora"));
    QApplication::setOrganizationName(QStringLiteral("Orvand"));

    platform::Paths paths =
        platform::Paths::fromEnvironment(QApplication::applicationDirPath().toStdString());
    platform::createPrivateFolders(paths.dataFolder());
    // The program works in its data folder, so that the relative paths of the builder (its
    // index of handheld names, "../PennaroPalm.ind") land in one stable place.
    platform::enterFolder(paths.dataFolder());
    SingleInstance guard(QString::fromStdString(paths.dataFolder().string()));
    if (!guard.claim()) {
        return 0;
    }

    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator qtFrench;
    if (qtFrench.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtFrench);
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The services and the workspace outlive the window, a view of them. The dialogs are
    // modal over whichever of the program's windows the user works in.
    platform::SystemClock clock;
    QtDialogs dialogs;
    QtAccountForms forms;
    AppServices services(std::move(paths), clock, dialogs, forms);
    TForm1 window(services.workspace());
    QObject::connect(&guard, &SingleInstance::activationRequested, &window, &TForm1::bringToFront);
    QApplication::restoreOverrideCursor();
    window.showAsSaved();
    window.activateWindow();
    return QApplication::exec();
}
