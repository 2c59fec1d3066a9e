// The numeric edit box: lets through only digits, "+", "-", the decimal separators and
// control keys. "," and "." are both taken, as a French user types either; the text is
// read with parseTypedAmount(). Keys are not checked to make a well-formed number, but a
// paste or a drop must be one the keys could have typed (typableAmount()): otherwise it is
// refused whole, the text kept, and the user told "Saisie incorrecte.".
#pragma once

#include <QClipboard>
#include <QLineEdit>

#include "platform/Dialogs.h"

class TFloatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFloatEdit(QWidget* parent = nullptr);

    // The port that tells the user of a refused paste or drop (borrowed, and it must outlive
    // the window); without one, a message box over the window.
    void setDialogs(platform::Dialogs& dialogs) { dialogs_ = &dialogs; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Ctrl+V, Shift+Insert, the menu's paste and the middle button all come here.
    void pasteFrom(QClipboard::Mode mode);
    void refuse();

    platform::Dialogs* dialogs_ = nullptr;
};
