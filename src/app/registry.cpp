#include "app/registry.h"

#include "data/installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>
#include <odbcinst.h>

#include <optional>
#include <vector>

// Exported by libodbcinst but declared only in its internal header: the
// folder of the system ini files ($ODBCSYSINI, else the configured one).
extern "C" char* odbcinst_system_file_path(char* buffer);

namespace mervalis {

namespace {

const QString kOdbcIni = QStringLiteral("odbc.ini");
const QString kOdbcInstIni = QStringLiteral("odbcinst.ini");
const QString kRoot = QStringLiteral("SOFTWARE\\ODBC\\");

// Where a key path of the ODBC registry lives in the ini files.
struct IniPlace {
    QString file;     // odbc.ini or odbcinst.ini
    QString section;
    QString prefix;   // for a key below a section: "Engines\Jet\"
};

std::optional<IniPlace> iniPlace(const QString& keyPath)
{
    if (!keyPath.startsWith(kRoot, Qt::CaseInsensitive)) return std::nullopt;
    const QStringList parts = keyPath.mid(kRoot.size()).split(QLatin1Char('\\'));
    if (parts.size() < 2 || parts[1].isEmpty()) return std::nullopt;
    IniPlace place;
    if (parts[0].compare(QLatin1String("ODBC.INI"), Qt::CaseInsensitive) == 0) place.file = kOdbcIni;
    else if (parts[0].compare(QLatin1String("ODBCINST.INI"), Qt::CaseInsensitive) == 0) place.file = kOdbcInstIni;
    else return std::nullopt;
    place.section = parts[1];
    for (const QString& sub : parts.mid(2)) {
        if (sub.isEmpty()) return std::nullopt;
        place.prefix += sub + QLatin1Char('\\');
    }
    return place;
}

// Every call of the installer API works on the system files; the mode the
// driver manager expects is put back afterwards.
class SystemFiles {
public:
    SystemFiles()
    {
        if (!SQLGetConfigMode(&previous_)) previous_ = ODBC_BOTH_DSN;
        SQLSetConfigMode(ODBC_SYSTEM_DSN);
    }
    ~SystemFiles() { SQLSetConfigMode(previous_); }
    SystemFiles(const SystemFiles&) = delete;
    SystemFiles& operator=(const SystemFiles&) = delete;

private:
    UWORD previous_ = ODBC_BOTH_DSN;
};

// The value names of a section, or nothing when the section is missing.
std::optional<QStringList> valueNames(const IniPlace& place)
{
    const QByteArray section = place.section.toUtf8();
    const QByteArray file = place.file.toUtf8();
    std::vector<char> buffer(1 << 16, '\0');
    int length = 0;
    {
        SystemFiles mode;
        length = SQLGetPrivateProfileString(section.constData(), nullptr, "", buffer.data(),
                                            static_cast<int>(buffer.size()), file.constData());
    }
    if (length <= 0) return std::nullopt;
    // Names one after the other, each ended by a zero.
    QStringList names;
    const char* cursor = buffer.data();
    const char* end = buffer.data() + std::min<size_t>(static_cast<size_t>(length), buffer.size() - 1);
    while (cursor < end && *cursor) {
        const QByteArray name(cursor);
        names << QString::fromUtf8(name);
        cursor += name.size() + 1;
    }
    return names;
}

// The value itself, however long.
std::optional<QString> readValue(const IniPlace& place, const QString& name)
{
    const std::optional<QStringList> names = valueNames(place);
    if (!names || !names->contains(place.prefix + name, Qt::CaseInsensitive)) return std::nullopt;
    const QByteArray section = place.section.toUtf8();
    const QByteArray entry = (place.prefix + name).toUtf8();
    const QByteArray file = place.file.toUtf8();
    std::vector<char> buffer(4096, '\0');
    int length = 0;
    {
        SystemFiles mode;
        length = SQLGetPrivateProfileString(section.constData(), entry.constData(), "", buffer.data(),
                                            static_cast<int>(buffer.size()), file.constData());
    }
    if (length < 0) return std::nullopt;
    return QString::fromUtf8(buffer.data());
}

// A write into an odbc.ini key; creates the section when it is missing.
bool writeValue(const QString& keyPath, const QString& name, const QString& value)
{
    const std::optional<IniPlace> place = iniPlace(keyPath);
    if (!place || place->file != kOdbcIni) return false;
    const QByteArray section = place->section.toUtf8();
    const QByteArray entry = (place->prefix + name).toUtf8();
    const QByteArray text = value.toUtf8();
    const QByteArray file = place->file.toUtf8();
    SystemFiles mode;
    return SQLWritePrivateProfileString(section.constData(), entry.constData(), text.constData(), file.constData());
}

// The installer API cannot write into an odbc.ini that does not exist on
// every unixODBC version; an empty one is made first.
void makeOdbcIni()
{
    const QString path = systemOdbcIniPath();
    if (path.isEmpty() || QFileInfo::exists(path)) return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.close();
}

// The folders a driver's bare library name is looked for in: next to the
// installer library, Debian's multiarch "odbc" folder first.
QStringList driverFolders()
{
    QStringList folders;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&SQLGetPrivateProfileString), &info) && info.dli_fname) {
        // Through links to the real file: /lib is a link to /usr/lib on Debian.
        const QFileInfo library(QFile::decodeName(info.dli_fname));
        const QString real = library.canonicalFilePath();
        const QString libraryFolder = real.isEmpty() ? library.absolutePath() : QFileInfo(real).absolutePath();
        folders << libraryFolder + QStringLiteral("/odbc") << libraryFolder;
    }
    folders << QStringLiteral("/usr/lib/odbc") << QStringLiteral("/usr/local/lib/odbc")
            << QStringLiteral("/usr/local/lib");
    folders.removeDuplicates();
    return folders;
}

}  // namespace

QString wantedDriverSection() { return QStringLiteral("SQLite3"); }

QString driverKeyPath() { return kRoot + QStringLiteral("ODBCINST.INI\\") + wantedDriverSection(); }

QString dataSourceListKeyPath() { return kRoot + QStringLiteral("ODBC.INI\\ODBC Data Sources"); }

QString dataSourceKeyPath(const QString& dataSourceName) { return kRoot + QStringLiteral("ODBC.INI\\") + dataSourceName; }

QString jetEngineKeyPath(const QString& dataSourceName)
{
    return dataSourceKeyPath(dataSourceName) + QStringLiteral("\\Engines\\Jet");
}

QString systemOdbcIniPath()
{
    try {
        std::vector<char> buffer(4097, '\0');
        const char* folder = odbcinst_system_file_path(buffer.data());
        if (!folder || !*folder) return QString();
        return QDir(QFile::decodeName(folder)).filePath(kOdbcIni);
    } catch (...) {
        return QString();
    }
}

QString dataSourceDatabaseFile(const QString& dataSourceName)
{
    // "Database" is the database's name on a server for other drivers.
    QString driver(4096, QLatin1Char(' '));
    if (!isSZKeyExist(dataSourceKeyPath(dataSourceName), QStringLiteral("Driver"), driver) ||
        !driver.contains(QLatin1String("sqlite"), Qt::CaseInsensitive)) {
        return QString();
    }
    QString value(4096, QLatin1Char(' '));
    if (!isSZKeyExist(dataSourceKeyPath(dataSourceName), QStringLiteral("Database"), value)) return QString();
    return value;
}

QString resolveDriverLibrary(const QString& driverValue)
{
    try {
        if (driverValue.isEmpty()) return QString();
        if (QDir::isAbsolutePath(driverValue)) return driverValue;
        if (driverValue.contains(QLatin1Char('/'))) return QString();
        for (const QString& folder : driverFolders()) {
            const QString candidate = QDir(folder).filePath(driverValue);
            if (QFileInfo(candidate).isFile()) return candidate;
        }
        return QString();
    } catch (...) {
        return QString();
    }
}

bool isSZKeyExist(const QString& szKeyPath, const QString& szKeyName, QString& szKeyValue)
{
    try {
        const std::optional<IniPlace> place = iniPlace(szKeyPath);
        if (!place) return false;
        const std::optional<QString> value = readValue(*place, szKeyName);
        if (!value || value->size() > szKeyValue.size()) return false;
        szKeyValue = *value;
        return true;
    } catch (...) {
        return false;
    }
}

bool checkAccessDriver(QString& szDriverName)
{
    try {
        QString value(255, QLatin1Char(' '));
        if (!isSZKeyExist(driverKeyPath(), QStringLiteral("Driver"), value)) return false;
        const QString library = resolveDriverLibrary(value.trimmed());
        szDriverName = library.isEmpty() ? wantedDriverSection() : library;
        return true;
    } catch (...) {
        return false;
    }
}

bool checkWantedAccessDSN(const QString& szWantedDSN)
{
    try {
        if (szWantedDSN.isEmpty()) return false;
        QString value(255, QLatin1Char(' '));
        return isSZKeyExist(dataSourceKeyPath(szWantedDSN), QStringLiteral("Driver"), value);
    } catch (...) {
        return false;
    }
}

QString postgresDriverSection() { return QStringLiteral("PostgreSQL Unicode"); }

bool createPostgresDSN(const QString& szWantedDSN, const QList<QPair<QString, QString>>& values)
{
    try {
        if (szWantedDSN.isEmpty()) return false;
        makeOdbcIni();
        const QByteArray section = szWantedDSN.toUtf8();
        const QByteArray file = kOdbcIni.toUtf8();
        {
            SystemFiles mode;
            // No entry name: the whole section goes.
            SQLWritePrivateProfileString(section.constData(), nullptr, nullptr, file.constData());
        }
        const QString dataSource = dataSourceKeyPath(szWantedDSN);
        if (!writeValue(dataSource, QStringLiteral("Driver"), postgresDriverSection())) return false;
        writeValue(dataSource, QStringLiteral("Description"), QStringLiteral("Mervalis ledger on PostgreSQL"));
        for (const auto& [name, value] : values) {
            if (!writeValue(dataSource, name, value)) return false;
        }
        return writeValue(dataSourceListKeyPath(), szWantedDSN, postgresDriverSection());
    } catch (...) {
        return false;
    }
}

bool createAccessDSN(const QString& szDriverName, const QString& szWantedDSN, const Installation& installation)
{
    try {
        if (szWantedDSN.isEmpty()) return false;
        makeOdbcIni();
        const QString database = installation.databasePath();

        // Writing the first value creates the section, or opens it.
        const QString dataSource = dataSourceKeyPath(szWantedDSN);
        if (!writeValue(dataSource, QStringLiteral("UID"), QString())) return false;
        writeValue(dataSource, QStringLiteral("DBQ"), database);
        writeValue(dataSource, QStringLiteral("Driver"), szDriverName);
        writeValue(dataSource, QStringLiteral("FIL"), QStringLiteral("MS Access;"));
        writeValue(dataSource, QStringLiteral("DriverId"), QStringLiteral("25"));
        writeValue(dataSource, QStringLiteral("SafeTransactions"), QStringLiteral("0"));
        writeValue(dataSource, QStringLiteral("Database"), database);
        // A connection must never create the database: a missing file (a
        // share not mounted) would otherwise become an empty ledger.
        writeValue(dataSource, QStringLiteral("NoCreat"), QStringLiteral("1"));

        const QString engine = jetEngineKeyPath(szWantedDSN);
        if (!writeValue(engine, QStringLiteral("ImplicitCommitSync"), QString())) return false;
        writeValue(engine, QStringLiteral("UserCommitSync"), QStringLiteral("Yes"));
        writeValue(engine, QStringLiteral("MaxBufferSize"), QStringLiteral("2048"));
        writeValue(engine, QStringLiteral("PageTimeout"), QStringLiteral("5"));
        writeValue(engine, QStringLiteral("Threads"), QStringLiteral("3"));

        return writeValue(dataSourceListKeyPath(), szWantedDSN, wantedDriverSection());
    } catch (...) {
        return false;
    }
}

}  // namespace mervalis
