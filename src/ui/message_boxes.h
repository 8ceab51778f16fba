#pragma once

#include "data/dialogs.h"

class QWidget;

namespace mervalis {

// The message boxes a user sees.
class QtDialogService final : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer show(const QString& text, Icon icon, Buttons buttons,
                const QString& caption = defaultCaption()) override;
    QString askSaveFileName(const QString& caption, const QString& proposedPath, const QString& filter) override;

private:
    QWidget* parent_;
};

}  // namespace mervalis
