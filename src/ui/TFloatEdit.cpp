#include "ui/TFloatEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

#include "money/Amount.h"
#include "ui/QtDialogs.h"

namespace {

// The text to insert for a paste or drop of `text`, or nothing when it is refused.
std::optional<QString> accepted(const QString& text) {
    const std::string utf8 = text.toStdString();
    if (!ledgora::typableAmount(utf8)) {
        return std::nullopt;
    }
    return QString::fromStdString(std::string(ledgora::trimBlanks(utf8)));
}

// Whether the base class would insert the key's text: the same test as its own, so that
// shortcuts (Ctrl+Z, Ctrl+A, whatever text they carry) go on to it untouched.
bool insertsText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) {
        return false;
    }
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format) {
        return true;
    }
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier)) {
        return false;
    }
    return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// typableAmountAfter() on the box's text, its places counted in UTF-16 as Qt counts them.
bool typableAt(const QString& text, int from, int length, const QString& typed) {
    const auto bytes = [&text](int start, int n) {
        return static_cast<std::size_t>(QStringView(text).mid(start, n).toUtf8().size());
    };
    const QByteArray all = text.toUtf8();
    const QByteArray keys = typed.toUtf8();
    return ledgora::typableAmountAfter(view(all), bytes(0, from), bytes(from, length), view(keys));
}

} // namespace

TFloatEdit::TFloatEdit(QWidget* parent) : QLineEdit(parent) {}

bool TFloatEdit::takes(const QString& text, int from, int length, const QString& typed) const {
    if (wholeTextToOwner_) {
        const QByteArray keys = typed.toUtf8();
        return ledgora::amountKeys(view(keys));
    }
    return typableAt(text, from, length, typed);
}

bool TFloatEdit::takesHere(const QString& typed) const {
    if (hasSelectedText()) {
        return takes(text(), selectionStart(), selectionLength(), typed);
    }
    return takes(text(), cursorPosition(), 0, typed);
}

void TFloatEdit::keyPressEvent(QKeyEvent* event) {
    keyRefused_ = false;
    if (event == QKeySequence::Paste && !isReadOnly()) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (!isReadOnly() && insertsText(*event) && !takesHere(event->text())) {
        // Dropped here, not passed on: a grid behind the box would take the letter for a
        // search and move away from the cell being typed.
        event->accept();
        keyRefused_ = true;
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TFloatEdit::keyReleaseEvent(QKeyEvent* event) {
    // Shown once the key is up: a tooltip goes away at the next key event, its own release
    // included.
    if (keyRefused_ && !event->isAutoRepeat()) {
        keyRefused_ = false;
        showKeyRefused();
    }
    QLineEdit::keyReleaseEvent(event);
}

void TFloatEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (isReadOnly() || (commit.isEmpty() && event->replacementLength() == 0)) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // What the base class does with it: the selection goes, then the text around the caret
    // that the event names is replaced by the commit.
    QString current = text();
    int caret = cursorPosition();
    if (hasSelectedText()) {
        caret = selectionStart();
        current.remove(caret, selectionLength());
    }
    const int from = std::clamp(caret + event->replacementStart(), 0, int(current.size()));
    const int length = std::clamp(event->replacementLength(), 0, int(current.size()) - from);
    const bool taken = takes(current, from, length, commit);
    if (taken) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The commit is dropped; what the input method is still composing shows as it says.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&composing);
    event->accept();
    showKeyRefused();
    keyRefused_ = true; // shown again if the release of the key that composed it follows
}

void TFloatEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The menu's paste goes through the check instead of QLineEdit::paste(), however Qt
    // connected it.
    for (QAction* action : menu->actions()) {
        const bool paste = disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
                           disconnect(action, &QAction::triggered, this, &QLineEdit::paste);
        if (paste) {
            connect(action, &QAction::triggered, this,
                    [this] { pasteFrom(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TFloatEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFrom(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TFloatEdit::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (isReadOnly() || !data->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const std::optional<QString> text = accepted(data->text());
    // The base inserts at the place dropped on, the selection left in the text.
    if (!text || !takes(this->text(), cursorPositionAt(event->position().toPoint()), 0, *text)) {
        event->ignore();
        QDragLeaveEvent leave; // hides the drop caret the drag showed
        dragLeaveEvent(&leave);
        refuse();
        return;
    }
    if (*text == data->text()) {
        QLineEdit::dropEvent(event);
        return;
    }
    // The blanks around it are dropped: the base inserts what the event carries.
    QMimeData trimmed;
    trimmed.setText(*text);
    QDropEvent forwarded(event->position(), event->possibleActions(), &trimmed, event->buttons(),
                         event->modifiers());
    forwarded.setDropAction(event->proposedAction());
    QLineEdit::dropEvent(&forwarded);
    event->setDropAction(forwarded.dropAction());
    event->setAccepted(forwarded.isAccepted());
}

void TFloatEdit::pasteFrom(QClipboard::Mode mode) {
    const QString clip = QGuiApplication::clipboard()->text(mode);
    const std::optional<QString> text = accepted(clip);
    if (!text || !takesHere(*text)) {
        refuse();
        return;
    }
    if (!text->isEmpty() || hasSelectedText()) {
        insert(*text); // as if typed: the selection replaced, the validator asked
    }
}

void TFloatEdit::refuse() {
    // Told once the paste is over: a modal box opened from inside the key or the drop would
    // take the focus away, and an editor in a grid is closed and deleted when it loses it.
    QPointer<QWidget> window = this->window();
    platform::Dialogs* port = dialogs_;
    QTimer::singleShot(0, window, [window, port] {
        if (port != nullptr) {
            port->fail(ledgora::kBadEntry);
        } else {
            QtDialogs::showMessage(window, platform::MessageKind::Error, ledgora::kBadEntry,
                                   platform::Buttons::Ok);
        }
    });
}

void TFloatEdit::showKeyRefused() {
    QToolTip::showText(mapToGlobal(QPoint(0, height())),
                       QStringLiteral("Saisie incorrecte : des chiffres, un signe en tête "
                                      "et une seule virgule."),
                       this);
}
