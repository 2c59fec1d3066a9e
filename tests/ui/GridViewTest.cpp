// The grid view base over a core grid, offscreen: what the model shows of the grid and its
// look, the change calls announcing exactly what changed, edits going to the owner's
// operation, and the captions' clicks (right click fits, left click sorts where allowed).
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "register/Grid.h"
#include "register/GridLook.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

namespace {

constexpr ledgora::Rgb kTint{230, 255, 255};
constexpr ledgora::Rgb kPage{255, 255, 233};
constexpr ledgora::Rgb kRed{255, 0, 0};

// Odd data rows tinted, negative texts red and bold, column 2 to the right; the last
// column is kept out of sight.
class TestLook : public ledgora::GridLook {
public:
    explicit TestLook(int fixedColumns = 1) : fixedColumns_(fixedColumns) {}

    ledgora::CellLook cell(const ledgora::Grid& grid, int row, int column) const override {
        ledgora::CellLook look;
        if (row % 2 == 1) {
            look.background = kTint;
        }
        if (grid.at(row, column).starts_with('-')) {
            look.text = kRed;
            look.bold = true;
        }
        look.alignment = column == 2 ? ledgora::Alignment::Right : ledgora::Alignment::Left;
        return look;
    }
    int shownColumns(const ledgora::Grid& grid) const override { return grid.columnCount() - 1; }
    int fixedColumns() const override { return fixedColumns_; }
    std::optional<ledgora::Rgb> gridColor() const override { return kPage; }

private:
    int fixedColumns_;
};

ledgora::Grid makeGrid(const std::vector<std::vector<std::string>>& rows) {
    ledgora::Grid grid(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()));
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            grid.set(r, c, rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        }
    }
    return grid;
}

ledgora::Grid sample() {
    return makeGrid({{"", "Libellé", "Montant", "caché"},
                     {"1", "Loyer", "-500.00", "x"},
                     {"2", "Salaire", "1800.00", "x"},
                     {"3", "Impôts", "-120.50", "x"}});
}

// A model that counts the texts the view reads.
class CountingModel : public GridModel {
public:
    using GridModel::GridModel;
    QVariant data(const QModelIndex& index, int role) const override {
        reads += role == Qt::DisplayRole ? 1 : 0;
        return GridModel::data(index, role);
    }
    mutable int reads = 0;
};

QColor qcolor(ledgora::Rgb c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

class GridViewTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheGridThroughItsLook() {
        const ledgora::Grid grid = sample();
        const TestLook look;
        GridModel model(grid, look);
        // The caption row and the number column are headers; the hidden column is not shown.
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Libellé"));
        QCOMPARE(model.headerData(2, Qt::Vertical, Qt::DisplayRole).toString(),
                 QStringLiteral("3"));

        struct Case {
            int row, column;
            const char* text;
            QColor background;
            QColor foreground;
            bool bold;
            Qt::Alignment alignment;
        };
        const Case cases[] = {
            {1, 1, "Loyer", qcolor(kTint), Qt::black, false, Qt::AlignLeft | Qt::AlignVCenter},
            {1, 2, "-500.00", qcolor(kTint), qcolor(kRed), true, Qt::AlignRight | Qt::AlignVCenter},
            {2, 2, "1800.00", qcolor(kPage), Qt::black, false, Qt::AlignRight | Qt::AlignVCenter},
            {3, 2, "-120.50", qcolor(kTint), qcolor(kRed), true, Qt::AlignRight | Qt::AlignVCenter},
        };
        for (const Case& c : cases) {
            const QModelIndex i = model.indexOf(c.row, c.column);
            QCOMPARE(model.gridRowOf(i), c.row);
            QCOMPARE(model.gridColumnOf(i), c.column);
            QCOMPARE(i.data().toString(), QString::fromUtf8(c.text));
            QCOMPARE(i.data(Qt::BackgroundRole).value<QBrush>().color(), c.background);
            QCOMPARE(i.data(Qt::ForegroundRole).value<QBrush>().color(), c.foreground);
            QCOMPARE(i.data(Qt::FontRole).value<QFont>().bold(), c.bold);
            QCOMPARE(i.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), c.alignment);
        }
        QVERIFY(!(model.flags(model.indexOf(1, 1)) & Qt::ItemIsEditable));
    }

    void aGridWithoutNumberColumnShowsEveryColumn() {
        const ledgora::Grid grid = sample();
        const TestLook look(0);
        GridModel model(grid, look);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.indexOf(2, 0).data().toString(), QStringLiteral("2"));
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
    }

    void announcesOnlyWhatChanged() {
        ledgora::Grid grid = sample();
        const TestLook look;
        GridModel model(grid, look);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        grid.set(2, 2, "1900.00");
        model.gridCellsChanged(2, 2, 2);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model.indexOf(2, 2));
        QCOMPARE(changed[0][1].toModelIndex(), model.indexOf(2, 2));
        // A change reaching into the hidden column stops at the last shown one.
        model.gridCellsChanged(3, 1, 3);
        QCOMPARE(changed[1][1].toModelIndex(), model.indexOf(3, 2));

        grid.insertRow(2);
        grid.insertRow(2);
        model.gridRowsInserted(2, 2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted[0][1].toInt(), 1);
        QCOMPARE(inserted[0][2].toInt(), 2);
        QCOMPARE(model.rowCount(), 5);

        grid.removeRow(5);
        model.gridRowsRemoved(5, 1);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed[0][1].toInt(), 4);
        QCOMPARE(model.rowCount(), 4);
        // Rows that are not there are not announced.
        model.gridRowsRemoved(9, 1);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(reset.count(), 0);

        grid = makeGrid({{"", "a", "b", "c"}});
        model.gridReplaced();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 0);
    }

    void editsGoToTheOwnersOperation() {
        ledgora::Grid grid = sample();
        const TestLook look;
        GridModel model(grid, look);
        std::vector<std::pair<int, int>> committed;
        model.setEditing([](int, int column) { return column == 2; },
                         [&](int row, int column, const std::string& text) {
                             committed.emplace_back(row, column);
                             grid.set(row, column, text);
                             model.gridCellsChanged(row, column, column);
                         });
        QVERIFY(model.flags(model.indexOf(1, 2)) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.indexOf(1, 1)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.indexOf(1, 1), QStringLiteral("Autre"), Qt::EditRole));
        QVERIFY(model.setData(model.indexOf(3, 2), QStringLiteral("12,5"), Qt::EditRole));
        QCOMPARE(committed, (std::vector<std::pair<int, int>>{{3, 2}}));
        QCOMPARE(grid.at(3, 2), std::string("12,5"));
        QCOMPARE(grid.at(1, 1), std::string("Loyer"));
    }

    void keptColumnsStayWholeAndTheOthersGiveWay() {
        ledgora::Grid grid =
            makeGrid({{"", "Date", "Libellé", "Mode de paiement", "Débit", "Solde", ""},
                      {"1", "05/03/2024", "Un libellé bien plus long que les autres", "Virement",
                       "45.10", "54.90", ""},
                      {"2", "06/03/2024", "Café", "Carte de crédit", "3.20", "-1234567.89", ""}});
        const TestLook look;
        struct Case {
            int width;
            bool keptWhole;
        };
        // Wide enough for the kept columns, then too narrow even for them.
        for (const Case c : {Case{640, true}, Case{300, false}}) {
            GridModel model(grid, look);
            GridView view;
            view.setStretchColumn(1);
            view.keepColumnWhole(0, QStringLiteral("00/00/0000"));
            view.keepColumnWhole(3, QStringLiteral("00000.00"));
            view.keepColumnWhole(4, QStringLiteral("-000000.00"));
            view.setGridModel(&model);
            view.resize(c.width, 200);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            int total = 0;
            for (int col = 0; col < model.columnCount(); ++col) {
                total += view.columnWidth(col);
            }
            QCOMPARE(total, view.viewport()->width());
            QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
            const QFontMetrics fm(view.font());
            QFont bold = view.font();
            bold.setBold(true);
            const struct {
                int column;
                int text;
            } kept[] = {{0, fm.horizontalAdvance(QStringLiteral("00/00/0000"))},
                        {3, fm.horizontalAdvance(QStringLiteral("00000.00"))},
                        // wider than the format, and bold: read from the last row
                        {4, QFontMetrics(bold).horizontalAdvance(QStringLiteral("-1234567.89"))}};
            for (const auto& k : kept) {
                QCOMPARE(view.columnWidth(k.column) >= k.text + 20, c.keptWhole);
            }
            if (c.keptWhole) {
                const ledgora::CellText wide = grid.at(1, 2);
                const QString text =
                    QString::fromUtf8(wide.data(), static_cast<qsizetype>(wide.size()));
                QVERIFY(view.columnWidth(1) < fm.horizontalAdvance(text));
            }
        }
    }

    void sizingReadsASampleOfAMillionRows() {
        ledgora::Grid grid(1'000'001, 3);
        grid.set(0, 1, "Montant");
        for (int r = 1; r < grid.rowCount(); r += 1000) {
            grid.set(r, 1, "12.00");
        }
        grid.set(grid.rowCount() - 1, 1, "123456789.00");
        const TestLook look;
        CountingModel model(grid, look);
        GridView view;
        view.keepColumnWhole(0);
        view.setGridModel(&model);
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        model.reads = 0;
        view.fitColumns();
        QVERIFY2(model.reads < 1000, qPrintable(QString::number(model.reads)));
        QVERIFY(view.columnWidth(0) >=
                view.fontMetrics().horizontalAdvance(QStringLiteral("123456789.00")) + 20);
    }

    // A grid that grows from a few rows to many widens the number column and calls for a
    // scroll bar: the widths are fitted once, for the view as it then stands, and no later
    // turn of the event loop fits them again.
    void aGrownGridFitsOnceForTheViewItEndsIn() {
        ledgora::Grid grid = sample();
        const TestLook look;
        CountingModel model(grid, look);
        GridView view;
        view.setStretchColumn(0);
        view.setGridModel(&model);
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(!view.verticalScrollBar()->isVisible());

        ledgora::Grid grown(10'001, 4);
        grown.set(0, 1, "Libellé");
        grown.set(0, 2, "Montant");
        for (int r = 1; r < grown.rowCount(); ++r) {
            grown.set(r, 0, std::to_string(r));
            grown.set(r, 1, "Loyer");
            grown.set(r, 2, "-500.00");
        }
        grid = std::move(grown);
        model.gridReplaced();
        const int last = model.rowCount() - 1;
        view.fitColumnsAfter([&] {
            view.setCurrentIndex(model.index(last, 1));
            view.scrollToBottom();
        });
        QVERIFY(view.verticalScrollBar()->isVisible());
        QCOMPARE(view.columnWidth(0) + view.columnWidth(1), view.viewport()->width());
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
        const int widths[] = {view.columnWidth(0), view.columnWidth(1)};

        model.reads = 0;
        QTest::qWait(50);
        // Painting reads the rows in sight; a fit would read two hundred of them per column.
        QVERIFY2(model.reads < 100, qPrintable(QString::number(model.reads)));
        QCOMPARE(view.columnWidth(0), widths[0]);
        QCOMPARE(view.columnWidth(1), widths[1]);
        QCOMPARE(view.currentIndex().row(), last);
        QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    }

    void captionClicksFitAndSort() {
        ledgora::Grid grid = sample();
        grid.set(1, 1, "Un libellé bien plus long que les autres");
        const TestLook look;
        GridModel model(grid, look);
        GridView view;
        view.setGridModel(&model);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.palette().color(QPalette::Base), qcolor(kPage));

        view.setColumnWidth(0, 40);
        QHeaderView* header = view.horizontalHeader();
        QContextMenuEvent menu(QContextMenuEvent::Mouse,
                               QPoint(header->sectionViewportPosition(0) + 5, 5), QPoint());
        QApplication::sendEvent(header->viewport(), &menu);
        QVERIFY(view.columnWidth(0) > 150);

        // No sort given: a click on a caption changes nothing.
        const QPoint second(header->sectionViewportPosition(1) + 5, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
        std::vector<int> sorted;
        view.setSortByColumn([&](int column) { sorted.push_back(column); });
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(sorted, std::vector<int>{2});
    }
};

QTEST_MAIN(GridViewTest)
#include "GridViewTest.moc"
