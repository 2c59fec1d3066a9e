#include "register/ui/RegisterDelegate.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QToolTip>

#include "register/CellRules.h"
#include "register/ui/RegisterModel.h"

namespace {

constexpr const char* kDateFormat = "dd/MM/yyyy";

ledgora::EditorKind kindOf(const QModelIndex& index) {
    return ledgora::registerEditorKind(RegisterModel::gridColumn(index));
}

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

} // namespace

RegisterDelegate::RegisterDelegate(const ledgora::NameList& categories,
                                   const ledgora::NameList& modes, QObject* parent)
    : QStyledItemDelegate(parent), categories_(categories), modes_(modes) {}

QWidget* RegisterDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    using ledgora::EditorKind;
    switch (kindOf(index)) {
    case EditorKind::Date: {
        auto* edit = new QDateEdit(parent);
        edit->setDisplayFormat(QString::fromLatin1(kDateFormat));
        edit->setCalendarPopup(true);
        QPalette palette = edit->calendarWidget()->palette();
        palette.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
        edit->calendarWidget()->setPalette(palette);
        return edit;
    }
    case EditorKind::Number:
        return patternEditor(parent, "[0-9]*");
    case EditorKind::Decimal:
        return patternEditor(parent, "[-+]?[0-9]*[.,]?[0-9]*");
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
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* date = qobject_cast<QDateEdit*>(editor)) {
        const QDate d = QDate::fromString(text, QString::fromLatin1(kDateFormat));
        date->setDate(d.isValid() ? d : QDate::currentDate());
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setEditText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void RegisterDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    QString text;
    if (auto* date = qobject_cast<QDateEdit*>(editor)) {
        text = date->date().toString(QString::fromLatin1(kDateFormat));
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        text = combo->currentText();
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        text = line->text();
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    model->setData(index, text, Qt::EditRole);
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
