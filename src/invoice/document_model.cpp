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
