// The register's cell editors, chosen by column: a calendar date editor, a whole-number
// editor for "numero", editable drop-down lists of categories and payment modes, decimal
// editors for amounts and a line editor for notes.
#pragma once

#include <QStyledItemDelegate>

#include "register/NameList.h"

class RegisterDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    RegisterDelegate(const ledgora::NameList& categories, const ledgora::NameList& modes,
                     QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    // The reconciled mark is a check box centred in its cell, ticked by a click anywhere
    // in the cell or by the space bar.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    const ledgora::NameList& categories_;
    const ledgora::NameList& modes_;
};
