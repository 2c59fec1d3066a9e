// The dialogs port of the command line: no question is asked (each gets Yes or OK, as a
// user going through the steps would answer), information goes to standard output,
// errors to standard error, and the errors are counted for the exit status.
#pragma once

#include <iosfwd>

#include "platform/Dialogs.h"
#include "register/AccountForms.h"

namespace cli {

class StreamDialogs : public platform::Dialogs, public ledgora::AccountForms {
public:
    StreamDialogs(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    platform::Reply message(platform::MessageKind kind, const std::string& text,
                            platform::Buttons buttons, const std::string& title = {}) override;
    // Lists, entries and forms are never offered on the command line: each is cancelled.
    std::optional<int> chooseFromList(const std::string&, const std::vector<std::string>&,
                                      int) override {
        return std::nullopt;
    }
    std::optional<std::string> askPassword(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<ledgora::NameForm> newUserForm(const ledgora::NameFormCheck&) override {
        return std::nullopt;
    }
    std::optional<ledgora::NameForm> newAccountForm(bool, bool,
                                                    const ledgora::NameFormCheck&) override {
        return std::nullopt;
    }
    std::optional<ledgora::NameForm> saveAsForm(const ledgora::NameFormCheck&) override {
        return std::nullopt;
    }
    std::optional<ledgora::PasswordChange> changePasswordForm(const std::string&, bool) override {
        return std::nullopt;
    }
    ledgora::UserChoice chooseUser(const std::string&,
                                   const std::function<std::vector<std::string>()>&, int,
                                   const std::function<void(const std::string&)>&) override {
        return {};
    }

    // Error boxes shown so far.
    int errors() const { return errors_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    int errors_ = 0;
};

} // namespace cli
