#pragma once

#include <QList>
#include <QString>

class QVBoxLayout;
class QWidget;

namespace mervalis {

// Lays entry boxes out in side-by-side columns, each box under its caption,
// inside a frame or any other widget.
class FieldColumns {
public:
    FieldColumns(QWidget* container, int columns);

    // A box under its caption label (the box takes the caption as its
    // accessible name).
    void add(int column, QWidget* box, const QString& caption);
    // A box without a caption of its own, such as the second address line.
    void addBox(int column, QWidget* box, int stretch = 0);
    // Pushes every column's boxes to the top.
    void finish();

private:
    QWidget* container_;
    QList<QVBoxLayout*> columns_;
};

}  // namespace mervalis
