// Opening a large account in the main window (offscreen): "&Ouvrir" from the click to the
// register shown, then the register's first paint, against the load alone. The window must
// not freeze longer than the load itself: the table asks only for the rows it shows.
//
//   QT_QPA_PLATFORM=offscreen build/bench/register/bench_register_window [OPERATIONS]
//
// The account is the one bench_register writes ($TMPDIR/ledgora-bench/opsN.ldg), made here
// when it is missing.
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "BenchRegister.h"
#include "app/AppServices.h"
#include "app/TForm1.h"
#include "platform/Clock.h"
#include "register/Backup.h"
#include "register/Balances.h"
#include "register/GridTextFormat.h"
#include "register/MonthlySpending.h"
#include "register/RegisterRows.h"
#include "register/ScriptedAccountForms.h"

namespace {

namespace fs = std::filesystem;

struct NoBackup : ledgora::BackupOfferForm {
    ledgora::BackupOfferReply offerBackup() override { return {}; }
};

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Lap {
    double wall = 0;
    double cpu = 0;
};

template <typename F> Lap measure(F&& f) {
    QElapsedTimer wall;
    const double cpu = cpuMs();
    wall.start();
    f();
    return {static_cast<double>(wall.nsecsElapsed()) / 1e6, cpuMs() - cpu};
}

fs::path accountFileOf(int operations) {
    const fs::path dir = fs::temp_directory_path() / "ledgora-bench";
    const fs::path file = dir / ("ops" + std::to_string(operations) + ".ldg");
    if (!fs::exists(file)) {
        fs::create_directories(dir);
        ledgora::saveGridFile(ledgora::bench::benchRegister(operations), file);
    }
    return file;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int operations = argc > 1 ? std::stoi(argv[1]) : 1'000'000;
    const fs::path source = accountFileOf(operations);

    // The load alone, as the CLI does it: the yardstick, the least of three (the first load
    // of the process also pays for its fresh memory). The monthly spending for the budget
    // colours is timed apart, on the same register: the open leaves it to the first
    // category with a maximum that is painted or edited.
    Lap load{1e12, 1e12};
    Lap firstLoad;
    Lap spending;
    for (int run = 0; run < 3; ++run) {
        Lap sums;
        Lap lap = measure([&] {
            ledgora::Grid reg;
            if (!ledgora::readAccountFile(source, reg)) {
                ledgora::recomputeBalances(reg);
            }
            sums = measure([&] { ledgora::MonthlySpending().rebuild(reg); });
        });
        lap.cpu -= sums.cpu;
        lap.wall -= sums.wall;
        if (run == 0) {
            firstLoad = lap;
        }
        if (lap.cpu < load.cpu) {
            load = lap;
            spending = sums;
        }
    }

    QTemporaryDir home;
    const std::string root = home.path().toStdString();
    const platform::Paths paths(root, root + "/registry", root + "/program");
    ledgora::ScriptedAccountForms dialogs;
    // The first user and account, then "Non" to the planning and budget questions.
    dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
    const platform::SystemClock clock;
    AppServices services(paths, clock, dialogs, dialogs);
    NoBackup noBackup;
    TForm1 w(services.workspace());
    w.setBackupOffer(&noBackup);
    w.resize(1000, 700);
    w.show();
    // The window asks for its user and account once the event loop runs.
    QElapsedTimer waiting;
    waiting.start();
    while (!w.workspace().session().isOpen() && waiting.elapsed() < 10'000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (!w.workspace().session().isOpen()) {
        std::fprintf(stderr, "the first account was not created\n");
        return 1;
    }
    fs::copy_file(source, paths.accountFile("Anne", "Grand"));
    // The small account painted once first, so that what is measured below is the large
    // account's cost, not the window's first show (fonts, pictures).
    const Lap warm = measure([&] {
        w.grid()->viewport()->repaint();
        QApplication::processEvents();
    });

    // "Courant" sorts before "Grand".
    dialogs.choose(1);
    const Lap open = measure([&] { w.Ouvrir1Click(); });
    const Lap paint = measure([&] {
        w.grid()->viewport()->repaint();
        QApplication::processEvents();
    });
    const int rows = w.grid()->model()->rowCount();
    std::printf("%d operations (%d rows shown in the model)\n", operations, rows);
    // What the window shows, to compare before and after a change of the open path.
    QTableView& view = *w.grid();
    std::string widths;
    for (int c = 0; c < view.model()->columnCount(); ++c) {
        widths += ' ' + std::to_string(view.columnWidth(c));
    }
    std::printf("shown: cursor row %d column %d, scrolled %d/%d down %d across, widths%s\n",
                view.currentIndex().row(), view.currentIndex().column(),
                view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum(),
                view.horizontalScrollBar()->value(), widths.c_str());
    std::printf("first show      %8.1f ms CPU %8.1f ms wall (a 1-row account)\n", warm.cpu,
                warm.wall);
    // The window's open, like a first load, takes its pages fresh from the system.
    std::printf("first load      %8.1f ms CPU %8.1f ms wall (fresh memory)\n", firstLoad.cpu,
                firstLoad.wall);
    std::printf("load alone      %8.1f ms CPU %8.1f ms wall\n", load.cpu, load.wall);
    std::printf("monthly spending%8.1f ms CPU %8.1f ms wall (not within the open: no budget)\n",
                spending.cpu, spending.wall);
    std::printf("window open     %8.1f ms CPU %8.1f ms wall\n", open.cpu, open.wall);
    std::printf("first paint     %8.1f ms CPU %8.1f ms wall\n", paint.cpu, paint.wall);
    w.workspace().session().close();
    return rows >= operations ? 0 : 1;
}
