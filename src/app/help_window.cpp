#include "app/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace mervalis {

HelpWindow::HelpWindow(const QString& helpFile, const QString& anchor, QWidget* parent)
    : QMainWindow(parent), browser_(new QTextBrowser(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Mervalis Help"));
    browser_->setAccessibleName(QStringLiteral("Help"));
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    resize(720, 560);
    if (QFileInfo::exists(helpFile)) {
        QUrl url = QUrl::fromLocalFile(helpFile);
        if (!anchor.isEmpty()) url.setFragment(anchor);
        browser_->setSource(url);
    } else {
        // What a browser would do: a page saying the file is not there.
        browser_->setHtml(QStringLiteral("<h2>The page cannot be found</h2><p>The help file %1 does not exist. "
                                         "Run mervalis-setup to install it.</p>")
                              .arg(helpFile.toHtmlEscaped()));
    }
}

void WindowHelpLauncher::open(const QString& anchor)
{
    auto* window = new HelpWindow(helpFile_, anchor);
    window->show();
    window->raise();
}

}  // namespace mervalis
