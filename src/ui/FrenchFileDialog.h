// The program's file dialog: Qt's own, not the desktop's (which speaks the desktop's
// language), with the few words Qt's French translation lacks (file types) and the sizes
// and dates of its list written the French way, whatever the system's language.
#pragma once

#include <memory>

#include <QFileDialog>

class QFileIconProvider;

class FrenchFileDialog : public QFileDialog {
    Q_OBJECT
public:
    FrenchFileDialog(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter);
    ~FrenchFileDialog() override;

    // An existing file to open; empty when cancelled.
    static QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                const QString& filter);

private:
    std::unique_ptr<QFileIconProvider> icons_;
    QAbstractFileIconProvider* qtIcons_;
};
