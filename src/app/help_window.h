#pragma once

#include "data/help.h"

#include <QMainWindow>

class QTextBrowser;

namespace mervalis {

// A window showing the local help file at one anchor.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    HelpWindow(const QString& helpFile, const QString& anchor, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// Opens a new help window for every call.
class WindowHelpLauncher final : public HelpLauncher {
public:
    explicit WindowHelpLauncher(QString helpFile) : helpFile_(std::move(helpFile)) {}
    void open(const QString& anchor) override;

private:
    QString helpFile_;
};

}  // namespace mervalis
