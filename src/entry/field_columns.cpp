#include "entry/field_columns.h"

#include "ui/ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace mervalis {

FieldColumns::FieldColumns(QWidget* container, int columns) : container_(container)
{
    auto* row = new QHBoxLayout(container);
    row->setSpacing(10);
    for (int i = 0; i < columns; ++i) {
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        row->addLayout(column, 1);
        columns_ << column;
    }
}

void FieldColumns::add(int column, QWidget* box, const QString& caption)
{
    QVBoxLayout* layout = columns_.at(column);
    if (layout->count() > 0) layout->addSpacing(4);
    layout->addWidget(captionFor(box, caption, container_));
    layout->addWidget(box);
}

void FieldColumns::addBox(int column, QWidget* box, int stretch)
{
    columns_.at(column)->addWidget(box, stretch);
}

void FieldColumns::finish()
{
    for (QVBoxLayout* column : columns_) column->addStretch();
}

}  // namespace mervalis
