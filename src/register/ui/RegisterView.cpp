#include "register/ui/RegisterView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include "register/ColumnWidths.h"
#include "register/ui/RegisterDelegate.h"

namespace {

// The padding every automatic width gets beyond its contents.
constexpr int kPadding = 20;
constexpr int kMinimumWidth = 40;

} // namespace

RegisterView::RegisterView(RegisterDelegate* delegate, int stretchColumn, QWidget* parent)
    : QTableView(parent), delegate_(delegate), stretchColumn_(stretchColumn) {
    delegate_->setParent(this);
    setItemDelegate(delegate_);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!sizing_) {
            defaultWidths_ = false; // the user sized a column by hand
        }
    });
}

void RegisterView::propose(const QModelIndex& index, const QString& text) {
    if (!index.isValid() || indexWidget(index) != nullptr) {
        return;
    }
    delegate_->propose(text);
    if (!QTableView::edit(index, AllEditTriggers, nullptr)) {
        delegate_->dropProposal(); // no editor opened
    }
}

bool RegisterView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opened = QTableView::edit(index, trigger, event);
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
    QTableView::keyPressEvent(event);
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
    QTableView::mousePressEvent(event);
}

int RegisterView::wantedWidth(int column) const {
    return std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column)) +
           kPadding;
}

void RegisterView::fitColumns() {
    if (model() == nullptr) {
        return;
    }
    std::vector<int> wanted;
    for (int c = 0; c < model()->columnCount(); ++c) {
        wanted.push_back(wantedWidth(c));
    }
    const auto widths = ledgora::defaultColumnWidths(
        wanted, viewport()->width(), static_cast<std::size_t>(stretchColumn_), kMinimumWidth);
    sizing_ = true;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
    sizing_ = false;
    defaultWidths_ = true;
}

void RegisterView::fitColumn(int column) {
    if (model() == nullptr || column < 0 || column >= model()->columnCount()) {
        return;
    }
    int others = 0;
    for (int c = 0; c < model()->columnCount(); ++c) {
        others += c != column && !isColumnHidden(c) ? columnWidth(c) : 0;
    }
    sizing_ = true;
    setColumnWidth(column, ledgora::fittedColumnWidth(wantedWidth(column), viewport()->width(),
                                                      others, kMinimumWidth));
    sizing_ = false;
    defaultWidths_ = false;
}

void RegisterView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Escape reverts; any other way out keeps an impossible date in its editor.
    if (hint != QAbstractItemDelegate::RevertModelCache &&
        RegisterDelegate::refusesToClose(editor)) {
        setCurrentIndex(indexAt(editor->geometry().center()));
        QTimer::singleShot(0, editor, [this, editor] { delegate_->refuse(editor); });
        return;
    }
    QTableView::closeEditor(editor, hint);
}

void RegisterView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (defaultWidths_) {
        fitColumns();
    }
}
