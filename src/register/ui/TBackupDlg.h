// "Backup": the backup offered when the program closes, with the box that stops the offer.
#pragma once

#include <QDialog>

class QCheckBox;

class TBackupDlg : public QDialog {
    Q_OBJECT
public:
    explicit TBackupDlg(QWidget* parent);

    // "Ne plus montrer cette fenêtre".
    bool dontShowAgain() const;

private:
    QCheckBox* NePlusMontrer = nullptr;
};
