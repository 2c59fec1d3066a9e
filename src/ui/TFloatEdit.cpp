#include "ui/TFloatEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

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

} // namespace

TFloatEdit::TFloatEdit(QWidget* parent) : QLineEdit(parent) {}

void TFloatEdit::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Paste && !isReadOnly()) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32) {
        const char16_t c = text[0].unicode();
        const bool allowed =
            (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u',' || c == u'.';
        if (!allowed) {
            event->ignore();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
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
    if (!text) {
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
    if (!text) {
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
