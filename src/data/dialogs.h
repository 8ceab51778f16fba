#pragma once

#include <QString>

namespace mervalis {

// Every message box of the program goes through this service: the real one
// shows Qt message boxes, the tests' one records texts and answers questions.
class DialogService {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~DialogService() = default;

    // Shows one box and returns the button pressed. The caption is the
    // program title unless a box names its own.
    virtual Answer show(const QString& text, Icon icon, Buttons buttons,
                        const QString& caption = defaultCaption()) = 0;

    static QString defaultCaption() { return QStringLiteral("Mervalis"); }

    // Asks where to save a file, proposing `proposedPath`; `filter` lists the
    // file types offered ("CSV files (*.csv)"). Empty when the user cancels;
    // a service that cannot ask (no screen) answers as a cancel.
    virtual QString askSaveFileName(const QString& caption, const QString& proposedPath, const QString& filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(proposedPath);
        Q_UNUSED(filter);
        return {};
    }

    // The kinds of box the program uses.
    void inform(const QString& text) { show(text, Icon::Information, Buttons::Ok); }
    void warn(const QString& text) { show(text, Icon::Exclamation, Buttons::Ok); }
    void plain(const QString& text) { show(text, Icon::None, Buttons::Ok); }
    // Start-up failures: OK and Cancel, whichever is pressed means the same.
    void critical(const QString& text) { show(text, Icon::Critical, Buttons::OkCancel); }
    bool askYesNo(const QString& text, Icon icon = Icon::None)
    {
        return show(text, icon, Buttons::YesNo) == Answer::Yes;
    }
};

}  // namespace mervalis
