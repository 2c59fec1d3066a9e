// One side of the dialog "Rubriques et modes de paiement": a copy of a list with its
// selected entry and the edit field, and the rules of "Supprimer", "Remplacer par :" and
// "Ajouter". The dialog shows it; "OK" hands the list back.
#pragma once

#include <string>

#include "register/NameList.h"

namespace ledgora {

class ListEditor {
public:
    // The first entry, if any, is selected and copied into the field.
    explicit ListEditor(NameList list);

    const NameList& list() const { return list_; }
    int selected() const { return selected_; }
    const std::string& field() const { return field_; }
    void setField(std::string text) { field_ = std::move(text); }

    // A click on an entry copies it into the field.
    void select(int index);
    // The selected entry goes; the one now in its place (or the last) is selected and the
    // field emptied.
    void remove();
    // The selected entry becomes the field's text (first letter raised) unless that text
    // is already in the list.
    void replace();
    // The field's text (first letter raised) joins the list in its place and is selected,
    // unless it is empty or already there.
    void add();

private:
    NameList list_;
    int selected_ = -1;
    std::string field_;
};

} // namespace ledgora
