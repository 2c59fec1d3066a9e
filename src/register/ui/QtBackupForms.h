// The backup commands' forms shown with Qt: the folder chooser, which offers the mounted
// removable media first, and the system's beep.
#pragma once

#include <QPointer>
#include <QWidget>

#include "register/Backup.h"

class QtBackupForms : public ledgora::BackupForms {
public:
    explicit QtBackupForms(QWidget* parent) : parent_(parent) {}

    std::optional<std::filesystem::path>
    chooseBackupFolder(const std::string& caption, const std::filesystem::path& proposed,
                       const std::vector<std::filesystem::path>& removable) override;
    void beep() override;

private:
    QPointer<QWidget> parent_;
};
