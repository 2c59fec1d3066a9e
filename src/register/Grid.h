// A grid of text cells: the register, the planning and every scratch register are one.
// Row 0 holds the captions and column 0 the row numbers; cells are UTF-8 texts, an empty
// cell is an empty text.
//
// Each cell is an eight-byte handle: empty, a text of up to seven bytes held in the
// handle itself (or of up to fourteen digits and separators, as a date, packed into it),
// or the place of a longer text in the grid's text arena (or, for the texts a
// load met more than once, in the arena of texts its cells share). A cell may also hold a
// number of cents, which reads as its two-decimal text (the register's running balances), so that a
// whole column of them can move by an amount without rewriting its texts. Columns never
// written take no room (nor do long runs of empty cells), and rows are an index over the
// cells: sorting, inserting and removing rows move indices, never texts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "money/Amount.h"
#include "platform/HugePageAllocator.h"
#include "register/CellText.h"
#include "register/TextArena.h"

namespace ledgora {

class Grid {
public:
    static constexpr int kDefaultColumnWidth = 64;
    // The numbers a number cell holds exactly; addCentsFrom() keeps its results within.
    static constexpr Cents kMaxCellCents = Cents{1} << 52;

    Grid() = default;
    Grid(int rows, int columns);
    Grid(const Grid& other);
    Grid& operator=(const Grid& other);
    Grid(Grid&& other) noexcept = default;
    Grid& operator=(Grid&& other) noexcept = default;
    ~Grid() = default;

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }

    // Cells outside the grid read as empty. The text of a number cell or a packed one is
    // held by the CellText itself; any other is a view into the grid, valid until the cell
    // is written or the grid compacted (compact(), or a row operation that drops many rows).
    CellText at(int row, int column) const;
    // at(row, column).empty(), without writing out the text of a number or packed cell.
    bool isEmpty(int row, int column) const;
    // The cell must lie inside the grid.
    void set(int row, int column, std::string_view text);
    bool contains(int row, int column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }

    // A number cell: it reads as formatCents(cents). The cell must lie inside the grid;
    // a number beyond kMaxCellCents is kept as its text.
    void setCents(int row, int column, Cents cents);
    // The number of a number cell; nothing for a text or empty cell.
    std::optional<Cents> centsAt(int row, int column) const;
    // What parseCents() reads in the cell's text; nothing for an empty cell. A number cell
    // answers without writing out its text.
    std::optional<Cents> parsedCentsAt(int row, int column) const;
    // Adds `delta` to every number cell of `column` from `firstRow` on (texts and empty
    // cells stay as they are), in time that grows with the square root of the rows.
    void addCentsFrom(int column, int firstRow, Cents delta);

    // Resizing keeps the cells that still fit; new cells are empty.
    void setRowCount(int rows);
    void setColumnCount(int columns);

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // Makes room for `rows` rows without moving the cells again when rows are added.
    void reserveRows(int rows);
    // Inserts an empty row before `row` (rowCount() appends).
    void insertRow(int row);
    void removeRow(int row);
    // Removes the rows from `firstRow` on for which drop(grid, row) is true; the others
    // keep their order. One pass, whatever the number removed.
    template <typename Drop> void removeRowsIf(int firstRow, Drop&& drop);
    // Empties every cell of the rows from `firstRow` on.
    void clearRows(int firstRow);
    void clearRow(int row);
    // Rows firstRow.. are rearranged so that new row firstRow+i is old row order[i]. An
    // `order` that is not a permutation of those rows changes nothing.
    void permuteRows(int firstRow, std::span<const int> order);
    void permuteRows(int firstRow, const std::vector<int>& order) {
        permuteRows(firstRow, std::span<const int>(order));
    }

    // Lays the cells out again in row order and drops the texts no cell holds any more:
    // after a load's sort, or when the garbage passes half. Every view is then invalid.
    void compact();
    // The bytes the text arena holds, and those of it no cell uses any more.
    std::size_t arenaBytes() const { return arena_.capacity(); }
    std::size_t garbageBytes() const { return garbage_; }

    // Same size, widths and texts (a number cell equals the text it reads as).
    bool operator==(const Grid& other) const;

    // Writes the cells of a load, as set() does: a text met again (a date, a category, a
    // payment mode) is stored once and its cells share it, so that a large register holds
    // each of those texts once. A grid's shared texts live as long as the grid.
    class Filler {
    public:
        explicit Filler(Grid& grid);
        // The cell must lie inside the grid.
        void set(int row, int column, std::string_view text);

    private:
        struct Slot {
            std::uint64_t location = 0; // one past the shared text's location; 0 is free
            std::uint64_t hash = 0;
        };
        struct Tries {
            std::uint32_t tries = 0;
            std::uint32_t hits = 0;
        };
        std::uint64_t share(std::string_view text, std::uint64_t hash);
        void grow();

        Grid& grid_;
        std::vector<Slot> slots_;
        std::size_t shared_ = 0;
        // Per column: a column whose texts seldom repeat (notes) stops being looked up.
        std::vector<Tries> tries_;
    };

private:
    using Cell = std::uint64_t;
    // A column is pages of kPageCells cells, each made when a cell of it is first written;
    // a page never made is null, and reads as empty cells.
    using Page = Cell*;
    using Column = std::vector<Page>;

    // The pages of one grid, cut from a few large blocks (mapped with huge pages once a
    // grid is large), so that a large load takes few page faults.
    class Pages {
    public:
        Pages() = default;
        Pages(const Pages&) = delete;
        Pages& operator=(const Pages&) = delete;
        Pages(Pages&& other) noexcept;
        Pages& operator=(Pages&& other) noexcept;
        ~Pages();
        // A page of empty cells.
        Page take();
        // Makes the next block hold at least `pages` pages more than are left: a load
        // that knows its size takes its pages from one block.
        void reserve(std::size_t pages);
        void give(Page page);

    private:
        struct Block {
            void* bytes;
            std::size_t size;
        };
        void release();

        std::vector<Block> blocks_;
        std::vector<Page> free_;
        Page next_ = nullptr;
        std::size_t left_ = 0; // pages of the newest block not given out yet
        std::size_t nextBlockPages_ = 1;
    };

    using Index = std::vector<std::uint32_t, platform::HugePageAllocator<std::uint32_t>>;
    static constexpr int kPageShift = 12; // cells per page: 4096
    static constexpr std::size_t kPageCells = std::size_t{1} << kPageShift;
    static constexpr std::size_t kPageMask = kPageCells - 1;
    static constexpr int kBlockShift = 10; // rows per offset block: 1024

    std::uint32_t physical(int row) const { return order_[static_cast<std::size_t>(row)]; }
    const Cell* stored(int row, int column) const;
    Cell cell(int row, int column) const;
    Cell& cellToWrite(int row, int column);
    // The cell of a row of the cells, when its page exists.
    Cell* existing(int column, std::uint32_t physicalRow);
    void copyCellsFrom(const Grid& other);
    void drop(Cell c);
    Cell encode(std::string_view text);
    Cell encodeCents(Cents cents);
    Cents offset(int column, int row) const;
    // Folds the offsets of number cells into the cells: before rows move.
    void settleOffsets();
    void settleOffsets(int column);
    std::uint32_t newPhysicalRow();
    void clearPhysicalRow(std::uint32_t physicalRow);
    void freeRow(std::uint32_t physicalRow);
    void removeMarked(int firstRow, const std::vector<bool>& dropped);
    void compactIfWasteful();

    int rows_ = 0;
    int columns_ = 0;
    // Display row -> row of the cells; rows of the cells nobody shows, all empty.
    Index order_;
    std::vector<std::uint32_t> free_;
    std::uint32_t cellRows_ = 0;
    // One per column; a page that was never written is empty, and reads as empty cells.
    std::vector<Column> cells_;
    Pages pages_;
    // Per column, what addCentsFrom() added to its number cells, per block of display rows.
    std::vector<std::vector<Cents>> offsets_;
    TextArena arena_;
    // Texts a Filler found more than once; never written in place nor counted as garbage.
    TextArena shared_;
    std::size_t garbage_ = 0;
    std::vector<int> widths_;
};

template <typename Drop> void Grid::removeRowsIf(int firstRow, Drop&& drop) {
    firstRow = firstRow < 0 ? 0 : firstRow;
    if (firstRow >= rows_) {
        setRowCount(firstRow); // the rows kept end where the removed ones began
        return;
    }
    std::vector<bool> dropped(static_cast<std::size_t>(rows_ - firstRow), false);
    bool any = false;
    for (int r = firstRow; r < rows_; ++r) {
        if (drop(static_cast<const Grid&>(*this), r)) {
            dropped[static_cast<std::size_t>(r - firstRow)] = true;
            any = true;
        }
    }
    if (any) {
        removeMarked(firstRow, dropped);
    }
}

} // namespace ledgora
