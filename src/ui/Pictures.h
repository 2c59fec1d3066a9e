// The program's pictures, by what they show: toolbar buttons, currencies, payment modes
// and the logo. One place maps a meaning to its picture.
#pragma once

#include <QIcon>
#include <QString>

namespace pictures {

// A toolbar or menu picture by name ("ouvrir", "aide", ...).
QIcon icon(const QString& name);
// The currency pictures of the toolbar button and of the status bar.
QIcon currency(bool euros);
QIcon smallCurrency(bool euros);
// The picture of payment mode 0..4 (see paymentModePicture); a null icon otherwise.
QIcon paymentMode(int picture);
QIcon logo();

} // namespace pictures
