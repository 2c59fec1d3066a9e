#include "register/ui/QtExportForms.h"

#include "ui/FrenchFileDialog.h"

QStringList QtExportForms::nameFilters() {
    // The pattern in the last brackets filters the list; the dialog hides it and shows
    // the filter text alone.
    QStringList filters;
    for (const ledgora::ExportFilter& f : ledgora::kExportFilters) {
        filters << QStringLiteral("%1 (*.%2)")
                       .arg(QString::fromUtf8(f.text.data(), qsizetype(f.text.size())),
                            QString::fromUtf8(f.extension.data(), qsizetype(f.extension.size())));
    }
    return filters;
}

std::optional<ledgora::ExportChoice>
QtExportForms::chooseExportFile(const std::string& caption, const std::filesystem::path& folder,
                                const std::string& name, ledgora::ExportFormat format) {
    const QStringList filters = nameFilters();
    FrenchFileDialog dialog(parent_, QString::fromStdString(caption),
                            QString::fromStdString(folder.string()), QString());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(static_cast<int>(format) - 1));
    dialog.selectFile(QString::fromStdString(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // The dialog answers with the filter as it shows it, its pattern hidden.
    const QString selected = dialog.selectedNameFilter();
    int index = 0;
    for (const ledgora::ExportFilter& f : ledgora::kExportFilters) {
        if (selected == QString::fromUtf8(f.text.data(), qsizetype(f.text.size())) ||
            selected == filters.value(static_cast<int>(f.format) - 1)) {
            index = static_cast<int>(f.format);
        }
    }
    return ledgora::ExportChoice{
        std::filesystem::path(dialog.selectedFiles().front().toStdString()),
        ledgora::exportFormatOfIndex(index).value_or(format)};
}
