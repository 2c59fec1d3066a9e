// The single-instance guard: a second copy is refused and the first is told about it.
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include "app/SingleInstance.h"

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondCopyIsRefusedAndWakesTheFirst() {
        const QString key = QUuid::createUuid().toString(); // a program of our own
        SingleInstance first(key);
        QVERIFY(first.claim());
        QSignalSpy woken(&first, &SingleInstance::activationRequested);
        SingleInstance second(key);
        QVERIFY(!second.claim());
        QTRY_COMPARE(woken.count(), 1);

        SingleInstance other(QUuid::createUuid().toString()); // another program
        QVERIFY(other.claim());
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
