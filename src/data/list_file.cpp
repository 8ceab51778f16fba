#include "data/list_file.h"

#include "data/installation.h"

#include <QFile>

namespace mervalis {

namespace {

QString fileName(ListFile file)
{
    switch (file) {
    case ListFile::Products: return QStringLiteral("productfile.txt");
    case ListFile::Ethnicity: return QStringLiteral("ethnicity.txt");
    case ListFile::LeadsGivenTo: return QStringLiteral("leadsgivento.txt");
    }
    return {};
}

}  // namespace

QString listFilePath(const Installation& installation, ListFile file)
{
    return installation.path(fileName(file));
}

QStringList readListFile(const QString& path, bool* opened)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (opened) *opened = ok;
    if (!ok) return {};

    const QByteArray content = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0) end = content.size();
        qsizetype length = end - start;
        if (length > 0 && content.at(end - 1) == '\r') --length;
        lines << QString::fromLocal8Bit(content.constData() + start, length);
        start = next;
    }
    return lines;
}

}  // namespace mervalis
