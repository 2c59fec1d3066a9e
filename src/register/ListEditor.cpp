#include "register/ListEditor.h"

#include <algorithm>

#include "platform/TextCase.h"

namespace ledgora {

ListEditor::ListEditor(NameList list) : list_(std::move(list)) {
    if (!list_.empty()) {
        select(0);
    }
}

void ListEditor::select(int index) {
    if (index >= 0 && index < list_.size()) {
        selected_ = index;
        field_ = list_[index];
    }
}

void ListEditor::remove() {
    if (list_.empty() || selected_ < 0) {
        return;
    }
    list_.removeAt(selected_);
    selected_ = list_.empty() ? -1 : std::min(selected_, list_.size() - 1);
    field_.clear();
}

void ListEditor::replace() {
    if (list_.empty() || selected_ < 0 || field_.empty()) {
        return;
    }
    field_ = platform::capitalizeFirstAscii(field_);
    if (!list_.contains(field_)) {
        list_.replaceAt(selected_, field_);
    }
}

void ListEditor::add() {
    if (field_.empty() || list_.contains(field_)) {
        return;
    }
    field_ = platform::capitalizeFirstAscii(field_);
    const int at = list_.add(field_);
    if (at >= 0) {
        selected_ = at;
    }
}

} // namespace ledgora
