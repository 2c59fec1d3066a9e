// "&Chercher..." and "&Suivant" over a grid: the search area, the visiting order, what a
// match is, and the remembered position of the last match. Used by the register, and by
// the planning and deposit-slip windows on their own grids.
#pragma once

#include <optional>
#include <string>

#include "register/Grid.h"

namespace ledgora {

// What "&Chercher..." and "&Suivant" say when nothing matches.
inline constexpr const char* kSearchMiss = "Recherche infructueuse.";

struct FindOptions {
    enum class Direction { TopToBottom, LeftToRight };
    enum class Scope { Everything, CurrentColumn, CurrentRow };

    std::string text;
    bool caseSensitive = false; // "&Différence MAJ/min"
    bool wholeCell = false;     // "Mo&ts entiers"
    bool pattern = false;       // "E&xpressions régulières"
    Direction direction = Direction::TopToBottom;
    Scope scope = Scope::Everything;
};

struct CellPosition {
    int row = 0;
    int column = 0;
    bool operator==(const CellPosition&) const = default;
};

class GridSearch {
public:
    // The area is columns firstColumn..lastColumn of rows 1 to the last row.
    GridSearch(int firstColumn, int lastColumn) : first_(firstColumn), last_(lastColumn) {}

    // A new search from the first cell of the area (narrowed to `current`'s column or row
    // by the scope). Remembers the options and the match.
    std::optional<CellPosition> find(const Grid& grid, const FindOptions& options,
                                     CellPosition current);
    // Goes on after the last match, in the same area; a search that ends without a match
    // forgets the position, so the next one starts from the first cell again.
    std::optional<CellPosition> findNext(const Grid& grid);

    const FindOptions& options() const { return options_; }
    bool hasSearched() const { return searched_; }

    // Whether one cell text matches the options.
    static bool matches(const std::string& cell, const FindOptions& options);

private:
    std::optional<CellPosition> scan(const Grid& grid, std::optional<CellPosition> after);

    int first_;
    int last_;
    FindOptions options_;
    CellPosition current_;
    std::optional<CellPosition> last_match_;
    bool searched_ = false;
};

} // namespace ledgora
