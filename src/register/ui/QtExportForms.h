// The export's save dialog shown with Qt: the program's file dialog in save mode with the
// five filters, the remembered format chosen and the proposed name typed in.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "register/ExportCommand.h"

class QtExportForms : public ledgora::ExportForms {
public:
    explicit QtExportForms(QWidget* parent) : parent_(parent) {}

    std::optional<ledgora::ExportChoice> chooseExportFile(const std::string& caption,
                                                          const std::filesystem::path& folder,
                                                          const std::string& name,
                                                          ledgora::ExportFormat format) override;

    // The dialog's filters, in filter-index order: each shows the format's filter text.
    static QStringList nameFilters();

private:
    QPointer<QWidget> parent_;
};
