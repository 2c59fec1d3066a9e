#include "register/ui/RegisterDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "money/Amount.h"
#include "money/DateText.h"
#include "register/CellRules.h"
#include "register/ui/RegisterModel.h"
#include "ui/DateCellEdit.h"

namespace {

// Marks an editor that holds a click-fill proposal nobody has taken yet.
constexpr const char* kProposal = "ledgoraProposal";

QComboBox* listEditor(QWidget* parent, const ledgora::NameList& list) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    for (const auto& entry : list.entries()) {
        combo->addItem(QString::fromStdString(entry));
    }
    combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    combo->completer()->setCompletionMode(QCompleter::InlineCompletion);
    return combo;
}

QLineEdit* patternEditor(QWidget* parent, const char* pattern) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), edit));
    return edit;
}

// An amount cell takes what core reads as an amount, whole; a key that no further typing
// could make one of is refused.
class TypedAmountValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        switch (ledgora::typedAmountState(input.toStdString())) {
        case ledgora::TypedAmount::Complete:
            return Acceptable;
        case ledgora::TypedAmount::Incomplete:
            return Intermediate;
        default:
            return Invalid;
        }
    }
};

QLineEdit* amountEditor(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new TypedAmountValidator(edit));
    return edit;
}

// The line where the user types: the editor itself, or the drop-down list's.
QLineEdit* typingLine(QWidget* editor) {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(editor);
}

bool leavesTheCell(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return !(key->modifiers() & Qt::AltModifier);
    default:
        return false;
    }
}

} // namespace

RegisterDelegate::RegisterDelegate(const ledgora::NameList& categories,
                                   const ledgora::NameList& modes, platform::Dialogs& dialogs,
                                   QObject* parent)
    : QStyledItemDelegate(parent), categories_(categories), modes_(modes), dialogs_(dialogs) {}

ledgora::EditorKind RegisterDelegate::kindOf(const QModelIndex& index) const {
    return kinds_(RegisterModel::gridColumn(index));
}

bool RegisterDelegate::holdsProposal(const QWidget* editor) {
    return editor != nullptr && editor->property(kProposal).toBool();
}

bool RegisterDelegate::refusesToClose(const QWidget* editor) {
    const auto* date = qobject_cast<const DateCellEdit*>(editor);
    return date != nullptr && !date->holdsDate();
}

void RegisterDelegate::refuse(QWidget* editor) {
    refusing_ = true;
    dialogs_.fail(ledgora::kBadTypedDate);
    refusing_ = false;
    editor->setFocus();
}

QWidget* RegisterDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    using ledgora::EditorKind;
    switch (kindOf(index)) {
    case EditorKind::Date:
        return new DateCellEdit(parent);
    case EditorKind::Number:
        return patternEditor(parent, "[0-9]*");
    case EditorKind::Decimal:
        return amountEditor(parent);
    case EditorKind::Category:
        return listEditor(parent, categories_);
    case EditorKind::PaymentMode:
        return listEditor(parent, modes_);
    case EditorKind::Text:
        return new QLineEdit(parent);
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void RegisterDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    QLineEdit* line = typingLine(editor);
    if (line == nullptr) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    // The view refills open editors when the model changes; a proposal waits for the user.
    if (holdsProposal(editor)) {
        return;
    }
    QString text = index.data(Qt::EditRole).toString();
    if (proposal_) {
        text = *proposal_;
        proposal_.reset();
        editor->setProperty(kProposal, true);
        // Typing over the proposal makes it an ordinary edit.
        connect(line, &QLineEdit::textEdited, editor,
                [editor] { editor->setProperty(kProposal, false); });
    }
    if (auto* date = qobject_cast<DateCellEdit*>(editor)) {
        date->setCellText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setEditText(text);
    } else {
        line->setText(text);
    }
    // A key typed into the cell replaces its text (the view selects a line editor's text
    // itself, not a drop-down list's).
    line->selectAll();
}

void RegisterDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    QLineEdit* line = typingLine(editor);
    if (line == nullptr) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    // Leaving a cell whose proposal was not taken leaves the cell as it was; so does an
    // impossible date the view closed all the same.
    if (holdsProposal(editor) || refusesToClose(editor)) {
        return;
    }
    const QString text = qobject_cast<QComboBox*>(editor)
                             ? qobject_cast<QComboBox*>(editor)->currentText()
                             : line->text();
    model->setData(index, text, Qt::EditRole);
}

bool RegisterDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor == nullptr) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (leavesTheCell(key) && refusesToClose(editor)) {
            refuse(editor);
            return true;
        }
        const bool takes = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (takes) {
            editor->setProperty(kProposal, false);
        }
    } else if (event->type() == QEvent::FocusOut && (refusing_ || refusesToClose(editor))) {
        // The refusal's message box, or a click elsewhere with an impossible date: the
        // editor stays open with what was typed (the view refuses the click itself).
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void RegisterDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (kindOf(index) != ledgora::EditorKind::CheckBox) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QStyleOptionViewItem box = option;
    initStyleOption(&box, index);
    const QRect indicator =
        style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &box, widget);
    box.rect = QRect(QPoint(0, 0), indicator.size());
    box.rect.moveCenter(option.rect.center());
    box.state = option.state & ~QStyle::State_HasFocus;
    box.state |= index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On
                                                                       : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
}

bool RegisterDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (kindOf(index) != ledgora::EditorKind::CheckBox) {
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    const bool click = event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                       option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint());
    const bool space =
        event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    if (!click && !space) {
        // A double click must not reach the default handler, which would tick twice.
        return event->type() == QEvent::MouseButtonDblClick;
    }
    const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}
