// The pieces the small dialogs share: "OK" and "Annuler" wired to accept and reject, a
// masked line edit, and a list filled with one row selected.
#pragma once

#include <string>
#include <vector>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace dialogparts {

// "OK" and "Annuler" under `dialog`, wired to its accept() and reject().
QDialogButtonBox* okCancel(QDialog* dialog);
// A line edit that shows what is typed as dots.
QLineEdit* maskedEdit(QWidget* parent);
// Replaces the rows of `list` with `items`, row `selected` current (the first one when
// `selected` is outside the list).
void fillList(QListWidget* list, const std::vector<std::string>& items, int selected);

} // namespace dialogparts
