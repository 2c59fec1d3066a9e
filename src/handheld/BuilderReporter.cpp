#include "handheld/BuilderReporter.h"

#include "builder/EnumErrors.h"

namespace ledgora {

std::string builderErrorText(std::int32_t result) {
    switch (result) {
    case 1:
        return "Palm OS : nom de fichier incorrect pour le PDB";
    case 2:
        return "Palm OS : l'ID doit comporter exactement 4 caractères";
    case 3:
        return "Palm OS : le type de base de données doit comporter exactement 4 caractères";
    case 4:
        return "Palm OS : nom de PDB incorrect";
    case trellisk::ERR_TOO_MANY_RECORDS:
        return "Palm OS : trop d'enregistrements pour le PDB (65534 au plus)";
    default:
        return "Voir les erreurs de Fernlow.";
    }
}

bool BuilderReporter::report(std::int32_t result) {
    if (result == 0) {
        return true;
    }
    ++errors_;
    dialogs_.fail("Error [" + std::to_string(result) + "] : " + builderErrorText(result));
    return false;
}

} // namespace ledgora
