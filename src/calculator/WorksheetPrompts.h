// The port through which the worksheet's file commands ask the user: the window answers
// with message boxes and file dialogs, tests from a script.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/Dialogs.h"

namespace calculator {

class WorksheetPrompts {
public:
    virtual ~WorksheetPrompts() = default;
    // A question with Yes, No and Cancel.
    virtual platform::Reply askYesNoCancel(const std::string& question) = 0;
    // An existing ".CLC" file, starting in `folder`; nothing when cancelled.
    virtual std::optional<std::filesystem::path>
    chooseFileToOpen(const std::filesystem::path& folder) = 0;
    // A file name to save under (the dialog asks before overwriting); nothing when cancelled.
    virtual std::optional<std::filesystem::path>
    chooseFileToSave(const std::filesystem::path& folder) = 0;
    virtual void error(const std::string& text) = 0;
    // A warning box with OK.
    virtual void warning(const std::string& text) = 0;
};

} // namespace calculator
