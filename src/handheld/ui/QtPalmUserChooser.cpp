#include "handheld/ui/QtPalmUserChooser.h"

#include "handheld/ui/TFPalmUser.h"

std::optional<int> QtPalmUserChooser::choosePalmUser(const std::vector<std::string>& users,
                                                     int selected) {
    TFPalmUser dialog(users, selected, parent_);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) {
        return std::nullopt;
    }
    return dialog.chosen();
}
