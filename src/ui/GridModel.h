// Any core grid as a Qt table, with no copy of its cells: every call reads the grid and
// asks its look for colours, bold and alignment, so the screen agrees with the printout
// and the exports. The grid's caption row becomes the horizontal header and its number
// column the vertical one when the look says they are fixed.
//
// The calculators' result grids still carry a look of their own (fincalc's
// calculatorCellLook, below register and so below GridLook); shown here, they go through a
// GridLook adapter in their window until Grid and GridLook sit below both.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QAbstractTableModel>

#include "register/Grid.h"
#include "register/GridLook.h"

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Which cells may be edited, and what an edit does (a core operation); a grid without
    // them is read-only. Rows and columns are grid coordinates.
    using MayEdit = std::function<bool(int row, int column)>;
    using Commit = std::function<void(int row, int column, const std::string& text)>;

    // `grid` and `look` are borrowed and must outlive the model.
    GridModel(const ledgora::Grid& grid, const ledgora::GridLook& look, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void setEditing(MayEdit mayEdit, Commit commit);

    // Grid coordinates of a model index, and back (an invalid index outside the grid).
    int gridRowOf(const QModelIndex& index) const { return index.row() + rowOffset(); }
    int gridColumnOf(const QModelIndex& index) const { return index.column() + columnOffset(); }
    QModelIndex indexOf(int gridRow, int gridColumn) const;

    const ledgora::Grid& grid() const { return grid_; }
    const ledgora::GridLook& look() const { return *look_; }
    // Another look for the same grid (black and white): every cell is repainted.
    void setLook(const ledgora::GridLook& look);

    // The grid changed; the owner, or the observer of the grid's owner, says how, in grid
    // coordinates. Rows and columns are counted again only by the row calls and the reset.
    void gridCellsChanged(int gridRow, int firstColumn, int lastColumn);
    void gridRowsInserted(int firstGridRow, int count);
    void gridRowsRemoved(int firstGridRow, int count);
    void gridReplaced();

protected:
    // A model that owns its look (a subclass's look, made before the model).
    GridModel(const ledgora::Grid& grid, std::unique_ptr<const ledgora::GridLook> look,
              QObject* parent);

    // The fixed caption row and number column become headers; further fixed rows and
    // columns stay cells, in the look's fixed colour.
    int rowOffset() const { return look_->fixedRows() > 0 ? 1 : 0; }
    int columnOffset() const { return look_->fixedColumns() > 0 ? 1 : 0; }
    // The rows the grid holds for the view; a subclass may show none (no account open).
    virtual int countRows() const;
    int countColumns() const;
    // Counts rows and columns again without a signal: for a subclass's constructor.
    void recount();

private:
    const ledgora::Grid& grid_;
    std::unique_ptr<const ledgora::GridLook> ownLook_;
    const ledgora::GridLook* look_;
    MayEdit mayEdit_;
    Commit commit_;
    int rows_ = 0;
    int columns_ = 0;
};
