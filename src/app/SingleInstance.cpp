#include "app/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent) : QObject(parent) {
    QString real = QFileInfo(dataFolder).canonicalFilePath();
    if (real.isEmpty()) {
        real = QDir::cleanPath(QDir(dataFolder).absolutePath());
    }
    const QString user = QString::number(::getuid());
    // In the data folder itself, so that every path to it, every program file and every
    // TMPDIR meet the same lock.
    lockPath_ = QDir(real).filePath(QStringLiteral(".ledgora-%1.lock").arg(user));
    const QByteArray hash =
        QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString name = QStringLiteral("ledgora-%1-%2").arg(user, QString::fromLatin1(hash));
    // The session's runtime folder rather than TMPDIR, which two sessions may set apart.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    socketName_ =
        !runtime.isEmpty() && QFileInfo(runtime).isDir() ? QDir(runtime).filePath(name) : name;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    lock_->setStaleLockTime(0); // stale only when its process is gone
    if (!lock_->tryLock(100)) {
        QLocalSocket socket;
        socket.connectToServer(socketName_);
        if (socket.waitForConnected(1000)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        return false;
    }
    QFile::setPermissions(lockPath_, QFile::ReadOwner | QFile::WriteOwner);
    QLocalServer::removeServer(socketName_);
    server_ = new QLocalServer(this);
    server_->listen(socketName_);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit activationRequested();
        }
    });
    return true;
}
