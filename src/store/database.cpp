#include "store/database.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace mervalis {

namespace {

// Statement handle that frees itself.
class Statement {
public:
    explicit Statement(SQLHDBC dbc)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_))) handle_ = SQL_NULL_HSTMT;
    }
    ~Statement()
    {
        if (handle_ != SQL_NULL_HSTMT) {
            SQLFreeStmt(handle_, SQL_CLOSE);
            SQLFreeHandle(SQL_HANDLE_STMT, handle_);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    SQLHSTMT get() const { return handle_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HSTMT; }

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

QString diagnostics(SQLSMALLINT type, SQLHANDLE handle)
{
    QStringList parts;
    SQLCHAR state[6];
    SQLCHAR text[1024];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1;
         SQL_SUCCEEDED(SQLGetDiagRec(type, handle, i, state, &native, text, sizeof text, &length)); ++i) {
        parts << QString::fromUtf8(reinterpret_cast<const char*>(text)).trimmed();
    }
    return parts.join(QLatin1Char('\n'));
}

bool isNumberType(SQLSMALLINT type)
{
    switch (type) {
    case SQL_NUMERIC: case SQL_DECIMAL: case SQL_INTEGER: case SQL_SMALLINT: case SQL_FLOAT:
    case SQL_REAL: case SQL_DOUBLE: case SQL_BIGINT: case SQL_TINYINT:
        return true;
    default:
        return false;
    }
}

// Short columns are fetched many rows at a time into bound buffers; a value
// longer than its buffer is read whole with SQLGetData.
constexpr SQLULEN kLongColumn = 8192;
constexpr SQLULEN kRowsPerFetch = 64;

}  // namespace

Database::Database(QString dataSourceName) : dataSourceName_(std::move(dataSourceName)) {}

Database::~Database() { disconnect(); }

bool Database::fail(short handleType, void* handle, const QString& context)
{
    const QString detail = handle ? diagnostics(handleType, handle) : QString();
    lastError_ = detail.isEmpty() ? context : detail;
    return false;
}

bool Database::connect()
{
    if (dbc_) return true;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
        lastError_ = QStringLiteral("The ODBC driver manager could not be started.");
        return false;
    }
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        fail(SQL_HANDLE_ENV, env, QStringLiteral("No connection handle."));
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        return false;
    }
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    const QByteArray text = connectionString().toUtf8();
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnect(dbc, nullptr,
                                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())),
                                          SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        fail(SQL_HANDLE_DBC, dbc, QStringLiteral("The connection failed."));
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        return false;
    }
    env_ = env;
    dbc_ = dbc;
    lastError_.clear();
    return true;
}

void Database::disconnect()
{
    if (dbc_) {
        SQLDisconnect(static_cast<SQLHDBC>(dbc_));
        SQLFreeHandle(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc_));
        dbc_ = nullptr;
    }
    if (env_) {
        SQLFreeHandle(SQL_HANDLE_ENV, static_cast<SQLHENV>(env_));
        env_ = nullptr;
    }
}

bool Database::query(const QString& sql, RecordSet& rows)
{
    if (!connect()) return false;
    Statement statement(static_cast<SQLHDBC>(dbc_));
    if (!statement) return fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("No statement handle."));
    SQLHSTMT stmt = statement.get();
    const QByteArray text = sql.toUtf8();
    SQLRETURN rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())), SQL_NTS);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) return fail(SQL_HANDLE_STMT, stmt, QStringLiteral("The query failed."));

    SQLSMALLINT columnCount = 0;
    SQLNumResultCols(stmt, &columnCount);
    QStringList names;
    std::vector<RecordSet::Kind> kinds;
    std::vector<SQLLEN> width;
    bool hasLongColumn = false;
    for (SQLUSMALLINT c = 1; c <= columnCount; ++c) {
        SQLCHAR name[256];
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(stmt, c, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
        names << QString::fromUtf8(reinterpret_cast<const char*>(name));
        const bool number = isNumberType(type);
        kinds.push_back(number ? RecordSet::Kind::Number : RecordSet::Kind::Text);
        SQLULEN room = number ? 64 : size;
        if (room == 0 || room > kLongColumn) {
            room = kLongColumn;
            hasLongColumn = true;
        }
        width.push_back(static_cast<SQLLEN>(std::max<SQLULEN>(room * (number ? 1 : 4) + 1, 32)));
    }
    RecordSet result;
    result.setColumns(names, kinds);

    // Column-wise binding of a block of rows; one row at a time when some
    // column may hold long text, so that SQLGetData can read its whole value.
    SQLULEN block = hasLongColumn ? 1 : kRowsPerFetch;
    if (block > 1 && !SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE,
                                                   reinterpret_cast<SQLPOINTER>(block), 0))) {
        block = 1;
    }
    SQLULEN fetched = 0;
    if (block > 1) SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    std::vector<std::unique_ptr<char[]>> buffers;
    std::vector<std::vector<SQLLEN>> indicators(static_cast<size_t>(columnCount));
    for (SQLUSMALLINT c = 0; c < columnCount; ++c) {
        buffers.push_back(std::make_unique<char[]>(static_cast<size_t>(width[c]) * block));
        indicators[c].resize(block);
        SQLBindCol(stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, buffers[c].get(), width[c], indicators[c].data());
    }
    std::string longValue;
    while (columnCount > 0) {
        rc = SQLFetch(stmt);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) return fail(SQL_HANDLE_STMT, stmt, QStringLiteral("Reading the rows failed."));
        const SQLULEN got = block > 1 ? fetched : 1;
        for (SQLULEN r = 0; r < got; ++r) {
            result.beginRow();
            for (SQLUSMALLINT c = 0; c < columnCount; ++c) {
                const SQLLEN indicator = indicators[c][r];
                const char* cell = buffers[c].get() + static_cast<size_t>(width[c]) * r;
                if (indicator == SQL_NULL_DATA) {
                    result.addNullCell();
                } else if (indicator == SQL_NO_TOTAL || indicator >= width[c]) {
                    // Truncated: read the whole value again.
                    longValue.clear();
                    char part[8192];
                    SQLLEN partLength = 0;
                    SQLRETURN g;
                    while (SQL_SUCCEEDED(g = SQLGetData(stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, part,
                                                        sizeof part, &partLength))) {
                        if (partLength == SQL_NULL_DATA) break;
                        const size_t n = (partLength == SQL_NO_TOTAL || partLength >= static_cast<SQLLEN>(sizeof part))
                                             ? sizeof part - 1 : static_cast<size_t>(partLength);
                        longValue.append(part, n);
                        if (g == SQL_SUCCESS) break;
                    }
                    if (longValue.empty()) longValue.assign(cell, static_cast<size_t>(width[c] - 1));
                    result.addCell(longValue.data(), longValue.size());
                } else {
                    result.addCell(cell, static_cast<size_t>(indicator));
                }
            }
            result.endRow();
        }
    }
    rows = std::move(result);
    return true;
}

bool Database::execute(const QString& sql, long* rowsAffected)
{
    if (!connect()) return false;
    Statement statement(static_cast<SQLHDBC>(dbc_));
    if (!statement) return fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("No statement handle."));
    const QByteArray text = sql.toUtf8();
    const SQLRETURN rc = SQLExecDirect(statement.get(),
                                       reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())), SQL_NTS);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
        return fail(SQL_HANDLE_STMT, statement.get(), QStringLiteral("The statement failed."));
    }
    if (rowsAffected) {
        SQLLEN count = 0;
        SQLRowCount(statement.get(), &count);
        *rowsAffected = static_cast<long>(count);
    }
    return true;
}

bool Database::beginTransaction()
{
    if (!connect()) return false;
    const SQLRETURN rc = SQLSetConnectAttr(static_cast<SQLHDBC>(dbc_), SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    return SQL_SUCCEEDED(rc) || fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("No transaction could be started."));
}

bool Database::commit()
{
    if (!dbc_) return false;
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc_), SQL_COMMIT);
    const bool ok = SQL_SUCCEEDED(rc) || fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("The changes could not be saved."));
    SQLSetConnectAttr(static_cast<SQLHDBC>(dbc_), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    return ok;
}

bool Database::rollback()
{
    if (!dbc_) return false;
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, static_cast<SQLHDBC>(dbc_), SQL_ROLLBACK);
    SQLSetConnectAttr(static_cast<SQLHDBC>(dbc_), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    return SQL_SUCCEEDED(rc);
}

TransactionGuard::TransactionGuard(Database& database)
    : database_(database), active_(database.beginTransaction())
{
}

TransactionGuard::~TransactionGuard()
{
    if (active_) database_.rollback();
}

bool TransactionGuard::commit()
{
    if (!active_) return false;
    active_ = false;
    return database_.commit();
}

}  // namespace mervalis
