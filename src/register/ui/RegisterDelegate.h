// The register's cell editors, chosen by column: a typed date editor with a calendar, a
// whole-number editor for "numero", editable drop-down lists of categories and payment
// modes, decimal editors for amounts and a line editor for notes. An editor may open
// holding a click-fill proposal, which only the user's Enter or Tab makes the cell's text.
#pragma once

#include <functional>
#include <optional>

#include <QPointer>
#include <QStyledItemDelegate>

#include "platform/Dialogs.h"
#include "register/CellRules.h"
#include "register/NameList.h"

class RegisterDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `dialogs` says why a date is refused.
    RegisterDelegate(const ledgora::NameList& categories, const ledgora::NameList& modes,
                     platform::Dialogs& dialogs, QObject* parent = nullptr);

    // The editor of each grid column, for a grid laid out otherwise than the register (the
    // planning); the register's by default.
    using EditorKinds = std::function<ledgora::EditorKind(int gridColumn)>;
    void setEditorKinds(EditorKinds kinds) { kinds_ = std::move(kinds); }

    // The next editor opens holding `text`, selected, instead of the cell's text.
    void propose(const QString& text) { proposal_ = text; }
    void dropProposal() { proposal_.reset(); }
    // True when `editor` holds a proposal the user has neither typed over nor accepted.
    static bool holdsProposal(const QWidget* editor);

    // True when `editor` holds text its cell cannot take (an impossible date): the editor
    // must stay open.
    static bool refusesToClose(const QWidget* editor);
    // Says why, then gives the editor back the focus with what was typed.
    void refuse(QWidget* editor);

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

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    ledgora::EditorKind kindOf(const QModelIndex& index) const;

    EditorKinds kinds_ = ledgora::registerEditorKind;
    const ledgora::NameList& categories_;
    const ledgora::NameList& modes_;
    platform::Dialogs& dialogs_;
    mutable std::optional<QString> proposal_;
    // Set while the refusal is shown: the editor losing the focus to the message box must
    // not close it.
    bool refusing_ = false;
};
