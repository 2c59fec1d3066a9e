// The view every grid window shares: the caption row and the number column stay in place,
// colours come from the grid's look (the odd-row tint included), a right click on a
// caption fits that column to its contents, and a click on a caption sorts where the
// window gives a way to. Columns start at their contents' widths within the view, one
// column optionally taking what the others leave, until the user sizes one. Widths are
// read from the captions and a sample of rows (the first, the last and those in sight),
// never from every row: a register of a million rows opens at once.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QTableView>

#include "register/GridSearch.h"

class GridModel;

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    // Shows `model` (not owned) with its look's grid colour under the cells.
    void setGridModel(GridModel* model);
    GridModel* gridModel() const { return gridModel_; }

    // The model column that takes the width the others leave; -1 for none.
    void setStretchColumn(int column) { stretchColumn_ = column; }
    // Model column `column` keeps the width its contents want while the others give way
    // (a date, an amount), and is at least as wide as `sample`, its widest format
    // ("00/00/0000"), whatever rows the sizing reads. When even the kept columns cannot
    // all be shown whole, every column gives way as usual.
    void keepColumnWhole(int column, const QString& sample = {});
    // The room every automatic width gets beyond its contents (20 pixels unless set).
    void setColumnPadding(int pixels) { padding_ = pixels; }
    // A click on a caption calls `sort` with the grid column clicked; none: no sort.
    void setSortByColumn(std::function<void(int gridColumn)> sort);

    // Back to the default widths: each column sized to its contents within the view, the
    // stretch column taking what the others leave, also when the view is resized, until
    // the user sizes a column.
    void fitColumns();
    // Runs `arrange` (moving the cursor, scrolling), during which resizes of the view do not
    // fit the columns, then fits them once for the view as it then stands.
    void fitColumnsAfter(const std::function<void()>& arrange);
    // A right click on a caption: the column fits its contents, within the view.
    void fitColumn(int column);
    // What column `column` wants: its caption, its sampled texts and its format, padded.
    int wantedWidth(int column) const;

    // Where a search starts: the grid cell under the cursor, else row 1 at `column`.
    ledgora::CellPosition searchStart(int column) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int sampledWidth(int column) const;
    // Lays the view out now (row numbers, scroll bars), its resizes fitting no columns.
    void settleGeometry();
    void applyGridColor();

    GridModel* gridModel_ = nullptr;
    std::function<void(int)> sort_;
    int stretchColumn_ = -1;
    int padding_ = 20;
    // The kept columns and their samples.
    std::vector<std::pair<int, QString>> kept_;
    bool defaultWidths_ = true;
    bool sizing_ = false;
    bool settling_ = false;
};
