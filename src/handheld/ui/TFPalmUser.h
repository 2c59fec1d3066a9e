// The choice of the handheld user `TFPalmUser`, "Choix de l'utilisateur Palm": the HotSync
// users in a list with one of them selected, "OK" (or a double click, or Enter) to take
// it, "Annuler" (or Escape) to stop the exchange.
#pragma once

#include <string>
#include <vector>

#include "ui/TChooseDlg.h"

class TFPalmUser : public TChooseDlg {
    Q_OBJECT
public:
    // `selected` outside the list selects the first user.
    TFPalmUser(const std::vector<std::string>& users, int selected, QWidget* parent = nullptr);
};
