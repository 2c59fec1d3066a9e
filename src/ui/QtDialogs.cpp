#include "ui/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/Paths.h"
#include "ui/TChooseDlg.h"
#include "ui/TPW.h"

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QWidget* QtDialogs::modalParent(QWidget* preferred) {
    return preferred != nullptr ? preferred : QApplication::activeWindow();
}

platform::Reply QtDialogs::message(platform::MessageKind kind, const std::string& text,
                                   platform::Buttons buttons, const std::string& title) {
    return showMessage(parent_, kind, text, buttons, title);
}

platform::Reply QtDialogs::showMessage(QWidget* parent, platform::MessageKind kind,
                                       const std::string& text, platform::Buttons buttons,
                                       const std::string& title) {
    using platform::Buttons;
    using platform::MessageKind;
    using platform::Reply;
    QMessageBox box(modalParent(parent));
    box.setWindowTitle(title.empty() ? q(std::string(platform::kAppTitle)) : q(title));
    box.setText(q(text));
    switch (kind) {
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* byDefault = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
        yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
        cancel = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
        byDefault = buttons == Buttons::YesNoDefaultNo ? cancel : yes;
        break;
    case Buttons::YesNoCancel:
        yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
        byDefault = yes;
        break;
    }
    box.setDefaultButton(byDefault != nullptr ? byDefault : ok);
    if (cancel != nullptr) {
        box.setEscapeButton(cancel);
    }
    box.exec();
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo) {
        return box.clickedButton() == yes ? Reply::Yes : Reply::No;
    }
    if (buttons == Buttons::YesNoCancel) {
        return box.clickedButton() == yes  ? Reply::Yes
               : box.clickedButton() == no ? Reply::No
                                           : Reply::Cancel;
    }
    if (buttons == Buttons::OkCancel) {
        return box.clickedButton() == ok ? Reply::Ok : Reply::Cancel;
    }
    return Reply::Ok;
}

std::optional<int> QtDialogs::chooseFromList(const std::string& caption,
                                             const std::vector<std::string>& items, int selected) {
    TChooseDlg dialog(q(caption), items, selected, parentWindow());
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) {
        return std::nullopt;
    }
    return dialog.chosen();
}

std::optional<std::string> QtDialogs::askPassword(const std::string& caption,
                                                  const std::string& prompt) {
    TPW dialog(q(caption), q(prompt), parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.password().toStdString();
}
