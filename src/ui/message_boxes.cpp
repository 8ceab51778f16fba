#include "ui/message_boxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace mervalis {

DialogService::Answer QtDialogService::show(const QString& text, Icon icon, Buttons buttons,
                                            const QString& caption)
{
    QMessageBox box(parent_ ? parent_ : QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

QString QtDialogService::askSaveFileName(const QString& caption, const QString& proposedPath,
                                         const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_ ? parent_ : QApplication::activeWindow(), caption, proposedPath,
                                        filter);
}

}  // namespace mervalis
