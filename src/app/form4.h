#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace mervalis {

struct AppContext;

// The help offer that follows the main window at start-up.
class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(AppContext& context, QWidget* parent = nullptr);

    static QString captionText();

    QPushButton* Command1;  // "How do I use this software?"
    QCheckBox* Check1;      // "Don't show me this again."

    // Opens the help at "use" in a new help window.
    void Command1_Click();
    // Ticked: stores "1" under "Noshow"/"Help" so the offer stays hidden at
    // later starts. Unticking stores nothing.
    void Check1_Click();

    // The per-user setting that hides the offer: "Noshow"/"Help" exactly "1".
    static bool hiddenBySettings(const AppContext& context);

private:
    AppContext& context_;
};

}  // namespace mervalis
