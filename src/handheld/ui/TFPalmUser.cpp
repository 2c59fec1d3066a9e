#include "handheld/ui/TFPalmUser.h"

TFPalmUser::TFPalmUser(const std::vector<std::string>& users, int selected, QWidget* parent)
    : TChooseDlg(QStringLiteral("Choix de l'utilisateur Palm"), users, selected, parent) {
    setObjectName(QStringLiteral("TFPalmUser"));
}
