#include "register/Grid.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>
#include <numeric>
#include <stdexcept>

#include "platform/HugePageAllocator.h"

namespace ledgora {
namespace {

// A handle: the kind in bits 0-3, a short text's length in bits 4-7, the rest in bits
// 8-63. A short text's bytes are the handle's bytes 1 to 7 as they lie in memory, so that
// a view of them stays valid like a view of the arena.
static_assert(std::endian::native == std::endian::little, "short texts lie in bytes 1 to 7");
enum Kind : std::uint64_t {
    kEmpty = 0,
    kShort = 1,
    kArena = 3,
    kNumber = 4,
    kShared = 5,
    kPacked = 6
};
constexpr std::uint64_t kKindMask = 0xF;
constexpr int kPayloadShift = 8;
constexpr std::size_t kShortMax = 7;
constexpr Cents kStoredLimit = Cents{1} << 55;
constexpr Cents kOffsetLimit = Cents{1} << 60;
constexpr std::size_t kMinGarbage = std::size_t{64} << 10;
constexpr std::size_t kMinFreeRows = 4096;
// Block sizes of the pages double up to this many pages (4 MiB, mapped with huge pages).
constexpr std::size_t kLargestPageBlock = 128;
// The texts a Filler looks up: longer ones seldom repeat.
constexpr std::size_t kMaxSharedText = 64;
constexpr std::size_t kMaxSharedTexts = std::size_t{1} << 16;
// A column whose first texts found so few of them again is not looked up any more.
constexpr std::uint32_t kTriesBeforeJudging = 4096;

// A hash of a short text from its first and last eight bytes and its length.
std::uint64_t hashText(std::string_view text) {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    const std::size_t n = text.size();
    if (n >= 8) {
        std::memcpy(&a, text.data(), 8);
        std::memcpy(&b, text.data() + n - 8, 8);
    } else {
        std::memcpy(&a, text.data(), n);
    }
    std::uint64_t h = (a ^ (b * 0x9E3779B97F4A7C15ULL) ^ n) * 0xFF51AFD7ED558CCDULL;
    h ^= h >> 29;
    if (n > 16) {
        for (std::size_t i = 8; i + 8 < n; i += 8) {
            std::uint64_t w = 0;
            std::memcpy(&w, text.data() + i, 8);
            h = (h ^ w) * 0xC4CEB9FE1A85EC53ULL;
            h ^= h >> 31;
        }
    }
    return h;
}

std::uint64_t kindOf(std::uint64_t c) {
    return c & kKindMask;
}

std::uint64_t payloadOf(std::uint64_t c) {
    return c >> kPayloadShift;
}

Cents storedCents(std::uint64_t c) {
    // The payload is a signed 56-bit number: the arithmetic shift extends its sign.
    return static_cast<Cents>(c) >> kPayloadShift;
}

bool fitsStored(Cents v) {
    return v >= -kStoredLimit && v < kStoredLimit;
}

std::uint64_t numberCell(Cents stored) {
    return (static_cast<std::uint64_t>(stored) << kPayloadShift) | kNumber;
}

std::optional<std::uint64_t> shortCell(std::string_view text) {
    if (text.size() > kShortMax) {
        return std::nullopt;
    }
    std::uint64_t c = (text.size() << 4) | kShort;
    std::memcpy(reinterpret_cast<char*>(&c) + 1, text.data(), text.size());
    return c;
}

std::string_view shortText(const std::uint64_t& c) {
    return {reinterpret_cast<const char*>(&c) + 1, static_cast<std::size_t>((c >> 4) & 0xF)};
}

// A text of 8 to 14 bytes drawn from 16 signs (a date, a cheque number, an amount as
// typed) is held in the handle too, four bits a sign: a register's dates need no arena.
constexpr std::size_t kPackedMax = 14;
constexpr std::string_view kPackedSigns = "0123456789/.,-: ";
static_assert(kPackedSigns.size() == 16 && kPackedMax * 4 == 64 - kPayloadShift);
constexpr std::uint8_t kNotPacked = 0xFF;
constexpr auto kPackedCodes = [] {
    std::array<std::uint8_t, 256> codes{};
    codes.fill(kNotPacked);
    for (std::size_t i = 0; i < kPackedSigns.size(); ++i) {
        codes[static_cast<unsigned char>(kPackedSigns[i])] = static_cast<std::uint8_t>(i);
    }
    return codes;
}();

std::optional<std::uint64_t> packedCell(std::string_view text) {
    const std::size_t n = text.size();
    if (n <= kShortMax || n > kPackedMax) {
        return std::nullopt;
    }
    std::uint64_t signs = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t code = kPackedCodes[static_cast<unsigned char>(text[i])];
        if (code == kNotPacked) {
            return std::nullopt;
        }
        signs |= std::uint64_t{code} << (4 * i);
    }
    return (signs << kPayloadShift) | (n << 4) | kPacked;
}

std::size_t packedTextInto(std::uint64_t c, char* out) {
    const auto n = static_cast<std::size_t>((c >> 4) & 0xF);
    std::uint64_t signs = c >> kPayloadShift;
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = kPackedSigns[signs & 0xF];
        signs >>= 4;
    }
    return n;
}

// The same text as formatCents(), without a string.
std::size_t formatCentsInto(Cents cents, char* out) {
    char* p = out;
    if (cents < 0) {
        *p++ = '-';
    }
    const auto magnitude = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                     : static_cast<unsigned long long>(cents);
    p = std::to_chars(p, out + CellText::kInlineCapacity, magnitude / 100).ptr;
    const auto cent = static_cast<unsigned>(magnitude % 100);
    *p++ = '.';
    *p++ = static_cast<char>('0' + cent / 10);
    *p++ = static_cast<char>('0' + cent % 10);
    return static_cast<std::size_t>(p - out);
}

// The cents of a text that reads exactly as formatCents() writes them ("-1234.56"), as
// the balances of a saved register do; nothing for any other text.
std::optional<Cents> canonicalCents(std::string_view text) {
    const std::size_t n = text.size();
    const bool negative = n > 0 && text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    if (n < first + 4 || n - first > 19 || text[n - 3] != '.') {
        return std::nullopt;
    }
    const std::size_t dot = n - 3;
    if (text[first] == '0' && dot - first > 1) {
        return std::nullopt;
    }
    Cents v = 0;
    for (std::size_t i = first; i < n; ++i) {
        if (i == dot) {
            continue;
        }
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        v = v * 10 + (text[i] - '0');
    }
    if (negative && v == 0) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

} // namespace

Grid::Grid(int rows, int columns)
    : rows_(std::max(rows, 0)), columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(columns_)), offsets_(static_cast<std::size_t>(columns_)),
      widths_(static_cast<std::size_t>(columns_), kDefaultColumnWidth) {
    order_.resize(static_cast<std::size_t>(rows_));
    std::iota(order_.begin(), order_.end(), 0U);
    cellRows_ = static_cast<std::uint32_t>(rows_);
}

Grid::Pages::Pages(Pages&& other) noexcept
    : blocks_(std::move(other.blocks_)), free_(std::move(other.free_)), next_(other.next_),
      left_(other.left_), nextBlockPages_(other.nextBlockPages_) {
    other.blocks_.clear();
    other.free_.clear();
    other.next_ = nullptr;
    other.left_ = 0;
    other.nextBlockPages_ = 1;
}

Grid::Pages& Grid::Pages::operator=(Pages&& other) noexcept {
    if (this != &other) {
        release();
        blocks_ = std::move(other.blocks_);
        free_ = std::move(other.free_);
        next_ = other.next_;
        left_ = other.left_;
        nextBlockPages_ = other.nextBlockPages_;
        other.blocks_.clear();
        other.free_.clear();
        other.next_ = nullptr;
        other.left_ = 0;
        other.nextBlockPages_ = 1;
    }
    return *this;
}

Grid::Pages::~Pages() {
    release();
}

void Grid::Pages::release() {
    for (const Block& b : blocks_) {
        platform::deallocateLarge(b.bytes, b.size);
    }
    blocks_.clear();
    free_.clear();
    next_ = nullptr;
    left_ = 0;
}

Grid::Page Grid::Pages::take() {
    constexpr std::size_t kPageBytes = kPageCells * sizeof(Cell);
    if (!free_.empty()) {
        const Page p = free_.back();
        free_.pop_back();
        std::memset(p, 0, kPageBytes);
        return p;
    }
    if (left_ == 0) {
        const std::size_t bytes = nextBlockPages_ * kPageBytes;
        void* block = platform::allocateLargeZeroed(bytes);
        blocks_.push_back({block, bytes});
        next_ = static_cast<Page>(block);
        left_ = nextBlockPages_;
        nextBlockPages_ = std::min(nextBlockPages_ * 2, kLargestPageBlock);
    }
    const Page p = next_;
    next_ += kPageCells;
    --left_;
    return p;
}

void Grid::Pages::reserve(std::size_t pages) {
    if (pages > left_) {
        nextBlockPages_ = std::max(nextBlockPages_, pages - left_);
    }
}

void Grid::Pages::give(Page page) {
    if (page != nullptr) {
        free_.push_back(page);
    }
}

Grid::Grid(const Grid& other)
    : rows_(other.rows_), columns_(other.columns_), order_(other.order_), free_(other.free_),
      cellRows_(other.cellRows_), offsets_(other.offsets_), arena_(other.arena_),
      shared_(other.shared_), garbage_(other.garbage_), widths_(other.widths_) {
    copyCellsFrom(other);
}

Grid& Grid::operator=(const Grid& other) {
    if (this != &other) {
        Grid copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void Grid::copyCellsFrom(const Grid& other) {
    cells_.resize(other.cells_.size());
    for (std::size_t c = 0; c < other.cells_.size(); ++c) {
        const Column& from = other.cells_[c];
        Column& to = cells_[c];
        to.assign(from.size(), nullptr);
        for (std::size_t p = 0; p < from.size(); ++p) {
            if (from[p] != nullptr) {
                to[p] = pages_.take();
                std::memcpy(to[p], from[p], kPageCells * sizeof(Cell));
            }
        }
    }
}

const Grid::Cell* Grid::stored(int row, int column) const {
    const Column& pages = cells_[static_cast<std::size_t>(column)];
    const std::uint32_t p = physical(row);
    const std::size_t page = p >> kPageShift;
    return page < pages.size() && pages[page] != nullptr ? &pages[page][p & kPageMask] : nullptr;
}

Grid::Cell Grid::cell(int row, int column) const {
    const Cell* c = stored(row, column);
    return c != nullptr ? *c : Cell{kEmpty};
}

Grid::Cell* Grid::existing(int column, std::uint32_t physicalRow) {
    Column& pages = cells_[static_cast<std::size_t>(column)];
    const std::size_t page = physicalRow >> kPageShift;
    return page < pages.size() && pages[page] != nullptr ? &pages[page][physicalRow & kPageMask]
                                                         : nullptr;
}

Grid::Cell& Grid::cellToWrite(int row, int column) {
    Column& pages = cells_[static_cast<std::size_t>(column)];
    const std::uint32_t p = physical(row);
    const std::size_t page = p >> kPageShift;
    if (page >= pages.size()) {
        pages.resize(page + 1, nullptr);
    }
    if (pages[page] == nullptr) {
        pages[page] = pages_.take();
    }
    return pages[page][p & kPageMask];
}

Cents Grid::offset(int column, int row) const {
    const std::vector<Cents>& o = offsets_[static_cast<std::size_t>(column)];
    const auto block = static_cast<std::size_t>(row) >> kBlockShift;
    return block < o.size() ? o[block] : 0;
}

void Grid::drop(Cell c) {
    if (kindOf(c) == kArena) {
        garbage_ += TextArena::footprint(arena_.text(payloadOf(c)).size());
    }
}

Grid::Cell Grid::encode(std::string_view text) {
    if (const auto c = shortCell(text)) {
        return *c;
    }
    if (const auto c = packedCell(text)) {
        return *c;
    }
    return (arena_.add(text) << kPayloadShift) | kArena;
}

CellText Grid::at(int row, int column) const {
    if (!contains(row, column)) {
        return {};
    }
    const Cell* c = stored(row, column);
    if (c == nullptr) {
        return {};
    }
    switch (kindOf(*c)) {
    case kShort:
        return CellText::viewOf(shortText(*c));
    case kArena:
        return CellText::viewOf(arena_.text(payloadOf(*c)));
    case kShared:
        return CellText::viewOf(shared_.text(payloadOf(*c)));
    case kNumber: {
        CellText t = CellText::ownBuffer();
        t.setOwnSize(formatCentsInto(storedCents(*c) + offset(column, row), t.buffer()));
        return t;
    }
    case kPacked: {
        CellText t = CellText::ownBuffer();
        t.setOwnSize(packedTextInto(*c, t.buffer()));
        return t;
    }
    default:
        return {};
    }
}

void Grid::set(int row, int column, std::string_view text) {
    if (!contains(row, column)) {
        throw std::out_of_range("Grid cell outside the grid");
    }
    if (text.empty() && existing(column, physical(row)) == nullptr) {
        return;
    }
    Cell& c = cellToWrite(row, column);
    if (kindOf(c) == kArena && text.size() > kShortMax && !packedCell(text)) {
        const std::string_view old = arena_.text(payloadOf(c));
        if (text.size() <= old.size()) {
            // In place: an edited note or category seldom grows.
            garbage_ += old.size() - text.size();
            arena_.shrinkTo(payloadOf(c), text);
            return;
        }
    }
    // The new text first: `text` may be the old one's bytes, which stay where they are
    // (and a short text's handle is built apart from the cell).
    const Cell next = text.empty() ? Cell{kEmpty} : encode(text);
    drop(c);
    c = next;
}

void Grid::setCents(int row, int column, Cents cents) {
    if (!contains(row, column)) {
        throw std::out_of_range("Grid cell outside the grid");
    }
    if (cents < -kMaxCellCents || cents > kMaxCellCents) {
        set(row, column, formatCents(cents));
        return;
    }
    Cents stored = cents - offset(column, row);
    if (!fitsStored(stored)) {
        settleOffsets(column);
        stored = cents;
    }
    Cell& c = cellToWrite(row, column);
    drop(c);
    c = numberCell(stored);
}

std::optional<Cents> Grid::centsAt(int row, int column) const {
    if (!contains(row, column)) {
        return std::nullopt;
    }
    const Cell c = cell(row, column);
    if (kindOf(c) != kNumber) {
        return std::nullopt;
    }
    return storedCents(c) + offset(column, row);
}

bool Grid::isEmpty(int row, int column) const {
    const Cell* c = contains(row, column) ? stored(row, column) : nullptr;
    // A short text of no bytes reads as empty too.
    return c == nullptr || *c == Cell{kEmpty} || *c == Cell{kShort};
}

std::optional<Cents> Grid::parsedCentsAt(int row, int column) const {
    if (isEmpty(row, column)) {
        return std::nullopt;
    }
    const Cell* c = stored(row, column);
    if (kindOf(*c) == kNumber) {
        return storedCents(*c) + offset(column, row);
    }
    return parseCents(at(row, column));
}

void Grid::addCentsFrom(int column, int firstRow, Cents delta) {
    firstRow = std::max(firstRow, 0);
    if (delta == 0 || column < 0 || column >= columns_ || firstRow >= rows_ ||
        cells_[static_cast<std::size_t>(column)].empty()) {
        return;
    }
    if (delta < -kMaxCellCents || delta > kMaxCellCents) {
        // Beyond what the offsets hold exactly: cell by cell.
        settleOffsets(column);
        for (int r = firstRow; r < rows_; ++r) {
            if (const auto v = centsAt(r, column)) {
                setCents(r, column, addCents(*v, delta));
            }
        }
        return;
    }
    // The rest of the first block cell by cell, the blocks after it through their offset.
    const int blockEnd = std::min(rows_, ((firstRow >> kBlockShift) + 1) << kBlockShift);
    for (int r = firstRow; r < blockEnd; ++r) {
        Cell* c = existing(column, physical(r));
        if (c == nullptr || kindOf(*c) != kNumber) {
            continue;
        }
        const Cents stored = storedCents(*c) + delta;
        if (fitsStored(stored)) {
            *c = numberCell(stored);
        } else {
            setCents(r, column, stored + offset(column, r));
        }
    }
    if (blockEnd >= rows_) {
        return;
    }
    std::vector<Cents>& o = offsets_[static_cast<std::size_t>(column)];
    const std::size_t blocks =
        (static_cast<std::size_t>(rows_) + (1U << kBlockShift) - 1) >> kBlockShift;
    o.resize(std::max(o.size(), blocks), 0);
    bool far = false;
    for (std::size_t b = static_cast<std::size_t>(blockEnd) >> kBlockShift; b < blocks; ++b) {
        o[b] += delta;
        far = far || o[b] < -kOffsetLimit || o[b] > kOffsetLimit;
    }
    if (far) {
        settleOffsets(column);
    }
}

void Grid::settleOffsets(int column) {
    std::vector<Cents>& o = offsets_[static_cast<std::size_t>(column)];
    if (o.empty()) {
        return;
    }
    std::vector<Cents> offsets = std::move(o);
    o.clear();
    const int rows = std::min(rows_, static_cast<int>(offsets.size() << kBlockShift));
    for (int r = 0; r < rows; ++r) {
        const Cents add = offsets[static_cast<std::size_t>(r) >> kBlockShift];
        Cell* c = add == 0 ? nullptr : existing(column, physical(r));
        if (c == nullptr || kindOf(*c) != kNumber) {
            continue;
        }
        const Cents v = storedCents(*c) + add;
        if (v >= -kMaxCellCents && v <= kMaxCellCents) {
            *c = numberCell(v);
        } else {
            *c = encode(formatCents(v));
        }
    }
}

void Grid::settleOffsets() {
    for (int c = 0; c < columns_; ++c) {
        settleOffsets(c);
    }
}

std::uint32_t Grid::newPhysicalRow() {
    if (!free_.empty()) {
        const std::uint32_t p = free_.back();
        free_.pop_back();
        return p;
    }
    if (cellRows_ == std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many grid rows");
    }
    return cellRows_++;
}

void Grid::clearPhysicalRow(std::uint32_t physicalRow) {
    for (int c = 0; c < columns_; ++c) {
        if (Cell* cell = existing(c, physicalRow)) {
            drop(*cell);
            *cell = Cell{kEmpty};
        }
    }
}

void Grid::freeRow(std::uint32_t physicalRow) {
    clearPhysicalRow(physicalRow);
    free_.push_back(physicalRow);
}

void Grid::setRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows < rows_) {
        for (int r = rows; r < rows_; ++r) {
            freeRow(physical(r));
        }
        order_.resize(static_cast<std::size_t>(rows));
        rows_ = rows;
        compactIfWasteful();
        return;
    }
    order_.reserve(static_cast<std::size_t>(rows));
    while (rows_ < rows) {
        order_.push_back(newPhysicalRow());
        ++rows_;
    }
}

void Grid::setColumnCount(int columns) {
    columns = std::max(columns, 0);
    if (columns == columns_) {
        return;
    }
    for (int c = columns; c < columns_; ++c) {
        for (const Page page : cells_[static_cast<std::size_t>(c)]) {
            if (page == nullptr) {
                continue;
            }
            for (std::size_t i = 0; i < kPageCells; ++i) {
                drop(page[i]);
            }
            pages_.give(page);
        }
    }
    cells_.resize(static_cast<std::size_t>(columns));
    offsets_.resize(static_cast<std::size_t>(columns));
    widths_.resize(static_cast<std::size_t>(columns), kDefaultColumnWidth);
    columns_ = columns;
    compactIfWasteful();
}

int Grid::columnWidth(int column) const {
    return column >= 0 && column < columns_ ? widths_[static_cast<std::size_t>(column)]
                                            : kDefaultColumnWidth;
}

void Grid::setColumnWidth(int column, int width) {
    if (column >= 0 && column < columns_) {
        widths_[static_cast<std::size_t>(column)] = width;
    }
}

void Grid::reserveRows(int rows) {
    const auto wanted = static_cast<std::size_t>(std::max(rows, 0));
    order_.reserve(wanted);
    // Pages for every column: those never written are never touched either, since a
    // large block is mapped, not cleared.
    if (wanted > cellRows_) {
        const std::size_t pagesPerColumn = (wanted + kPageMask) >> kPageShift;
        const std::size_t have = (cellRows_ + kPageMask) >> kPageShift;
        pages_.reserve((pagesPerColumn - have) * static_cast<std::size_t>(columns_));
    }
}

void Grid::insertRow(int row) {
    row = std::clamp(row, 0, rows_);
    if (row < rows_) {
        settleOffsets(); // the rows below change blocks
    }
    const std::uint32_t p = newPhysicalRow();
    order_.insert(order_.begin() + row, p);
    ++rows_;
}

void Grid::removeRow(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    if (row < rows_ - 1) {
        settleOffsets();
    }
    freeRow(physical(row));
    order_.erase(order_.begin() + row);
    --rows_;
    compactIfWasteful();
}

void Grid::removeMarked(int firstRow, const std::vector<bool>& dropped) {
    settleOffsets();
    int out = firstRow;
    for (int r = firstRow; r < rows_; ++r) {
        const std::uint32_t p = physical(r);
        if (dropped[static_cast<std::size_t>(r - firstRow)]) {
            freeRow(p);
        } else {
            order_[static_cast<std::size_t>(out++)] = p;
        }
    }
    order_.resize(static_cast<std::size_t>(out));
    rows_ = out;
    compactIfWasteful();
}

void Grid::clearRows(int firstRow) {
    for (int r = std::max(firstRow, 0); r < rows_; ++r) {
        clearRow(r);
    }
    compactIfWasteful();
}

void Grid::clearRow(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    clearPhysicalRow(physical(row));
}

void Grid::permuteRows(int firstRow, std::span<const int> order) {
    const std::size_t n = order.size();
    if (firstRow < 0 || static_cast<std::size_t>(firstRow) + n > static_cast<std::size_t>(rows_)) {
        return;
    }
    std::vector<bool> seen(n, false);
    for (const int from : order) {
        const auto i = static_cast<std::size_t>(from - firstRow);
        if (from < firstRow || i >= n || seen[i]) {
            return;
        }
        seen[i] = true;
    }
    settleOffsets();
    Index moved(n);
    for (std::size_t i = 0; i < n; ++i) {
        moved[i] = physical(order[i]);
    }
    std::copy(moved.begin(), moved.end(), order_.begin() + firstRow);
}

void Grid::compactIfWasteful() {
    if ((garbage_ >= kMinGarbage && 2 * garbage_ > arena_.used()) ||
        (free_.size() >= kMinFreeRows && free_.size() > static_cast<std::size_t>(rows_))) {
        compact();
    }
}

void Grid::compact() {
    settleOffsets();
    bool inOrder = free_.empty() && cellRows_ == static_cast<std::uint32_t>(rows_);
    for (int r = 0; inOrder && r < rows_; ++r) {
        inOrder = physical(r) == static_cast<std::uint32_t>(r);
    }
    if (inOrder && garbage_ == 0) {
        return;
    }
    constexpr std::uint32_t kNobody = std::numeric_limits<std::uint32_t>::max();
    const auto rows = static_cast<std::size_t>(rows_);
    // Each row of the cells goes to its display row: read in order, written anywhere,
    // which the processor does without waiting, unlike reads from anywhere.
    Index shownAt(cellRows_, kNobody);
    for (std::size_t r = 0; r < rows; ++r) {
        shownAt[order_[r]] = static_cast<std::uint32_t>(r);
    }
    TextArena texts;
    texts.reserve(arena_.used() - std::min(garbage_, arena_.used()));
    // Every display row has one row of the cells: each cell of `line` is written once.
    std::vector<Cell, platform::HugePageAllocator<Cell>> line(rows);
    for (int column = 0; column < columns_; ++column) {
        Column& pages = cells_[static_cast<std::size_t>(column)];
        if (pages.empty()) {
            continue;
        }
        for (std::size_t first = 0; first < cellRows_; first += kPageCells) {
            const std::size_t page = first >> kPageShift;
            const Page cells = page < pages.size() ? pages[page] : nullptr;
            const std::size_t n = std::min<std::size_t>(kPageCells, cellRows_ - first);
            for (std::size_t i = 0; i < n; ++i) {
                const std::uint32_t at = shownAt[first + i];
                if (at != kNobody) {
                    line[at] = cells != nullptr ? cells[i] : Cell{kEmpty};
                }
            }
        }
        // Back into the column's own pages, in display order; the texts of the arena
        // follow in that order too, so that every later pass reads them in order.
        std::vector<Page> spare;
        for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
            if (*it != nullptr) {
                spare.push_back(*it);
            }
        }
        pages.clear();
        for (std::size_t first = 0; first < rows; first += kPageCells) {
            const std::size_t n = std::min(kPageCells, rows - first);
            Page out = nullptr;
            for (std::size_t i = 0; i < n; ++i) {
                Cell c = line[first + i];
                constexpr std::size_t kAhead = 16;
                if (first + i + kAhead < rows && kindOf(line[first + i + kAhead]) == kArena) {
                    arena_.prefetch(payloadOf(line[first + i + kAhead]));
                }
                if (out == nullptr) {
                    if (c == Cell{kEmpty}) {
                        continue;
                    }
                    if (spare.empty()) {
                        out = pages_.take();
                    } else {
                        out = spare.back();
                        spare.pop_back();
                        std::memset(out, 0, i * sizeof(Cell));
                    }
                    pages.resize((first >> kPageShift) + 1, nullptr);
                    pages.back() = out;
                }
                if (kindOf(c) == kArena) {
                    c = (texts.add(arena_.text(payloadOf(c))) << kPayloadShift) | kArena;
                }
                out[i] = c;
            }
            if (out != nullptr && n < kPageCells) {
                std::memset(out + n, 0, (kPageCells - n) * sizeof(Cell));
            }
        }
        for (const Page p : spare) {
            pages_.give(p);
        }
    }
    std::iota(order_.begin(), order_.end(), 0U);
    free_.clear();
    free_.shrink_to_fit();
    cellRows_ = static_cast<std::uint32_t>(rows_);
    arena_ = std::move(texts);
    garbage_ = 0;
}

Grid::Filler::Filler(Grid& grid)
    : grid_(grid), tries_(static_cast<std::size_t>(grid.columnCount())) {}

void Grid::Filler::set(int row, int column, std::string_view text) {
    if (text.empty() || text.size() > kMaxSharedText || !grid_.contains(row, column) ||
        static_cast<std::size_t>(column) >= tries_.size()) { // a column added since
        grid_.set(row, column, text);
        return;
    }
    if (const auto c = shortCell(text)) {
        Cell& cell = grid_.cellToWrite(row, column);
        grid_.drop(cell);
        cell = *c;
        return;
    }
    if (const auto cents = canonicalCents(text)) {
        grid_.setCents(row, column, *cents); // a number reads as the same text
        return;
    }
    if (const auto c = packedCell(text)) {
        Cell& cell = grid_.cellToWrite(row, column);
        grid_.drop(cell);
        cell = *c;
        return;
    }
    Tries& t = tries_[static_cast<std::size_t>(column)];
    if (t.tries >= kTriesBeforeJudging && t.hits < t.tries / 8) {
        grid_.set(row, column, text);
        return;
    }
    if (t.tries < kTriesBeforeJudging) {
        ++t.tries;
    }
    const std::size_t before = shared_;
    const std::uint64_t location = share(text, hashText(text));
    if (location == 0) {
        grid_.set(row, column, text);
        return;
    }
    if (shared_ == before && t.hits < kTriesBeforeJudging) {
        ++t.hits;
    }
    Cell& c = grid_.cellToWrite(row, column);
    grid_.drop(c);
    c = ((location - 1) << kPayloadShift) | kShared;
}

std::uint64_t Grid::Filler::share(std::string_view text, std::uint64_t hash) {
    if (slots_.empty()) {
        slots_.resize(1024);
    }
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.location == 0) {
            break;
        }
        if (s.hash == hash && grid_.shared_.text(s.location - 1) == text) {
            return s.location;
        }
    }
    if (shared_ >= kMaxSharedTexts) {
        return 0;
    }
    if (2 * (shared_ + 1) > slots_.size()) {
        grow();
        mask = slots_.size() - 1;
    }
    const std::uint64_t location = grid_.shared_.add(text) + 1;
    std::size_t i = hash & mask;
    while (slots_[i].location != 0) {
        i = (i + 1) & mask;
    }
    slots_[i] = {location, hash};
    ++shared_;
    return location;
}

void Grid::Filler::grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.location == 0) {
            continue;
        }
        std::size_t i = s.hash & mask;
        while (slots_[i].location != 0) {
            i = (i + 1) & mask;
        }
        slots_[i] = s;
    }
}

bool Grid::operator==(const Grid& other) const {
    if (rows_ != other.rows_ || columns_ != other.columns_ || widths_ != other.widths_) {
        return false;
    }
    for (int c = 0; c < columns_; ++c) {
        if (cells_[static_cast<std::size_t>(c)].empty() &&
            other.cells_[static_cast<std::size_t>(c)].empty()) {
            continue;
        }
        for (int r = 0; r < rows_; ++r) {
            if (at(r, c) != other.at(r, c)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace ledgora
