// Which commands of the main window's menus are available, computed by the workspace
// when a menu opens.
#pragma once

namespace ledgora {

struct MenuState {
    bool chooseUser = false;  // "&Utilisateur" > "&Choisir...", "&Supprimer..."
    bool newAccount = false;  // "&Nouveau..."
    bool openAccount = false; // "&Ouvrir...", account "&Supprimer..."
    bool accountOpen = false; // "&Enregistrer", "En&registrer sous...", "&Monnaie", ...
    bool print = false;       // "&Imprimer...", "&Aperçu avant impression..."
    bool password = false;    // "&Mot de passe..."
    bool allBalances = false; // "&Soldes de tous les comptes..."
    bool handheld = false;    // "Exporter vers Palm et compatibles...", "Importer depuis ..."
};

} // namespace ledgora
