#include "cli/StreamDialogs.h"

#include <ostream>

namespace cli {

platform::Reply StreamDialogs::message(platform::MessageKind kind, const std::string& text,
                                       platform::Buttons buttons, const std::string&) {
    if (kind == platform::MessageKind::Confirmation) {
        return buttons == platform::Buttons::YesNo ? platform::Reply::Yes : platform::Reply::Ok;
    }
    // A message box breaks its lines at CR; a terminal would go back over the line.
    std::string line = text;
    for (char& c : line) {
        if (c == '\r') {
            c = '\n';
        }
    }
    if (kind == platform::MessageKind::Error) {
        ++errors_;
        err_ << line << '\n';
    } else {
        out_ << line << '\n';
    }
    return buttons == platform::Buttons::YesNo ? platform::Reply::Yes : platform::Reply::Ok;
}

} // namespace cli
