#include "register/ui/RegisterView.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "register/RegisterColumns.h"
#include "register/ui/RegisterDelegate.h"

RegisterView::RegisterView(RegisterDelegate* delegate, int stretchColumn, QWidget* parent)
    : GridView(parent), delegate_(delegate) {
    setStretchColumn(stretchColumn);
    // The date and the amounts stay whole; the other columns give way. Amounts of four
    // digits and a balance of five with its sign at least, wider ones when the rows the
    // sizing reads (the first, the last, those in sight) hold them.
    keepColumnWhole(ledgora::col::Date - 1, QStringLiteral("00/00/0000"));
    keepColumnWhole(ledgora::col::Debit - 1, QStringLiteral("0000.00"));
    keepColumnWhole(ledgora::col::Credit - 1, QStringLiteral("0000.00"));
    keepColumnWhole(ledgora::col::Solde - 1, QStringLiteral("-00000.00"));
    delegate_->setParent(this);
    setItemDelegate(delegate_);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);
}

void RegisterView::propose(const QModelIndex& index, const QString& text) {
    if (!index.isValid() || indexWidget(index) != nullptr) {
        return;
    }
    delegate_->propose(text);
    if (!GridView::edit(index, AllEditTriggers, nullptr)) {
        delegate_->dropProposal(); // no editor opened
    }
}

bool RegisterView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opened = GridView::edit(index, trigger, event);
    if (opened && (trigger == EditKeyPressed || trigger == DoubleClicked)) {
        // Edited in place: the text stays whole with the caret at its end.
        QWidget* editor = indexWidget(index);
        auto* combo = qobject_cast<QComboBox*>(editor);
        auto* line = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
        if (line != nullptr && !RegisterDelegate::holdsProposal(editor)) {
            line->deselect();
            line->end(false);
        }
    }
    return opened;
}

void RegisterView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != EditingState && currentIndex().isValid() &&
        (model()->flags(currentIndex()) & Qt::ItemIsEditable)) {
        edit(currentIndex(), EditKeyPressed, event);
        return;
    }
    GridView::keyPressEvent(event);
}

QWidget* RegisterView::heldEditor() const {
    QWidget* editor = state() == EditingState ? indexWidget(currentIndex()) : nullptr;
    return RegisterDelegate::refusesToClose(editor) ? editor : nullptr;
}

void RegisterView::mousePressEvent(QMouseEvent* event) {
    // A click elsewhere must not take the cell away from an impossible date.
    if (QWidget* editor = heldEditor()) {
        delegate_->refuse(editor);
        return;
    }
    GridView::mousePressEvent(event);
}

void RegisterView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Escape reverts; any other way out keeps an impossible date in its editor.
    if (hint != QAbstractItemDelegate::RevertModelCache &&
        RegisterDelegate::refusesToClose(editor)) {
        setCurrentIndex(indexAt(editor->geometry().center()));
        QTimer::singleShot(0, editor, [this, editor] { delegate_->refuse(editor); });
        return;
    }
    GridView::closeEditor(editor, hint);
}
