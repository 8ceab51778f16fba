// The actions mervalis-bench measures: each as a user takes it, through the
// program's own windows and handlers, with the hand-written query that gives
// the same figures where there are figures.
#include "bench/bench.h"

#include "app/form1.h"
#include "data/app_context.h"
#include "data/data_control.h"
#include "data/database.h"
#include "entry/sales_tab.h"
#include "grids/client_grid_tab.h"
#include "grids/data_grid.h"
#include "grids/sales_grid_tab.h"
#include "invoice/invoice_tab.h"
#include "receivables/outstanding_window.h"
#include "ui/drop_down_combo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <sqlite3.h>
#include <sql.h>
#include <sqlext.h>

#include <vector>

namespace mervalis::bench {

namespace {

class SqliteReference final : public Reference {
public:
    explicit SqliteReference(sqlite3* db) : db_(db) {}
    ~SqliteReference() override { sqlite3_close(db_); }
    Engine engine() const override { return Engine::SQLite; }

    bool readAll(const std::string& sql) override
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return false;
        const int columns = sqlite3_column_count(statement);
        size_t bytes = 0;
        int step;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_text(statement, c)) bytes += static_cast<size_t>(sqlite3_column_bytes(statement, c));
            }
        }
        sqlite3_finalize(statement);
        return step == SQLITE_DONE && bytes != static_cast<size_t>(-1);
    }

    std::string firstValue(const std::string& sql) override
    {
        sqlite3_stmt* statement = nullptr;
        std::string value;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0)) {
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        }
        sqlite3_finalize(statement);
        return value;
    }

private:
    sqlite3* db_;
};

}  // namespace

std::unique_ptr<Reference> openSqlite(const std::string& databaseFile)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databaseFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return std::make_unique<SqliteReference>(db);
}

namespace {

// Reads a whole result through unixODBC with bound columns, a block of rows
// at a time, as fast as the driver hands it over.
void readThroughDriver(const char* connection, const char* sql)
{
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    if (SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connection)),
                                       SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT))) {
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &statement);
        SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS);
        SQLSMALLINT columns = 0;
        SQLNumResultCols(statement, &columns);
        constexpr SQLULEN kBlock = 128;
        constexpr SQLLEN kRoom = 256;
        SQLULEN fetched = 0;
        SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kBlock), 0);
        SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
        std::vector<std::vector<char>> buffers(static_cast<size_t>(columns), std::vector<char>(kRoom * kBlock));
        std::vector<std::vector<SQLLEN>> lengths(static_cast<size_t>(columns), std::vector<SQLLEN>(kBlock));
        for (SQLSMALLINT c = 0; c < columns; ++c) {
            SQLBindCol(statement, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR, buffers[c].data(), kRoom,
                       lengths[c].data());
        }
        while (SQL_SUCCEEDED(SQLFetch(statement))) {
        }
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        SQLDisconnect(dbc);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
}

// Lets the window system paint what the action changed, as it does before
// the user sees it.
void settle() { QCoreApplication::processEvents(); }

void showTab(Program& p, int index)
{
    p.form1->SSTab1->setCurrentIndex(index);
    settle();
}

// The user opening a list and closing it again.
void openList(QComboBox* combo)
{
    combo->showPopup();
    settle();
    combo->hidePopup();
}

std::function<bool(Reference&)> query(const char* sql)
{
    return [sql](Reference& r) { return r.readAll(sql); };
}

// The distinct exact values of a sale column, in the order of their first
// sale, `where` they meet the condition.
std::function<bool(Reference&)> distinctValues(const std::string& column, const std::string& where,
                                               const std::string& order = "MIN(ID)")
{
    return [=](Reference& r) {
        const std::string value = exact(r.engine(), column);
        std::string sql = "SELECT " + value + " FROM Mervalis2 WHERE " + where + " GROUP BY " + value + " ORDER BY ";
        // "{}" in the order stands for the value.
        const size_t at = order.find("{}");
        sql += at == std::string::npos ? order : order.substr(0, at) + value + order.substr(at + 2);
        return r.readAll(sql);
    };
}

void addStartAndTabs(std::vector<Action>& list)
{
    list.push_back({QStringLiteral("start to main window"), Goal::Start, nullptr,
                    [](Program& p) {
                        p.start();
                        settle();
                    },
                    nullptr, true});
    const char* const tabs[] = {"Company", "Client", "Sales", "Invoice", "Sales Grid", "Client Grid", "Analysis"};
    for (int tab = 1; tab < 7; ++tab) {
        list.push_back({QStringLiteral("tab change to %1").arg(QLatin1String(tabs[tab])), Goal::Action, nullptr,
                        [tab](Program& p) { showTab(p, tab); }, nullptr});
    }
}

void addSalesTab(std::vector<Action>& list)
{
    const auto onSalesTab = [](Program& p) { showTab(p, Form1::SalesIndex); };
    list.push_back({QStringLiteral("Sales: Client list"), Goal::Figures, onSalesTab,
                    [](Program& p) { openList(p.form1->salesTab->Combo1); },
                    query("SELECT ClientName FROM Mervalis")});
    list.push_back({QStringLiteral("Sales: company list"), Goal::Figures, onSalesTab,
                    [](Program& p) { openList(p.form1->salesTab->Combo14); },
                    query("SELECT CompanyName FROM Mervalis3")});
    list.push_back({QStringLiteral("Sales: Sales Rep list"), Goal::Figures, onSalesTab,
                    [](Program& p) { openList(p.form1->salesTab->Combo22); },
                    distinctValues("SalesRep", "SalesRep IS NOT NULL")});
    list.push_back({QStringLiteral("Sales: Marketing Tool list"), Goal::Figures, onSalesTab,
                    [](Program& p) { openList(p.form1->salesTab->Combo21); },
                    distinctValues("MarketingTool", "MarketingTool IS NOT NULL")});
    list.push_back({QStringLiteral("Sales: add a sale"), Goal::Action,
                    [](Program& p) {
                        showTab(p, Form1::SalesIndex);
                        SalesTab* tab = p.form1->salesTab;
                        openList(tab->Combo1);
                        tab->Combo1->setCurrentIndex(0);
                        tab->Combo1_Click();
                        openList(tab->Combo14);
                        tab->Combo14->setCurrentIndex(0);
                        tab->Text15->setText(QStringLiteral("19.99"));
                        tab->Text17->setText(QStringLiteral("3"));
                        tab->Text28->setText(QStringLiteral("BENCHADD"));
                        tab->Combo2->setEditText(QStringLiteral("Widget"));
                        tab->Combo22->setEditText(QStringLiteral("Ann"));
                        tab->Combo21->setEditText(QStringLiteral("Web"));
                    },
                    [](Program& p) {
                        p.form1->salesTab->Command1_Click();
                        settle();
                    },
                    nullptr});
}

void addInvoiceTab(std::vector<Action>& list)
{
    const auto onInvoiceTab = [](Program& p) { showTab(p, Form1::InvoiceIndex); };
    list.push_back({QStringLiteral("Invoice: Reference ID list"), Goal::Figures, onInvoiceTab,
                    [](Program& p) { openList(p.form1->invoiceTab->Combo4); },
                    distinctValues("ReferenceID", "ReferenceID <> ''", "LOWER(MIN({})), MIN(ID)")});
    list.push_back({QStringLiteral("Invoice: Reference ID list, Outstanding"), Goal::Figures,
                    [](Program& p) {
                        showTab(p, Form1::InvoiceIndex);
                        p.form1->invoiceTab->Check4->setChecked(true);
                    },
                    [](Program& p) { openList(p.form1->invoiceTab->Combo4); },
                    distinctValues("ReferenceID", "paid = 'unpaid' AND ReferenceID <> ''")});
    list.push_back({QStringLiteral("Invoice: billing company list"), Goal::Figures, onInvoiceTab,
                    [](Program& p) { openList(p.form1->invoiceTab->Combo5); },
                    query("SELECT CompanyName FROM Mervalis3")});
    const auto chooseInvoice = [](Program& p) {
        showTab(p, Form1::InvoiceIndex);
        p.form1->invoiceTab->Combo4->setEditText(QLatin1String(benchInvoice()));
    };
    list.push_back({QStringLiteral("Invoice: retrieve an invoice of 20 sales"), Goal::Figures, chooseInvoice,
                    [](Program& p) {
                        p.form1->invoiceTab->Combo4_Click();
                        settle();
                    },
                    query("SELECT * FROM Mervalis2 WHERE ReferenceID = 'BENCH20'")});
    // The Sales Grid then holds the invoice's sales, and the line beneath it
    // counts the table's.
    list.push_back({QStringLiteral("tab change to Sales Grid holding an invoice"), Goal::Figures,
                    [chooseInvoice](Program& p) {
                        chooseInvoice(p);
                        p.form1->invoiceTab->Combo4_Click();
                    },
                    [](Program& p) { showTab(p, Form1::SalesGridIndex); },
                    query("SELECT COUNT(*) FROM Mervalis2")});
    list.push_back({QStringLiteral("Invoice: mark it paid"), Goal::Action,
                    [chooseInvoice](Program& p) {
                        chooseInvoice(p);
                        p.form1->invoiceTab->Combo4_Click();
                    },
                    [](Program& p) {
                        p.form1->invoiceTab->Command34_Click();
                        settle();
                    },
                    nullptr});
}

// What is owed per reference ID, client and company, with the date of its
// earliest sale, paid or not, straight from the sales.
std::string owedQuery(Engine engine)
{
    const bool postgres = engine == Engine::PostgreSQL;
    const std::string owing = postgres ? "PAID IS DISTINCT FROM 'PAID'" : "PAID IS NOT 'PAID'";
    const std::string number = postgres ? "(CASE WHEN {} ~ '^[0-9]+$' THEN CAST(CAST({} AS TEXT) AS NUMERIC) END)"
                                        : "{}";
    const auto of = [&number](const std::string& column) {
        std::string text = number;
        for (size_t at; (at = text.find("{}")) != std::string::npos;) text.replace(at, 2, column);
        return text;
    };
    const std::string keys = postgres ? "lower(ReferenceID::text), lower(ClientName::text), "
                                        "lower(AssociatedCompany::text)"
                                      : "ReferenceID, ClientName, AssociatedCompany";
    return "SELECT MIN(ReferenceID), MIN(ClientName), MIN(AssociatedCompany), SUM(CASE WHEN " + owing +
           " THEN 1 ELSE 0 END), SUM(CASE WHEN " + owing + " THEN SubTotal END), MIN(" + of("Year") + " * 10000 + " +
           of("Month") + " * 100 + Day) FROM Mervalis2 GROUP BY " + keys + " HAVING SUM(CASE WHEN " + owing +
           " THEN 1 ELSE 0 END) > 0";
}

void addReceivables(std::vector<Action>& list)
{
    list.push_back({QStringLiteral("Receivables: Outstanding Invoices list"), Goal::Figures,
                    [](Program& p) { showTab(p, Form1::InvoiceIndex); },
                    [](Program& p) {
                        p.form1->invoiceTab->outstandingInvoicesButton->click();
                        settle();
                    },
                    [](Reference& r) { return r.readAll(owedQuery(r.engine())); }});
    list.push_back({QStringLiteral("Receivables: statement of 100 invoices"), Goal::Action,
                    [](Program& p) {
                        showTab(p, Form1::InvoiceIndex);
                        p.form1->invoiceTab->outstandingInvoicesButton->click();
                        OutstandingWindow* window = p.form1->outstandingWindow();
                        window->clientFilter->setEditText(QLatin1String(benchStatementClient()));
                        openList(window->billingCompany);
                        window->billingCompany->setCurrentIndex(0);
                        settle();
                    },
                    [](Program& p) {
                        p.form1->outstandingWindow()->statement_Click();
                        settle();
                    },
                    nullptr});
}

void addGrids(std::vector<Action>& list)
{
    const auto onSalesGrid = [](Program& p) { showTab(p, Form1::SalesGridIndex); };
    const auto onClientGrid = [](Program& p) { showTab(p, Form1::ClientGridIndex); };
    list.push_back({QStringLiteral("Refresh View"), Goal::Action, onSalesGrid,
                    [](Program& p) {
                        p.form1->salesGridTab->Command3_Click();
                        settle();
                    },
                    nullptr});
    list.push_back({QStringLiteral("View All Records"), Goal::Action, onSalesGrid,
                    [](Program& p) {
                        p.form1->salesGridTab->Command16_Click();
                        settle();
                    },
                    nullptr});
    list.push_back({QStringLiteral("Sales Grid scrolled to its last row"), Goal::Action, onSalesGrid,
                    [](Program& p) {
                        p.form1->salesGridTab->DataGrid2->scrollToBottom();
                        settle();
                    },
                    nullptr});
    list.push_back({QStringLiteral("Client Grid scrolled to its last row"), Goal::Action, onClientGrid,
                    [](Program& p) {
                        p.form1->clientGridTab->DataGrid1->scrollToBottom();
                        settle();
                    },
                    nullptr});
    const char* const salesFields[] = {"ClientName", "ProductService", "SellDate", "SalesRep",
                                       "ReferenceID", "TotalDue",     "ID",       "Year"};
    for (const char* field : salesFields) {
        list.push_back({QStringLiteral("Sales Grid sorted by %1").arg(QLatin1String(field)), Goal::Action,
                        onSalesGrid,
                        [field](Program& p) {
                            SalesGridTab* tab = p.form1->salesGridTab;
                            tab->Combo12->setCurrentText(QLatin1String(field));
                            tab->Combo12_Click();
                            tab->DataGrid2->scrollToBottom();
                            settle();
                        },
                        nullptr});
    }
    list.push_back({QStringLiteral("Client Grid sorted by City"), Goal::Action, onClientGrid,
                    [](Program& p) {
                        ClientGridTab* tab = p.form1->clientGridTab;
                        tab->Combo13->setCurrentText(QStringLiteral("City"));
                        tab->Combo13_Click();
                        settle();
                    },
                    nullptr});
}

void addWholeTable(std::vector<Action>& list)
{
    // Every value of every sale read through the sales data control, as a
    // handler walking it does, against the C API reading the same.
    list.push_back({QStringLiteral("every sale read through Adodc2"), Goal::WholeTable, nullptr,
                    [](Program& p) {
                        DataControl& sales = p.context.adodc2;
                        sales.query(QStringLiteral("SELECT * FROM Mervalis2"));
                        size_t bytes = 0;
                        for (sales.moveFirst(); !sales.eof(); sales.moveNext()) {
                            for (int c = 0; c < sales.rows().columnCount(); ++c) {
                                bytes += sales.rows().raw(sales.currentRow(), c).size();
                            }
                        }
                        if (bytes == 0) qWarning("no sale was read");
                    },
                    query("SELECT * FROM Mervalis2")});
    // The same through the ODBC driver alone, every value into bound
    // buffers and nothing kept: what reading through ODBC costs at least.
    list.push_back({QStringLiteral("every sale through the ODBC driver alone"), Goal::Context, nullptr,
                    [](Program&) { readThroughDriver((QStringLiteral("DSN=Mervalis") + Database::driverSettings()).toUtf8().constData(),
                                                          "SELECT * FROM Mervalis2"); },
                    query("SELECT * FROM Mervalis2"), true});
}

}  // namespace

std::vector<Action> actions()
{
    std::vector<Action> list;
    addStartAndTabs(list);
    addSalesTab(list);
    addInvoiceTab(list);
    addReceivables(list);
    addGrids(list);
    addAnalysis(list);
    addWholeTable(list);
    return list;
}

}  // namespace mervalis::bench
