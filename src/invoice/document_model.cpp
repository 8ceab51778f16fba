#include "invoice/document_model.h"

#include <utility>

namespace mervalis {

QStringList textLines(const QString& text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normal.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

DocumentLabel designedLabel(const LabelDesign& d)
{
    DocumentLabel label;
    label.name = QLatin1String(d.name);
    label.rect = QRect(d.left, d.top, d.width, d.height);
    label.text = QString::fromUtf8(d.caption);
    label.font = d.font;
    label.kind = d.kind;
    label.place = QString::fromUtf8(d.place);
    return label;
}

QList<DocumentLabel> designedLabels(std::initializer_list<LabelDesign> designs)
{
    QList<DocumentLabel> labels;
    for (const LabelDesign& d : designs) labels << designedLabel(d);
    return labels;
}

const DocumentSection* Document::section(const QString& name) const
{
    for (const DocumentSection& s : sections_) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
    }
    return nullptr;
}

const DocumentLabel* Document::label(const QString& sectionName, const QString& name) const
{
    const DocumentSection* s = section(sectionName);
    if (!s) return nullptr;
    for (const DocumentLabel& l : s->labels) {
        if (l.name.compare(name, Qt::CaseInsensitive) == 0) return &l;
    }
    return nullptr;
}

DocumentLabel* Document::label(const QString& sectionName, const QString& name)
{
    return const_cast<DocumentLabel*>(std::as_const(*this).label(sectionName, name));
}

void Document::setText(const QString& sectionName, const QString& name, const QString& text)
{
    if (DocumentLabel* l = label(sectionName, name)) l->text = text;
}

void Document::hide(const QString& sectionName, const QString& name)
{
    if (DocumentLabel* l = label(sectionName, name)) l->visible = false;
}

void Document::addLabel(const QString& sectionName, DocumentLabel label)
{
    if (const DocumentSection* s = section(sectionName)) {
        const_cast<DocumentSection*>(s)->labels << std::move(label);
    }
}

void Document::addSection(const QString& name, int height, QList<DocumentLabel> labels)
{
    sections_.append(DocumentSection{name, height, std::move(labels)});
}

int Document::sectionTop(const QString& sectionName) const
{
    int top = 0;
    for (const DocumentSection& s : sections_) {
        if (s.name.compare(sectionName, Qt::CaseInsensitive) == 0) return top;
        top += s.height;
    }
    return top;
}

QRect Document::pageRect(const QString& sectionName, const QString& name) const
{
    const DocumentLabel* l = label(sectionName, name);
    return l ? l->rect.translated(0, sectionTop(sectionName)) : QRect();
}

}  // namespace mervalis
