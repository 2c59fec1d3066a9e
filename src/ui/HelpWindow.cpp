#include "ui/HelpWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "ui/Pictures.h"

HelpWindow::HelpWindow(std::filesystem::path helpFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Window), folder_(std::move(helpFolder)),
      browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Aide de Ledgora"));
    setWindowIcon(pictures::logo());
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QString::fromStdString(folder_.string())});
    setCentralWidget(browser_);
    auto* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction* back = bar->addAction(QStringLiteral("Précédent"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("Suivant"), browser_, &QTextBrowser::forward);
    bar->addAction(QStringLiteral("Sommaire"), this, [this] { showPage("index.html"); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    resize(720, 600);
}

void HelpWindow::showPage(const QString& page) {
    const auto file = folder_ / page.toStdString();
    if (QFileInfo::exists(QString::fromStdString(file.string()))) {
        browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    } else {
        browser_->setHtml(QStringLiteral("<p>La page d'aide <b>%1</b> est introuvable dans %2.</p>")
                              .arg(page.toHtmlEscaped(),
                                   QString::fromStdString(folder_.string()).toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

QString HelpWindow::currentPage() const {
    return QFileInfo(browser_->source().toLocalFile()).fileName();
}
