// The numeric edit box: lets through only digits, "+", "-", the decimal separators and
// control keys. "," and "." are both taken, as a French user types either; the text is
// read with parseTypedAmount(). A key, an input method's text, a paste or a drop goes in
// only when the box would then still hold the beginning of one amount
// (typableAmountAfter()): "1,2,3", "--5" or "5-" never stands there to be read as 1.20,
// nothing or 5. A refused key is dropped, the text and the caret as they were, and a
// tooltip under the box says why; a refused paste or drop leaves the text as it was, and
// the user is told "Saisie incorrecte.". Text the program sets is never judged.
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

    // For an owner that reads the whole text and tells the user itself of one that is no
    // amount: what is typed, pasted or dropped is then judged alone, not with the text
    // around it, so that the owner sees the "1,2,3" the user typed and says so.
    void leaveWholeTextToOwner() { wholeTextToOwner_ = true; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Whether `typed` may replace the `length` characters of `text` from `from`.
    bool takes(const QString& text, int from, int length, const QString& typed) const;
    // Whether `typed` may replace the selection, or go in at the caret.
    bool takesHere(const QString& typed) const;
    // Ctrl+V, Shift+Insert, the menu's paste and the middle button all come here.
    void pasteFrom(QClipboard::Mode mode);
    void refuse();
    void showKeyRefused();

    platform::Dialogs* dialogs_ = nullptr;
    bool wholeTextToOwner_ = false;
    bool keyRefused_ = false;
};
