// The single-instance guard: a second copy on the same data is refused and the first is
// told about it, whatever program file, folder or TMPDIR the second was started from.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "app/SingleInstance.h"
#include "support/TempFolder.h"

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondCopyOnTheSameDataIsRefusedAndWakesTheFirst() {
        const ledgora::testing::TempFolder temp;
        const QDir home(QString::fromStdString(temp.path().string()));
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("data")));
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("other")));
        QVERIFY(QFile::link(home.filePath(QStringLiteral("data")),
                            home.filePath(QStringLiteral("link"))));

        SingleInstance first(home.filePath(QStringLiteral("data")));
        QVERIFY(first.claim());
        const QDir data(home.filePath(QStringLiteral("data")));
        const QStringList locks =
            data.entryList({QStringLiteral(".ledgora-*.lock")}, QDir::Files | QDir::Hidden);
        QCOMPARE(locks.size(), 1); // the lock lies in the data folder, the user's alone
        const auto others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(data.filePath(locks[0])) & others, QFile::Permissions());
        QSignalSpy woken(&first, &SingleInstance::activationRequested);
        SingleInstance second(home.filePath(QStringLiteral("link"))); // the same folder
        QVERIFY(!second.claim());
        QTRY_COMPARE(woken.count(), 1);

        SingleInstance other(home.filePath(QStringLiteral("other"))); // other accounts
        QVERIFY(other.claim());
    }

    // The program itself, copied to another folder as an installed copy would be, started
    // from elsewhere with another TMPDIR, on the same data reached through a link.
    void theProgramStartedFromAnotherFolderIsRefused() {
        const ledgora::testing::TempFolder temp;
        const QDir home(QString::fromStdString(temp.path().string()));
        const QString data = home.filePath(QStringLiteral("home/Orvand/Ledgora"));
        QVERIFY(QDir().mkpath(data));
        QVERIFY(QFile::link(home.filePath(QStringLiteral("home")),
                            home.filePath(QStringLiteral("same-home"))));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("installed"))));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("tmp"))));
        const QString copy = home.filePath(QStringLiteral("installed/ledgora"));
        QVERIFY(QFile::copy(QStringLiteral(LEDGORA_BIN_DIR "/ledgora"), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner);

        SingleInstance first(data);
        QVERIFY(first.claim());
        QSignalSpy woken(&first, &SingleInstance::activationRequested);

        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LEDGORA_HOME"), home.filePath(QStringLiteral("same-home")));
        env.insert(QStringLiteral("TMPDIR"), home.filePath(QStringLiteral("tmp")));
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(home.filePath(QStringLiteral("tmp")));
        second.start(copy, {});
        QVERIFY(second.waitForStarted());
        const bool ended = second.waitForFinished(15000);
        if (!ended) {
            second.kill(); // it opened a window of its own: the guard let it through
            second.waitForFinished();
        }
        QVERIFY(ended);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(woken.count(), 1);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
