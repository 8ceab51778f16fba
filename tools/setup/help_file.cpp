#include "setup/help_file.h"

#include <QFile>

namespace mervalis::setup {

QString helpHtml()
{
    // setup/help.html, built into the library as a Qt resource.
    QFile file(QStringLiteral(":/setup/help.html"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

bool writeHelpFile(const QString& path, QString* error)
{
    const QString html = helpHtml();
    if (html.isEmpty()) {
        *error = QStringLiteral("The help text is missing from this build of mervalis-setup.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = html.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace mervalis::setup
