// The user chooser `TChooseUserDlg`: the list of users, "OK" enabled only when it is not
// empty, a double click acting as "OK", and buttons that create a user or delete the
// selected one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "register/AccountForms.h"

class QDialogButtonBox;
class QListWidget;
class QPushButton;

class TChooseUserDlg : public QDialog {
    Q_OBJECT
public:
    TChooseUserDlg(const QString& caption, std::function<std::vector<std::string>()> users,
                   int selected, std::function<void(const std::string&)> deleteUser,
                   QWidget* parent = nullptr);
    ledgora::UserChoice choice() const;

private:
    void refill(int selected, bool afterDeletion);
    void deleteSelected();

    std::function<std::vector<std::string>()> users_;
    std::function<void(const std::string&)> deleteUser_;
    QListWidget* ListBox1;
    QDialogButtonBox* buttons_;
    QPushButton* NewUserBtn;
    QPushButton* DeleteUserBtn;
    bool createUser_ = false;
};
