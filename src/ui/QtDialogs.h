// The Dialogs port shown with Qt: message boxes with French buttons, the choice from a
// list and the password entry, modal over the given parent window or, without one, over
// the window the user works in (the main window, the calculator ...). A subsystem's own
// forms are shown by its own ui (register/ui/QtAccountForms).
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

    // `preferred`, or the active window when it is null (null when none is active).
    static QWidget* modalParent(QWidget* preferred);

protected:
    // The window the dialogs are modal over; null when there is none.
    QWidget* parentWindow() const { return modalParent(parent_); }

private:
    QPointer<QWidget> parent_;
};
