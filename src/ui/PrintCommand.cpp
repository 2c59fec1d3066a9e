#include "ui/PrintCommand.h"

#include <algorithm>

#include <QPrintDialog>
#include <QPrinter>

#include "ui/ProgressDialog.h"

bool runPrintDialog(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

bool printGrid(QWidget* parent, GridPrinter& printer, const PrintDialogRun& ask) {
    QPrinter device(QPrinter::HighResolution);
    device.setDocName(QString::fromStdString(printer.settings().jobName));
    device.setPageLayout(printer.defaultLayout());
    const int count = printer.pageCount(device.pageLayout());
    device.setFromTo(1, count);
    const bool chosen = ask ? ask(device, count) : runPrintDialog(parent, device, count);
    if (!chosen) {
        return false;
    }
    int first = 1;
    int last = printer.pageCount(device.pageLayout());
    if (device.printRange() == QPrinter::PageRange && device.fromPage() > 0) {
        first = device.fromPage();
        last = std::max(first, device.toPage());
    }
    ProgressDialog progress(parent, QStringLiteral("Impression"), QStringLiteral("Page"));
    return printer.print(device, first, last,
                         [&](int done, int total) { progress.step(done, total); });
}
