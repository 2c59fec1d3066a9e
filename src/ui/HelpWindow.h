// The help window: the French HTML pages shipped in the program folder's "help" folder,
// shown in a browser window with back, forward and contents buttons.
#pragma once

#include <filesystem>

#include <QMainWindow>

class QTextBrowser;

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // `helpFolder` holds index.html and the other pages.
    explicit HelpWindow(std::filesystem::path helpFolder, QWidget* parent = nullptr);

    // Shows `page` (a file name in the help folder), raising the window.
    void showPage(const QString& page);
    QString currentPage() const;

private:
    std::filesystem::path folder_;
    QTextBrowser* browser_;
};
