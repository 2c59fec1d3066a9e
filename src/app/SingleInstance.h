// Only one Ledgora per user and program: the first copy holds a lock file and listens on
// a local socket; a second copy finds the lock taken, asks the first to come to the
// front, and ends without showing a window.
#pragma once

#include <memory>

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` tells programs apart (the executable's path); the user id is added to it.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True in the first copy, which then listens for later ones. In a later copy, tells
    // the first one to come to the front and returns false.
    bool claim();

signals:
    // A later copy was started.
    void activationRequested();

private:
    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
