#include "ui/FrenchFileDialog.h"

#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {

QLocale french() {
    return QLocale(QLocale::French, QLocale::France);
}

// The "Type" column: Qt's translation has no entry for these words.
class FrenchIconProvider : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isRoot()) {
            return QStringLiteral("Lecteur");
        }
        if (info.isDir()) {
            return QStringLiteral("Dossier");
        }
        if (info.suffix().isEmpty()) {
            return QStringLiteral("Fichier");
        }
        return QStringLiteral("Fichier %1").arg(info.suffix());
    }
};

// The "Taille" and "Dernière modification" columns, which Qt writes in the system's
// language.
class FrenchSizesAndDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr || role != Qt::DisplayRole ||
            (index.column() != 1 && index.column() != 3)) {
            return QIdentityProxyModel::data(index, role);
        }
        const QFileInfo info = files->fileInfo(mapToSource(index));
        if (index.column() == 1) {
            return info.isDir() ? QString() : french().formattedDataSize(info.size());
        }
        return french().toString(info.lastModified(), QLocale::ShortFormat);
    }
};

} // namespace

FrenchFileDialog::FrenchFileDialog(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter)
    : QFileDialog(parent, caption, folder, filter), icons_(std::make_unique<FrenchIconProvider>()),
      qtIcons_(iconProvider()) {
    setOption(DontUseNativeDialog);
    setIconProvider(icons_.get());
    setProxyModel(new FrenchSizesAndDates(this));
}

FrenchFileDialog::~FrenchFileDialog() {
    // The file list may still ask its provider while the dialog goes: give it back Qt's,
    // which lives as long as the dialog.
    setIconProvider(qtIcons_);
}

QString FrenchFileDialog::openFileName(QWidget* parent, const QString& caption,
                                       const QString& folder, const QString& filter) {
    FrenchFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(ExistingFile);
    if (dialog.exec() != Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}
