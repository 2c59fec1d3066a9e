// Only one Ledgora per user and data folder: the first copy holds a lock file in the data
// folder and listens on a local socket; a later copy on the same data, whatever program
// file it was started from and whatever its temporary folder, finds the lock taken, asks
// the first to come to the front, and ends without showing a window.
#pragma once

#include <memory>

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `dataFolder` names the accounts the copy works on; it is told apart by its real path
    // (a link to it is the same folder) and by the user id. It must exist.
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True in the first copy, which then listens for later ones. In a later copy, tells
    // the first one to come to the front and returns false.
    bool claim();

signals:
    // A later copy was started.
    void activationRequested();

private:
    QString lockPath_;
    QString socketName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
