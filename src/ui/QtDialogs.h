// The Dialogs port shown with Qt: message boxes with French buttons, the choice from a
// list and the password entry, all modal over the given parent window. The forms a
// subsystem adds to the port are shown by its own ui (register/ui/QtAccountForms).
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

class QtDialogs : public platform::Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    platform::Reply message(platform::MessageKind kind, const std::string& text,
                            platform::Buttons buttons, const std::string& title = {}) override;
    // The same message box, for a widget that has no port of its own to hand.
    static platform::Reply showMessage(QWidget* parent, platform::MessageKind kind,
                                       const std::string& text, platform::Buttons buttons,
                                       const std::string& title = {});
    std::optional<int> chooseFromList(const std::string& caption,
                                      const std::vector<std::string>& items, int selected) override;
    std::optional<std::string> askPassword(const std::string& caption,
                                           const std::string& prompt) override;

protected:
    // The window the dialogs are modal over; null when there is none.
    QWidget* parentWindow() const { return parent_; }

private:
    QPointer<QWidget> parent_;
};
