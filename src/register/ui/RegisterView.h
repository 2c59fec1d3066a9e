// The register's grid view: how its cells are edited (a key typed into a cell replaces
// its text, F2, Enter or a double click edit it in place, a click-fill proposal waits in
// the cell's editor, an impossible date keeps its editor open) and how its columns are
// sized (never wider than the view can show, "Notes" taking what the others leave).
#pragma once

#include <QTableView>

class RegisterDelegate;

class RegisterView : public QTableView {
    Q_OBJECT
public:
    // The view takes `delegate` as its item delegate; `stretchColumn` is the model column
    // that takes the width the others leave.
    RegisterView(RegisterDelegate* delegate, int stretchColumn, QWidget* parent = nullptr);

    // Opens the cell's editor holding `text`, selected: Enter or Tab keeps it, typing
    // replaces it, Escape or leaving the cell leaves the cell as it was.
    void propose(const QModelIndex& index, const QString& text);

    // Back to the default widths: each column sized to its contents within the view, the
    // stretch column taking what the others leave, also when the view is resized, until
    // the user sizes a column.
    void fitColumns();
    // A right click on a caption: the column fits its contents, within the view.
    void fitColumn(int column);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    int wantedWidth(int column) const;
    // The open editor that may not close (an impossible date), or null.
    QWidget* heldEditor() const;

    RegisterDelegate* delegate_;
    int stretchColumn_;
    bool defaultWidths_ = true;
    bool sizing_ = false;
};
