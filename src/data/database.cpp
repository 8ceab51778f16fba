#include "data/database.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <memory>
#include <string>
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

// Every result is fetched a block of rows at a time into bound buffers, as
// the text the driver makes of each value. The buffers start small (the
// driver fills each buffer to its end on every row, so wide buffers cost
// time); a value that does not fit sends the fetch round once more with
// buffers as wide as the longest value seen. When that is too wide, rows
// are read one at a time and a long value is read whole with SQLGetData.
constexpr SQLLEN kFirstTextRoom = 64;
constexpr SQLLEN kNumberRoom = 32;
constexpr SQLLEN kMostBlockRoom = 4096;  // wider values are read one row at a time
constexpr SQLLEN kRowRoom = 1024;        // bound width when reading one row at a time
constexpr SQLULEN kRowsPerFetch = 128;

struct ColumnInfo {
    QStringList names;
    std::vector<RecordSet::Kind> kinds;
    std::vector<SQLLEN> room;  // buffer bytes, terminating zero included
    std::string signature;     // names and kinds: results alike share widths
};

ColumnInfo describe(SQLHSTMT stmt, SQLSMALLINT columnCount)
{
    ColumnInfo info;
    for (SQLUSMALLINT c = 1; c <= columnCount; ++c) {
        SQLCHAR name[256];
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(stmt, c, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
        const QString column = QString::fromUtf8(reinterpret_cast<const char*>(name));
        const bool number = isNumberType(type);
        info.names << column;
        info.kinds.push_back(number ? RecordSet::Kind::Number : RecordSet::Kind::Text);
        SQLLEN room = number ? kNumberRoom : kFirstTextRoom;
        // A short text column gets room for its declared size in UTF-8.
        if (!number && size > 0 && size * 4 + 1 < static_cast<SQLULEN>(room)) room = static_cast<SQLLEN>(size * 4 + 1);
        info.room.push_back(std::max<SQLLEN>(room, 16));
        info.signature += column.toStdString();
        info.signature += number ? "#" : "$";
        info.signature += std::to_string(type) + ";";
    }
    return info;
}

// Buffers for a block of rows, bound column-wise.
class BoundBlock {
public:
    BoundBlock(SQLHSTMT stmt, const std::vector<SQLLEN>& room, SQLULEN rows) : stmt_(stmt), room_(room), rows_(rows)
    {
        for (size_t c = 0; c < room_.size(); ++c) {
            buffers_.push_back(std::make_unique<char[]>(static_cast<size_t>(room_[c]) * rows_));
            indicators_.emplace_back(rows_);
            SQLBindCol(stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, buffers_[c].get(), room_[c],
                       indicators_[c].data());
        }
    }
    const char* cell(size_t column, SQLULEN row) const
    {
        return buffers_[column].get() + static_cast<size_t>(room_[column]) * row;
    }
    SQLLEN indicator(size_t column, SQLULEN row) const { return indicators_[column][row]; }
    bool truncated(size_t column, SQLULEN row) const
    {
        const SQLLEN n = indicator(column, row);
        return n == SQL_NO_TOTAL || n >= room_[column];
    }
    ~BoundBlock() { SQLFreeStmt(stmt_, SQL_UNBIND); }
    BoundBlock(const BoundBlock&) = delete;
    BoundBlock& operator=(const BoundBlock&) = delete;

private:
    SQLHSTMT stmt_;
    const std::vector<SQLLEN>& room_;
    SQLULEN rows_;
    std::vector<std::unique_ptr<char[]>> buffers_;
    std::vector<std::vector<SQLLEN>> indicators_;
};

enum class Fetched { All, TooLong, Failed };

// Reads every row a block at a time. On the first value longer than its
// buffer it stops storing but reads on, to learn the longest value of each
// column (`longest`, -1 when the driver cannot tell).
Fetched fetchBlocks(SQLHSTMT stmt, const std::vector<SQLLEN>& room, RecordSet& result, std::vector<SQLLEN>& longest)
{
    SQLULEN block = kRowsPerFetch;
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(block), 0))) {
        block = 1;
    }
    SQLULEN fetched = 0;
    SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    struct ForgetCount {
        SQLHSTMT stmt;
        ~ForgetCount() { SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0); }
    } forgetCount{stmt};
    const BoundBlock buffers(stmt, room, block);
    const size_t columns = room.size();
    bool storing = true;
    longest.assign(columns, 0);
    while (true) {
        fetched = 0;
        const SQLRETURN rc = SQLFetch(stmt);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) return Fetched::Failed;
        const SQLULEN got = block > 1 ? fetched : 1;
        for (SQLULEN r = 0; r < got; ++r) {
            if (storing) {
                result.beginRow();
                for (size_t c = 0; c < columns && storing; ++c) {
                    const SQLLEN n = buffers.indicator(c, r);
                    if (n == SQL_NULL_DATA) result.addNullCell();
                    else if (buffers.truncated(c, r)) storing = false;
                    else result.addCell(buffers.cell(c, r), static_cast<size_t>(n));
                }
                if (storing) {
                    result.endRow();
                    continue;
                }
            }
            for (size_t c = 0; c < columns; ++c) {
                const SQLLEN n = buffers.indicator(c, r);
                if (n == SQL_NO_TOTAL) longest[c] = -1;
                else if (longest[c] >= 0 && n > longest[c]) longest[c] = n;
            }
        }
    }
    return storing ? Fetched::All : Fetched::TooLong;
}

// Reads every row one at a time; a value longer than its buffer is read
// whole with SQLGetData.
Fetched fetchRows(SQLHSTMT stmt, const std::vector<SQLLEN>& room, RecordSet& result)
{
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    std::vector<SQLLEN> bound(room);
    for (SQLLEN& width : bound) width = std::min(width, kRowRoom);
    const BoundBlock buffers(stmt, bound, 1);
    std::string longValue;
    std::vector<char> part(16384);
    while (true) {
        const SQLRETURN rc = SQLFetch(stmt);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) return Fetched::Failed;
        result.beginRow();
        for (size_t c = 0; c < bound.size(); ++c) {
            const SQLLEN n = buffers.indicator(c, 0);
            if (n == SQL_NULL_DATA) {
                result.addNullCell();
            } else if (!buffers.truncated(c, 0)) {
                result.addCell(buffers.cell(c, 0), static_cast<size_t>(n));
            } else {
                longValue.clear();
                SQLLEN partLength = 0;
                SQLRETURN g;
                while (SQL_SUCCEEDED(g = SQLGetData(stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, part.data(),
                                                    static_cast<SQLLEN>(part.size()), &partLength))) {
                    if (partLength == SQL_NULL_DATA) break;
                    const size_t size = (partLength == SQL_NO_TOTAL || partLength >= static_cast<SQLLEN>(part.size()))
                                            ? part.size() - 1
                                            : static_cast<size_t>(partLength);
                    longValue.append(part.data(), size);
                    if (g == SQL_SUCCESS) break;
                }
                // A driver that cannot read a bound column again leaves the
                // part that fitted.
                if (longValue.empty()) longValue.assign(buffers.cell(c, 0), static_cast<size_t>(bound[c] - 1));
                result.addCell(longValue.data(), longValue.size());
            }
        }
        result.endRow();
    }
    return Fetched::All;
}

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
    // The SQLite driver then hands rows over as they are read instead of
    // first copying the whole result, and never creates a missing database
    // file (an empty file would pass for the ledger); other drivers ignore
    // these keywords.
    const QByteArray text = (connectionString() + QStringLiteral(";StepAPI=1;NoCreat=1")).toUtf8();
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
    const QByteArray text = sql.toUtf8();
    std::vector<SQLLEN> room;
    std::string signature;
    bool oneRowAtATime = false;
    // At most three passes: blocks with the widths known so far, blocks as
    // wide as the longest value, and one row at a time for very long values.
    for (int pass = 0; pass < 3; ++pass) {
        Statement statement(static_cast<SQLHDBC>(dbc_));
        if (!statement) return fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("No statement handle."));
        SQLHSTMT stmt = statement.get();
        const SQLRETURN rc =
            SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())), SQL_NTS);
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
            return fail(SQL_HANDLE_STMT, stmt, QStringLiteral("The query failed."));
        }
        SQLSMALLINT columnCount = 0;
        SQLNumResultCols(stmt, &columnCount);
        RecordSet result;
        if (columnCount <= 0) {
            rows = std::move(result);
            return true;
        }
        const ColumnInfo info = describe(stmt, columnCount);
        result.setColumns(info.names, info.kinds);
        if (pass == 0) {
            signature = info.signature;
            room = info.room;
            const auto known = fetchWidths_.find(signature);
            if (known != fetchWidths_.end() && known->second.size() == room.size()) {
                for (size_t c = 0; c < room.size(); ++c) {
                    room[c] = std::max<SQLLEN>(room[c], known->second[c]);
                    if (room[c] > kMostBlockRoom) oneRowAtATime = true;
                }
            }
        }
        std::vector<SQLLEN> longest;
        const Fetched outcome =
            oneRowAtATime ? fetchRows(stmt, room, result) : fetchBlocks(stmt, room, result, longest);
        if (outcome == Fetched::Failed) return fail(SQL_HANDLE_STMT, stmt, QStringLiteral("Reading the rows failed."));
        if (outcome == Fetched::All) {
            if (fetchWidths_.size() > 256) fetchWidths_.clear();
            fetchWidths_[signature].assign(room.begin(), room.end());
            rows = std::move(result);
            return true;
        }
        // Some value did not fit: widen its column to the longest value,
        // rounded up, or read one row at a time when that is too wide.
        for (size_t c = 0; c < room.size(); ++c) {
            if (longest[c] < 0) oneRowAtATime = true;
            else if (longest[c] >= room[c]) room[c] = (longest[c] + 1 + 15) / 16 * 16;
            if (room[c] > kMostBlockRoom) oneRowAtATime = true;
        }
        if (pass == 1) oneRowAtATime = true;
    }
    return fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("Reading the rows failed."));
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
