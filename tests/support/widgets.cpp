#include "support/widgets.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <sys/stat.h>

#include <stdexcept>

namespace mervalis::test {

QString textOf(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
    if (const auto* notes = qobject_cast<const QPlainTextEdit*>(control)) return notes->toPlainText();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    throw std::logic_error("no text to read");
}

QStringList textsOf(const QList<QWidget*>& controls)
{
    QStringList texts;
    for (const QWidget* control : controls) texts << textOf(control);
    return texts;
}

void setTextOf(QWidget* control, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(control)) box->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setCurrentText(text);
    else if (auto* notes = qobject_cast<QPlainTextEdit*>(control)) notes->setPlainText(text);
    else throw std::logic_error("no text to set");
}

void setTexts(const QList<QWidget*>& controls, const QStringList& texts)
{
    if (controls.size() != texts.size()) throw std::logic_error("one text per control");
    for (int i = 0; i < controls.size(); ++i) setTextOf(controls[i], texts[i]);
}

QStringList entries(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
}

void openList(QComboBox* combo)
{
    combo->showPopup();
    combo->hidePopup();
}

void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void click(QWidget* control)
{
    const QPointF inside(3, 3);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, inside, control->mapToGlobal(inside), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control, &event);
    }
}

int columnOf(const QAbstractItemModel* model, const QString& heading)
{
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->headerData(c, Qt::Horizontal).toString() == heading) return c;
    }
    return -1;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write test file");
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
    return QStringLiteral("%1").arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
}

}  // namespace mervalis::test
