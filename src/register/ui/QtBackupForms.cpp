#include "register/ui/QtBackupForms.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

#include "register/ui/TBackupDlg.h"

std::optional<std::filesystem::path>
QtBackupForms::chooseBackupFolder(const std::string& caption, const std::filesystem::path& proposed,
                                  const std::vector<std::filesystem::path>& removable) {
    QFileDialog dialog(parent_, QString::fromStdString(caption));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QList<QUrl> side;
    for (const auto& media : removable) {
        side << QUrl::fromLocalFile(QString::fromStdString(media.string()));
    }
    side << QUrl::fromLocalFile(QDir::homePath());
    dialog.setSidebarUrls(side);
    dialog.setDirectory(proposed.empty() ? QDir::homePath()
                                         : QString::fromStdString(proposed.string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

void QtBackupForms::beep() {
    QApplication::beep();
}

ledgora::BackupOfferReply QtBackupForms::offerBackup() {
    TBackupDlg dialog(parent_);
    const bool yes = dialog.exec() == QDialog::Accepted;
    return {yes, dialog.dontShowAgain()};
}
