#include "setup/help_file.h"

#include <QFile>

namespace mervalis::setup {

QString helpHtml()
{
    return QStringLiteral("<html><body>"
                          "<h1 id=\"use\"><a name=\"use\"></a>How do I use this software?</h1>"
                          "<h2><a name=\"company\"></a>Company</h2><h2><a name=\"client\"></a>Client</h2>"
                          "<h2><a name=\"sales\"></a>Sales</h2><h2><a name=\"invoice\"></a>Invoice</h2>"
                          "<h2><a name=\"modifyinvoice\"></a>Modify invoice</h2>"
                          "<h2><a name=\"salesgrid\"></a>Sales grid</h2><h2><a name=\"clientgrid\"></a>Client grid</h2>"
                          "<h2><a name=\"analyse\"></a>Analysis</h2></body></html>");
}

bool writeHelpFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    file.write(helpHtml().toUtf8());
    return true;
}

}  // namespace mervalis::setup
