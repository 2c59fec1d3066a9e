#include "register/NameList.h"

#include <algorithm>

#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/TextCase.h"
#include "register/FrenchCollation.h"

namespace ledgora {

NameList::NameList(std::vector<std::string> entries) : entries_(std::move(entries)) {
    sort();
}

NameList NameList::builtInCategories() {
    return NameList({"Achats CB",
                     "Amendes",
                     "Animaux",
                     "Assurance",
                     "Cadeaux",
                     "Canal Plus",
                     "Charges",
                     "Chauffage",
                     "Cinéma",
                     "Coiffeur",
                     "Courses",
                     "Dentiste",
                     "Dons",
                     "Eau",
                     "EDF-GDF",
                     "Electroménager",
                     "Enfants",
                     "Essence",
                     "Frais bancaires",
                     "Frais professionnels",
                     "Habillement",
                     "Hôpital",
                     "Impots",
                     "Informatique",
                     "Jardin",
                     "Jeux",
                     "Loisirs",
                     "Loyer",
                     "Maison",
                     "Médecin",
                     "Mobilier",
                     "Moto",
                     "Musique",
                     "Mutuelle",
                     "Parking",
                     "Péage",
                     "PEL",
                     "Pharmacie",
                     "Photo",
                     "Portable",
                     "Prêt",
                     "Remboursement",
                     "Remise de chèques",
                     "Restaurant",
                     "Retrait",
                     "Retraite",
                     "Salaire",
                     "Sécurité sociale",
                     "Sport",
                     "Téléphone",
                     "Transport",
                     "Transports",
                     "Vacances",
                     "Voiture"});
}

NameList NameList::builtInPaymentModes() {
    return NameList({"Carte de crédit", "Chèque", "Espèces", "Prélèvement", "Virement"});
}

int NameList::find(const std::string& text) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (platform::equalsIgnoreCase(entries_[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int NameList::add(const std::string& text) {
    if (text.empty() || contains(text)) {
        return -1;
    }
    const auto at = std::upper_bound(
        entries_.begin(), entries_.end(), text,
        [](const std::string& a, const std::string& b) { return frenchLess(a, b); });
    const auto inserted = entries_.insert(at, text);
    return static_cast<int>(inserted - entries_.begin());
}

void NameList::removeAt(int index) {
    if (index >= 0 && index < size()) {
        entries_.erase(entries_.begin() + index);
    }
}

void NameList::replaceAt(int index, const std::string& text) {
    if (index >= 0 && index < size()) {
        entries_[static_cast<std::size_t>(index)] = text;
    }
}

void NameList::sort() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const std::string& a, const std::string& b) { return frenchLess(a, b); });
}

std::optional<NameList> NameList::load(const std::filesystem::path& file) {
    const auto bytes = platform::readFile(file);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<std::string> entries;
    platform::forEachLine(platform::cp1252ToUtf8(*bytes), [&](std::string_view line) {
        if (!line.empty()) {
            entries.emplace_back(line);
        }
    });
    return NameList(std::move(entries));
}

bool NameList::save(const std::filesystem::path& file) const {
    std::string text;
    for (const auto& e : entries_) {
        text += e;
        text += "\r\n";
    }
    return platform::writeFileAtomically(file, platform::utf8ToCp1252(text));
}

} // namespace ledgora
