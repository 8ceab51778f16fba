#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QComboBox;
class QWidget;

// Small helpers for driving and reading widgets and files as a user would.
namespace mervalis::test {

// What a control shows: a box's text, a combo box's current text, a label's
// or button's caption.
QString textOf(const QWidget* control);
QStringList textsOf(const QList<QWidget*>& controls);

// Types over the text of a box or an editable combo box.
void setTextOf(QWidget* control, const QString& text);
void setTexts(const QList<QWidget*>& controls, const QStringList& texts);

// A combo box's entries, in order.
QStringList entries(const QComboBox* combo);
// The user opening a combo box's list and closing it again.
void openList(QComboBox* combo);
// The user picking an entry of a combo box's list.
void choose(QComboBox* combo, int index);
// A left click into a control: press and release.
void click(QWidget* control);

// A model's column by its heading; -1 when there is none.
int columnOf(const QAbstractItemModel* model, const QString& heading);

// Whole files: writing throws when the file cannot be written; reading gives
// nothing for a missing file.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// A file's or folder's permission bits in octal ("0600"); empty when missing.
QString modeOf(const QString& path);

}  // namespace mervalis::test
