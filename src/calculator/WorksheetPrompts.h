// The worksheet's own forms: the file dialogs of its ".CLC" pages. The window shows them
// with the program's file dialog, tests answer from a script. The questions and messages
// of the file commands go through platform::Dialogs.
#pragma once

#include <filesystem>
#include <optional>

namespace calculator {

class WorksheetPrompts {
public:
    virtual ~WorksheetPrompts() = default;
    // An existing ".CLC" file, starting in `folder`; nothing when cancelled.
    virtual std::optional<std::filesystem::path>
    chooseFileToOpen(const std::filesystem::path& folder) = 0;
    // A file name to save under (the dialog asks before overwriting); nothing when cancelled.
    virtual std::optional<std::filesystem::path>
    chooseFileToSave(const std::filesystem::path& folder) = 0;
};

} // namespace calculator
