#include "data/database.h"

#include "data/ledger_fields.h"
#include "data/row_block.h"

#include <QElapsedTimer>
#include <QLoggingCategory>

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace mervalis {

// Every statement with the time it took to run: QT_LOGGING_RULES="mervalis.sql=true".
Q_LOGGING_CATEGORY(sqlLog, "mervalis.sql", QtWarningMsg)

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
    std::vector<RowBlock::Kind> kinds;
    std::vector<SQLLEN> room;  // buffer bytes, terminating zero included
    std::string signature;     // names and kinds: results alike share widths
};

// `ledgerSpelling`: the engine reports field names in lower case; they are
// given the ledger's own spelling.
ColumnInfo describe(SQLHSTMT stmt, SQLSMALLINT columnCount, bool ledgerSpelling)
{
    ColumnInfo info;
    for (SQLUSMALLINT c = 1; c <= columnCount; ++c) {
        SQLCHAR name[256];
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(stmt, c, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
        QString column = QString::fromUtf8(reinterpret_cast<const char*>(name));
        if (ledgerSpelling) column = ledgerFieldName(column);
        const bool number = isNumberType(type);
        info.names << column;
        info.kinds.push_back(number ? RowBlock::Kind::Number : RowBlock::Kind::Text);
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

Database::Engine engineOf(SQLHDBC dbc)
{
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_DBMS_NAME, name, sizeof name, &length))) return Database::Engine::Other;
    const QString dbms = QString::fromUtf8(reinterpret_cast<const char*>(name));
    if (dbms.contains(QLatin1String("SQLite"), Qt::CaseInsensitive)) return Database::Engine::SQLite;
    if (dbms.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive)) return Database::Engine::PostgreSQL;
    return Database::Engine::Other;
}

}  // namespace

// The statement of an open result and the buffers it is read into.
struct Cursor::State {
    explicit State(Database& owner) : database(owner) { database.cursors_.push_back(this); }
    ~State()
    {
        close();
        std::erase(database.cursors_, this);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    void bind();
    void close();
    // Appends row `row` of the buffers; false when a value did not fit.
    bool storeRow(RowBlock& rows, SQLULEN row);
    // Appends the row just fetched one at a time, long values whole.
    void storeWholeRow(RowBlock& rows);
    // Widens the buffers of the columns whose values did not fit, as far as
    // the rest of the block shows, and remembers it for the next opening.
    void widen();

    Database& database;
    std::unique_ptr<Statement> statement;
    ColumnInfo info;
    std::vector<SQLLEN> room;   // widths wanted
    std::vector<SQLLEN> bound;  // widths bound
    bool oneRowAtATime = false;
    SQLULEN block = 1;
    SQLULEN fetched = 0;  // rows in the buffers
    SQLULEN next = 0;     // the next of them to deliver
    bool end = false;
    std::unique_ptr<BoundBlock> buffers;
    std::string longValue;
    std::vector<char> part;
    QElapsedTimer opened;  // for the log
    qint64 rowsRead = 0;
};

void Cursor::State::bind()
{
    SQLHSTMT stmt = statement->get();
    bound = room;
    if (oneRowAtATime) {
        for (SQLLEN& width : bound) width = std::min(width, kRowRoom);
        block = 1;
    } else {
        block = kRowsPerFetch;
    }
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(block), 0))) {
        block = 1;
    }
    SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    buffers = std::make_unique<BoundBlock>(stmt, bound, block);
}

void Cursor::State::close()
{
    if (!statement) return;
    qCDebug(sqlLog, "  %lld rows read in %.1f ms", static_cast<long long>(rowsRead), opened.nsecsElapsed() / 1e6);
    buffers.reset();
    if (*statement) SQLSetStmtAttr(statement->get(), SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    statement.reset();
    end = true;
    fetched = next = 0;
}

bool Cursor::State::storeRow(RowBlock& rows, SQLULEN row)
{
    rows.beginRow();
    for (size_t c = 0; c < bound.size(); ++c) {
        const SQLLEN n = buffers->indicator(c, row);
        if (n == SQL_NULL_DATA) rows.addNullCell();
        else if (buffers->truncated(c, row)) return false;
        else rows.addCell(buffers->cell(c, row), static_cast<size_t>(n));
    }
    rows.endRow();
    return true;
}

void Cursor::State::storeWholeRow(RowBlock& rows)
{
    SQLHSTMT stmt = statement->get();
    if (part.empty()) part.resize(16384);
    rows.beginRow();
    for (size_t c = 0; c < bound.size(); ++c) {
        const SQLLEN n = buffers->indicator(c, 0);
        if (n == SQL_NULL_DATA) {
            rows.addNullCell();
        } else if (!buffers->truncated(c, 0)) {
            rows.addCell(buffers->cell(c, 0), static_cast<size_t>(n));
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
            // A driver that cannot read a bound column again leaves the part
            // that fitted.
            if (longValue.empty()) longValue.assign(buffers->cell(c, 0), static_cast<size_t>(bound[c] - 1));
            rows.addCell(longValue.data(), longValue.size());
        }
    }
    rows.endRow();
}

void Cursor::State::widen()
{
    for (SQLULEN r = next; r < fetched; ++r) {
        for (size_t c = 0; c < room.size(); ++c) {
            const SQLLEN n = buffers->indicator(c, r);
            if (n == SQL_NO_TOTAL) room[c] = kMostBlockRoom + 1;  // length unknown: one row at a time
            else if (n >= room[c]) room[c] = std::max(room[c] * 2, (n + 1 + 15) / 16 * 16);
        }
    }
    database.learnWidths(info.signature, room);
}

Cursor::Cursor(std::unique_ptr<State> state) : state_(std::move(state)) {}

Cursor::~Cursor() = default;

const QStringList& Cursor::columnNames() const { return state_->info.names; }

bool Cursor::isOpen() const { return state_->statement != nullptr; }

Cursor::Read Cursor::read(RowBlock& rows, qint64 maxRows)
{
    State& s = *state_;
    if (rows.columnCount() == 0 && !s.info.names.isEmpty()) rows.setColumns(s.info.names, s.info.kinds);
    const int before = rows.rowCount();
    for (qint64 appended = 0; maxRows < 0 || appended < maxRows; ++appended) {
        if (s.next >= s.fetched) {
            if (s.end || !s.statement) return s.statement || s.info.names.isEmpty() ? Read::End : Read::Failed;
            s.fetched = 0;
            s.next = 0;
            const SQLRETURN rc = SQLFetch(s.statement->get());
            if (rc == SQL_NO_DATA) {
                s.end = true;
                if (!s.oneRowAtATime) s.database.learnWidths(s.info.signature, s.room);
                return Read::End;
            }
            if (!SQL_SUCCEEDED(rc)) {
                rows.truncate(before);
                s.database.fail(SQL_HANDLE_STMT, s.statement->get(), QStringLiteral("Reading the rows failed."));
                s.close();
                return Read::Failed;
            }
            if (s.block == 1) s.fetched = 1;  // some drivers leave the count alone for single rows
        }
        if (s.oneRowAtATime) {
            s.storeWholeRow(rows);
        } else if (!s.storeRow(rows, s.next)) {
            s.widen();
            rows.truncate(before);
            s.close();
            return Read::TooLong;
        }
        ++s.next;
        ++s.rowsRead;
    }
    return Read::More;
}

Database::Database(QString dataSourceName) : dataSourceName_(std::move(dataSourceName)) {}

Database::Database(QString dataSourceName, QString connectionString)
    : dataSourceName_(std::move(dataSourceName)), connectionString_(std::move(connectionString))
{
}

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
    const QByteArray text = (connectionString() + driverSettings()).toUtf8();
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnect(dbc, nullptr,
                                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())),
                                          SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        fail(SQL_HANDLE_DBC, dbc, QStringLiteral("The connection failed."));
        if (lastError_.contains(QLatin1String("does not support SSL"), Qt::CaseInsensitive)) {
            lastError_.prepend(QStringLiteral(
                "The server does not accept encrypted connections (SSL), which this data source asks for. Turn on "
                "ssl in the server's postgresql.conf (the README says how), or, where the traffic never leaves a "
                "trusted network, register the data source with sslmode=disable.\n"));
        }
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        return false;
    }
    env_ = env;
    dbc_ = dbc;
    engine_ = engineOf(dbc);
    lastError_.clear();
    return true;
}

QString Database::driverSettings()
{
    // SQLite: rows are handed over as they are read instead of the whole
    // result being copied first; a missing database file is never created
    // (an empty file would pass for the ledger); a write that finds the file
    // locked by another workstation waits this long, then fails and is told
    // (the driver's own default is 100 s, too long to wait without a word).
    // PostgreSQL: a result is read from the server a block of rows at a
    // time through a cursor, instead of whole when the statement runs (a
    // large result would otherwise cost seconds and its whole size in
    // memory before its first row is seen); such a cursor is planned for
    // reading its whole result, as the program does, not its first rows.
    return QStringLiteral(";StepAPI=1;NoCreat=1;Timeout=%1;UseDeclareFetch=1;Fetch=%2;"
                          "ConnSettings=SET cursor_tuple_fraction = 1")
        .arg(kBusyTimeoutMilliseconds)
        .arg(kRowsPerServerFetch);
}

void Database::disconnect()
{
    // Open results go first: their statements belong to the connection.
    closeOpenResults();
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

bool Database::query(const QString& sql, RowBlock& rows)
{
    // A value longer than its buffer sends the query round again with the
    // widths learnt; the third pass reads one row at a time, which takes any
    // length.
    for (int pass = 0; pass < 3; ++pass) {
        std::unique_ptr<Cursor> cursor = open(sql, pass == 2);
        if (!cursor) return false;
        RowBlock result;
        switch (cursor->read(result, -1)) {
        case Cursor::Read::End:
        case Cursor::Read::More:
            rows = std::move(result);
            return true;
        case Cursor::Read::TooLong:
            continue;
        case Cursor::Read::Failed:
            return false;
        }
    }
    return fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("Reading the rows failed."));
}

std::unique_ptr<Cursor> Database::open(const QString& sql, bool oneRowAtATime)
{
    if (!connect()) return nullptr;
    closeOpenResults();
    auto state = std::make_unique<Cursor::State>(*this);
    state->statement = std::make_unique<Statement>(static_cast<SQLHDBC>(dbc_));
    if (!*state->statement) {
        fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("No statement handle."));
        return nullptr;
    }
    SQLHSTMT stmt = state->statement->get();
    const QByteArray text = sql.toUtf8();
    state->opened.start();
    const SQLRETURN rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())), SQL_NTS);
    qCDebug(sqlLog, "%.1f ms %s", state->opened.nsecsElapsed() / 1e6, text.constData());
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
        fail(SQL_HANDLE_STMT, stmt, QStringLiteral("The query failed."));
        return nullptr;
    }
    SQLSMALLINT columnCount = 0;
    SQLNumResultCols(stmt, &columnCount);
    if (columnCount > 0) {
        state->info = describe(stmt, columnCount, engine_ == Engine::PostgreSQL);
        state->room = state->info.room;
        const auto known = fetchWidths_.find(state->info.signature);
        if (known != fetchWidths_.end() && known->second.size() == state->room.size()) {
            for (size_t c = 0; c < state->room.size(); ++c) state->room[c] = std::max(state->room[c], known->second[c]);
        }
        state->oneRowAtATime = oneRowAtATime || std::any_of(state->room.begin(), state->room.end(),
                                                             [](SQLLEN r) { return r > kMostBlockRoom; });
        state->bind();
    } else {
        state->end = true;
    }
    return std::unique_ptr<Cursor>(new Cursor(std::move(state)));
}

void Database::closeOpenResults()
{
    // The SQLite driver reads a result row by row only while no other
    // statement is open on the connection; a second one would be read whole
    // first. An open result is read on later by opening it again at its row.
    for (Cursor::State* cursor : cursors_) cursor->close();
}

void Database::learnWidths(const std::string& signature, const std::vector<SQLLEN>& room)
{
    if (fetchWidths_.size() > 256) fetchWidths_.clear();
    fetchWidths_[signature].assign(room.begin(), room.end());
}

bool Database::execute(const QString& sql, long* rowsAffected)
{
    if (!connect()) return false;
    closeOpenResults();
    Statement statement(static_cast<SQLHDBC>(dbc_));
    if (!statement) return fail(SQL_HANDLE_DBC, dbc_, QStringLiteral("No statement handle."));
    const QByteArray text = sql.toUtf8();
    QElapsedTimer timer;
    timer.start();
    const SQLRETURN rc = SQLExecDirect(statement.get(),
                                       reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())), SQL_NTS);
    qCDebug(sqlLog, "%.1f ms %s", timer.nsecsElapsed() / 1e6, text.constData());
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
