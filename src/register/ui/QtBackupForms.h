// The backup commands' forms shown with Qt: the folder chooser, which offers the mounted
// removable media first, the system's beep, and the offer at closing (TBackupDlg).
#pragma once

#include <QPointer>
#include <QWidget>

#include "register/Backup.h"

class QtBackupForms : public ledgora::BackupForms, public ledgora::BackupOfferForm {
public:
    explicit QtBackupForms(QWidget* parent) : parent_(parent) {}

    std::optional<std::filesystem::path>
    chooseBackupFolder(const std::string& caption, const std::filesystem::path& proposed,
                       const std::vector<std::filesystem::path>& removable) override;
    void beep() override;
    ledgora::BackupOfferReply offerBackup() override;

private:
    QPointer<QWidget> parent_;
};
