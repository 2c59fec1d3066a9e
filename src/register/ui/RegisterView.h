// The register's grid view: how its cells are edited (a key typed into a cell replaces
// its text, F2, Enter or a double click edit it in place, a click-fill proposal waits in
// the cell's editor, an impossible date keeps its editor open); the common grid look and
// column sizing come from GridView, "Notes" taking the width the others leave and the
// date and the amounts kept whole.
#pragma once

#include "ui/GridView.h"

class RegisterDelegate;

class RegisterView : public GridView {
    Q_OBJECT
public:
    // The view takes `delegate` as its item delegate; `stretchColumn` is the model column
    // that takes the width the others leave.
    RegisterView(RegisterDelegate* delegate, int stretchColumn, QWidget* parent = nullptr);

    // Opens the cell's editor holding `text`, selected: Enter or Tab keeps it, typing
    // replaces it, Escape or leaving the cell leaves the cell as it was.
    void propose(const QModelIndex& index, const QString& text);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The open editor that may not close (an impossible date), or null.
    QWidget* heldEditor() const;

    RegisterDelegate* delegate_;
};
