#include "setup/kept_figures.h"

#include "data/kept_figures.h"
#include "data/sql.h"

#include <QList>

namespace mervalis::setup {

namespace {

// One grouping of the sales (see data/kept_figures.h).
struct Grouping {
    QString field;
    QString value;      // the sale column of Value
    bool dated;         // Year and Month too
    QString counted;    // the sale column of Counted, or none
    bool firstUnpaid;   // FirstUnpaidID kept
    QString lead;       // the sale column whose index finds the group's sales
    // Texts that compare equal (NOCASE, citext) share a row, spelt as its
    // first sale: each row is one distinct text counted under a value.
    bool folded() const { return !counted.isEmpty(); }
    // The rows under each value are counted in a row of their own
    // (kept_figures::countOf()).
    bool countedPerValue = false;
    // What is owed (kept_figures::receivables()): keyed by the company too,
    // unpaid as the receivables count it, with the unpaid sales' Due and the
    // date of the earliest sale, paid or not.
    bool receivable = false;
};

const QList<Grouping>& groupings()
{
    static const QList<Grouping> all = [] {
        using namespace kept_figures;
        const QString client = QStringLiteral("ClientName");
        const QString reference = QStringLiteral("ReferenceID");
        const QString rep = QStringLiteral("SalesRep");
        QList<Grouping> list;
        for (const QString& column : comparedColumns()) list.append({byColumn(column), column, true, {}, false, column});
        for (const QString& column : profileColumns()) {
            list.append({distinctUnder(column, client), column, false, client, false, client});
        }
        list.append({distinctUnder(rep, reference), rep, false, reference, false, reference, true});
        list.append({byReferenceId(), reference, false, {}, true, reference});
        list.append({receivables(), reference, false, client, false, reference, false, true});
        return list;
    }();
    return all;
}

// The sale columns of a grouping's key, with the kept column each fills.
QList<QPair<QString, QString>> keyColumns(const Grouping& g)
{
    QList<QPair<QString, QString>> keys{{QStringLiteral("Value"), g.value}};
    if (g.dated) keys << qMakePair(QStringLiteral("Year"), QStringLiteral("Year"))
                      << qMakePair(QStringLiteral("Month"), QStringLiteral("Month"));
    if (!g.counted.isEmpty()) keys << qMakePair(QStringLiteral("Counted"), g.counted);
    if (g.receivable) keys << qMakePair(QStringLiteral("Company"), QStringLiteral("AssociatedCompany"));
    return keys;
}

const QStringList kKeptColumns{QStringLiteral("Value"), QStringLiteral("Year"), QStringLiteral("Month"),
                               QStringLiteral("Counted"), QStringLiteral("Company")};

class Writer {
public:
    Writer(Engine engine, QString schema) : postgres_(engine == Engine::PostgreSQL), schema_(std::move(schema)) {}

    // The row's key as one exact text: the field and every key text quoted
    // (NULL told from any text); on PostgreSQL its MD5, which a B-tree holds
    // however long the texts are. `of` maps a sale column to an expression.
    template <typename Of>
    QString grain(const Grouping& g, Of of) const
    {
        QStringList parts{quoted(g.field + QLatin1Char(':'))};
        for (const auto& key : keyColumns(g)) {
            QString text = postgres_ ? QStringLiteral("CAST(%1 AS TEXT)").arg(of(key.second)) : of(key.second);
            // SQLite's LOWER folds A to Z as NOCASE does; PostgreSQL's as citext.
            if (g.folded()) text = QStringLiteral("LOWER(%1)").arg(text);
            parts << (postgres_ ? QStringLiteral("quote_nullable(%1)") : QStringLiteral("quote(%1)")).arg(text);
        }
        const QString text = parts.join(QStringLiteral(" || "));
        return postgres_ ? QStringLiteral("md5(%1)").arg(text) : text;
    }

    QString units(const QString& row) const
    {
        // A sale's income in ten-thousandths, as a whole number: on
        // PostgreSQL of any size, so that no total is ever refused.
        // On SQLite one of 900 billion or more stays a real number rather
        // than turn into the largest whole one.
        return (postgres_ ? QStringLiteral("COALESCE(ROUND(%1SubTotal * 10000), 0)")
                          : QStringLiteral("COALESCE(CASE WHEN ABS(%1SubTotal) < 9e14 THEN CAST(ROUND(%1SubTotal * "
                                           "10000) AS BIGINT) ELSE ROUND(%1SubTotal * 10000) END, 0)"))
            .arg(row);
    }
    QString totaled(const QString& row) const
    {
        return QStringLiteral("CASE WHEN %1SubTotal IS NULL THEN 0 ELSE 1 END").arg(row);
    }
    QString unpaid(const QString& row, const Grouping* g = nullptr) const
    {
        // The receivables owe every sale not "PAID" (sales_table::unpaid()).
        if (g && g->receivable) {
            return QStringLiteral("CASE WHEN %1PAID %2 'PAID'%3 THEN 1 ELSE 0 END")
                .arg(row, postgres_ ? QStringLiteral("IS DISTINCT FROM") : QStringLiteral("IS NOT"),
                     postgres_ ? QString() : QStringLiteral(" COLLATE NOCASE"));
        }
        return QStringLiteral("CASE WHEN %1PAID = 'unpaid'%2 THEN 1 ELSE 0 END")
            .arg(row, postgres_ ? QString() : QStringLiteral(" COLLATE NOCASE"));
    }
    // The unpaid sales' income, kept for what is owed.
    QString due(const Grouping& g, const QString& row) const
    {
        if (!g.receivable) return QStringLiteral("NULL");
        return QStringLiteral("CASE WHEN (%1) = 1 THEN %2 ELSE 0 END").arg(unpaid(row, &g), units(row));
    }
    // The sale's date as yyyymmdd, as the receivables read it: a Year or
    // Month that is no number makes 0 on SQLite and none on PostgreSQL.
    QString dateKey(const Grouping& g, const QString& row) const
    {
        if (!g.receivable) return QStringLiteral("NULL");
        if (!postgres_) return QStringLiteral("(%1Year * 10000 + %1Month * 100 + %1Day)").arg(row);
        return QStringLiteral("(%1 * 10000 + %2 * 100 + %3Day)")
            .arg(wholeNumberOf(row + QStringLiteral("Year"), true), wholeNumberOf(row + QStringLiteral("Month"), true),
                 row);
    }

    // The ID of the next sale of the group of the sale `row` (OLD): the
    // lowest above it holding the same texts; unpaid only, when asked.
    QString next(const Grouping& g, bool unpaidOnly) const
    {
        return ofGroup(g, QStringLiteral("s.ID"),
                       QStringLiteral(" AND s.ID > OLD.ID") +
                           (unpaidOnly ? QStringLiteral(" AND s.PAID = 'unpaid'") : QString()),
                       QStringLiteral(" ORDER BY s.ID LIMIT 1"));
    }

    // A statement over the sales of OLD's group as they now stand: `what`
    // of those meeting `more`, then `tail`.
    QString ofGroup(const Grouping& g, const QString& what, const QString& more, const QString& tail) const
    {
        // Folded rows hold texts that compare equal; the others exact ones.
        const QString same = g.folded() ? (postgres_ ? QStringLiteral("s.%1 IS NOT DISTINCT FROM OLD.%1")
                                                     : QStringLiteral("s.%1 IS OLD.%1"))
                                        : (postgres_ ? QStringLiteral("CAST(s.%1 AS TEXT) IS NOT DISTINCT FROM "
                                                                      "CAST(OLD.%1 AS TEXT)")
                                                     : QStringLiteral("(s.%1 || '') IS (OLD.%1 || '')"));
        QStringList rest;
        for (const auto& key : keyColumns(g)) {
            if (key.second != g.lead) rest << same.arg(key.second);
        }
        const QString others =
            (rest.isEmpty() ? QString() : QStringLiteral(" AND ") + rest.join(QStringLiteral(" AND "))) + more;
        // The lead column's index finds the group's sales; the ones without
        // a value have none.
        const auto search = [&](const QString& lead) {
            return QStringLiteral("(SELECT %1 FROM Mervalis2 s WHERE %2%3%4)").arg(what, lead, others, tail);
        };
        const QString equal = g.folded() ? QStringLiteral("s.%1 = OLD.%1") : QStringLiteral("(s.%1 || '') = (OLD.%1 || '')");
        return QStringLiteral("CASE WHEN OLD.%1 IS NULL THEN %2 ELSE %3 END")
            .arg(g.lead, search(QStringLiteral("s.%1 IS NULL").arg(g.lead)), search(equal.arg(g.lead)));
    }

    // Takes the sale OLD out of its row of the grouping.
    QStringList remove(const Grouping& g) const
    {
        const QString key = grain(g, [](const QString& c) { return QStringLiteral("OLD.") + c; });
        QString set = QStringLiteral("Sales = Sales - 1, Totaled = Totaled - (%1), Income = Income - %2, "
                                     "Unpaid = Unpaid - (%3), FirstID = CASE WHEN FirstID = OLD.ID THEN %4 ELSE "
                                     "FirstID END")
                          .arg(totaled(QStringLiteral("OLD.")), units(QStringLiteral("OLD.")),
                               unpaid(QStringLiteral("OLD."), &g), next(g, false));
        if (g.receivable) {
            // The earliest date is looked for anew when it was OLD's.
            const QString old = dateKey(g, QStringLiteral("OLD."));
            set += QStringLiteral(", Due = Due - (%1), FirstDate = CASE WHEN FirstDate = %2 THEN %3 ELSE FirstDate END")
                       .arg(due(g, QStringLiteral("OLD.")), old,
                            ofGroup(g, QStringLiteral("MIN(%1)").arg(dateKey(g, QStringLiteral("s."))), {}, {}));
        }
        if (g.firstUnpaid) {
            set += QStringLiteral(", FirstUnpaidID = CASE WHEN FirstUnpaidID = OLD.ID THEN %1 ELSE FirstUnpaidID END")
                       .arg(next(g, true));
        }
        // A folded row is spelt as its new first sale.
        for (const auto& key : keyColumns(g)) {
            if (!g.folded()) break;
            set += QStringLiteral(", %1 = CASE WHEN FirstID = OLD.ID THEN COALESCE((SELECT f.%2 FROM Mervalis2 f "
                                  "WHERE f.ID = %3), %1) ELSE %1 END")
                       .arg(key.first, key.second, next(g, false));
        }
        QStringList statements{
            QStringLiteral("UPDATE %1 SET %2 WHERE Grain = %3").arg(kept_figures::table(), set, key),
            QStringLiteral("DELETE FROM %1 WHERE Grain = %2 AND Sales <= 0").arg(kept_figures::table(), key)};
        if (g.countedPerValue) statements << countRemoved(g, key);
        return statements;
    }

    // The row counting the rows under the value `value` (an expression).
    QString countRow(const Grouping& g, const QString& value) const
    {
        const QString text = postgres_ ? QStringLiteral("LOWER(CAST(%1 AS TEXT))") : QStringLiteral("LOWER(%1)");
        const QString quote = postgres_ ? QStringLiteral("quote_nullable(%1)") : QStringLiteral("quote(%1)");
        const QString key = quoted(kept_figures::countOf(g.value, g.counted) + QLatin1Char(':')) +
                            QStringLiteral(" || ") + quote.arg(text.arg(value));
        return postgres_ ? QStringLiteral("md5(%1)").arg(key) : key;
    }

    // A new row under the value of NEW is counted; one gone under OLD's no
    // longer. The sale's own row is looked up by `grain`.
    QString countAdded(const Grouping& g, const QString& grain) const
    {
        const QString t = kept_figures::table();
        return QStringLiteral("INSERT INTO %1 (Grain, Field, Value, Sales, Totaled, Income, Unpaid) SELECT %2, %3, "
                              "NEW.%4, 1, 0, 0, 0 WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE Grain = %5) ON CONFLICT "
                              "(Grain) DO UPDATE SET Sales = %1.Sales + 1")
            .arg(t, countRow(g, QStringLiteral("NEW.") + g.value), quoted(kept_figures::countOf(g.value, g.counted)),
                 g.value, grain);
    }
    QStringList countRemoved(const Grouping& g, const QString& grain) const
    {
        const QString t = kept_figures::table();
        const QString row = countRow(g, QStringLiteral("OLD.") + g.value);
        return {QStringLiteral("UPDATE %1 SET Sales = Sales - 1 WHERE Grain = %2 AND NOT EXISTS (SELECT 1 FROM %1 "
                               "WHERE Grain = %3)")
                    .arg(t, row, grain),
                QStringLiteral("DELETE FROM %1 WHERE Grain = %2 AND Sales <= 0").arg(t, row)};
    }

    // Grain, Field, Value, Year, Month and Counted of the row of the sale
    // `row` ("NEW." or an alias).
    QStringList keyValues(const Grouping& g, const QString& row) const
    {
        QStringList values{grain(g, [&](const QString& c) { return row + c; }), quoted(g.field)};
        const auto keys = keyColumns(g);
        for (const QString& column : kKeptColumns) {
            QString value = QStringLiteral("NULL");
            for (const auto& k : keys) {
                if (k.first == column) value = row + k.second;
            }
            values << value;
        }
        return values;
    }

    // Adds the sale NEW to its row of the grouping.
    QString add(const Grouping& g) const
    {
        const QString t = kept_figures::table();
        QStringList values = keyValues(g, QStringLiteral("NEW."));
        values << QStringLiteral("1") << totaled(QStringLiteral("NEW.")) << units(QStringLiteral("NEW."))
               << unpaid(QStringLiteral("NEW."), &g) << QStringLiteral("NEW.ID")
               << (g.firstUnpaid ? QStringLiteral("CASE WHEN %1 = 1 THEN NEW.ID END").arg(unpaid(QStringLiteral("NEW.")))
                                 : QStringLiteral("NULL"))
               << due(g, QStringLiteral("NEW.")) << dateKey(g, QStringLiteral("NEW."));
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(t, columns().join(QStringLiteral(", ")), values.join(QStringLiteral(", "))) +
               merged();
    }

    // New sales added to a row that exists already.
    QString merged() const
    {
        const QString t = kept_figures::table();
        const QString spelling =
            QStringLiteral("CASE WHEN excluded.FirstID < %1.FirstID THEN excluded.%2 ELSE %1.%2 END");
        const QString lowest = postgres_ ? QStringLiteral("LEAST(%1.%2, EXCLUDED.%2)")
                                         : QStringLiteral("COALESCE(MIN(%1.%2, excluded.%2), %1.%2, excluded.%2)");
        // A sale that comes before the row's first (an ID written by hand)
        // gives a folded row its spelling.
        return QStringLiteral(" ON CONFLICT (Grain) DO UPDATE SET "
                              "Sales = %1.Sales + excluded.Sales, Totaled = %1.Totaled + excluded.Totaled, "
                              "Income = %1.Income + excluded.Income, Unpaid = %1.Unpaid + excluded.Unpaid, "
                              "FirstID = %2, FirstUnpaidID = %3, Value = %4, Counted = %5, Company = %6, "
                              "Due = %1.Due + excluded.Due, FirstDate = %7")
            .arg(t, lowest.arg(t, QStringLiteral("FirstID")), lowest.arg(t, QStringLiteral("FirstUnpaidID")),
                 spelling.arg(t, QStringLiteral("Value")), spelling.arg(t, QStringLiteral("Counted")),
                 spelling.arg(t, QStringLiteral("Company")), lowest.arg(t, QStringLiteral("FirstDate")));
    }

    // PostgreSQL: the sales of one statement (the transition table `added`)
    // added to the grouping at once, a row per group, as add() adds each:
    // the rows under a value are counted first.
    QStringList addedAtOnce(const Grouping& g, const QString& added) const
    {
        QStringList statements;
        if (g.countedPerValue) {
            const QString t = kept_figures::table();
            statements << QStringLiteral("INSERT INTO %1 (Grain, Field, Value, Sales, Totaled, Income, Unpaid) "
                                         "SELECT %2, %3, MIN(x.v), COUNT(*), 0, 0, 0 FROM (SELECT %4 AS grain, "
                                         "MIN(s.%5) AS v FROM %6 s GROUP BY 1) AS x WHERE NOT EXISTS (SELECT 1 FROM "
                                         "%1 WHERE Grain = x.grain) GROUP BY LOWER(CAST(x.v AS TEXT)) ON CONFLICT "
                                         "(Grain) DO UPDATE SET Sales = %1.Sales + excluded.Sales")
                              .arg(t, countRow(g, QStringLiteral("MIN(x.v)")),
                                   quoted(kept_figures::countOf(g.value, g.counted)),
                                   grain(g, [](const QString& c) { return QStringLiteral("s.") + c; }), g.value,
                                   added);
        }
        return statements << fill(g, added) + merged();
    }

    // Fills the grouping's rows from the stored sales, each row spelt as its
    // first sale.
    QString fill(const Grouping& g, QString sales = QString()) const
    {
        if (sales.isEmpty()) sales = schema_ + QStringLiteral("Mervalis2");
        const auto exact = [this](const QString& c) {
            return postgres_ ? QStringLiteral("CAST(%1 AS TEXT)").arg(c) : QStringLiteral("(%1 || '')").arg(c);
        };
        QStringList values = keyValues(g, QStringLiteral("s."));
        QStringList groups;
        for (const auto& k : keyColumns(g)) groups << (g.folded() ? k.second : exact(k.second));
        values << QStringLiteral("g.n") << QStringLiteral("g.totaled") << QStringLiteral("g.income")
               << QStringLiteral("g.unpaid") << QStringLiteral("g.first") << QStringLiteral("g.firstUnpaid")
               << QStringLiteral("g.due") << QStringLiteral("g.firstDate");
        const QString none = QStringLiteral("CAST(NULL AS NUMERIC)");
        const QString figures =
            QStringLiteral("COUNT(*) AS n, COUNT(SubTotal) AS totaled, SUM(%1) AS income, SUM(%2) AS unpaid, "
                           "MIN(ID) AS first, %3 AS firstUnpaid, %4 AS due, %5 AS firstDate")
                .arg(units(QString()), unpaid(QString(), &g),
                     g.firstUnpaid ? QStringLiteral("MIN(CASE WHEN %1 = 1 THEN ID END)").arg(unpaid(QString()))
                                   : QStringLiteral("CAST(NULL AS INTEGER)"),
                     g.receivable ? QStringLiteral("SUM(%1)").arg(due(g, QString())) : none,
                     g.receivable ? QStringLiteral("MIN(%1)").arg(dateKey(g, QString())) : none);
        return QStringLiteral("INSERT INTO %1%2 (%3) SELECT %4 FROM (SELECT %5 FROM %7 GROUP BY %6) AS g "
                              "JOIN %7 s ON s.ID = g.first")
            .arg(schema_, kept_figures::table(), columns().join(QStringLiteral(", ")),
                 values.join(QStringLiteral(", ")), figures, groups.join(QStringLiteral(", ")), sales);
    }

    static QStringList columns()
    {
        return {QStringLiteral("Grain"),    QStringLiteral("Field"),   QStringLiteral("Value"),
                QStringLiteral("Year"),     QStringLiteral("Month"),   QStringLiteral("Counted"),
                QStringLiteral("Company"),  QStringLiteral("Sales"),   QStringLiteral("Totaled"),
                QStringLiteral("Income"),   QStringLiteral("Unpaid"),  QStringLiteral("FirstID"),
                QStringLiteral("FirstUnpaidID"), QStringLiteral("Due"), QStringLiteral("FirstDate")};
    }

    // The sale columns whose change moves a sale to another row.
    static QStringList watchedColumns()
    {
        QStringList watched{QStringLiteral("ID"),       QStringLiteral("Year"), QStringLiteral("Month"),
                            QStringLiteral("Day"),      QStringLiteral("SubTotal"), QStringLiteral("PAID")};
        for (const Grouping& g : groupings()) {
            for (const QString& c : {g.value, g.counted}) {
                if (!c.isEmpty() && !watched.contains(c)) watched << c;
            }
        }
        return watched;
    }

    QStringList removeAll() const
    {
        QStringList statements;
        for (const Grouping& g : groupings()) statements << remove(g);
        return statements;
    }
    QStringList addAll() const
    {
        QStringList statements;
        for (const Grouping& g : groupings()) {
            if (g.countedPerValue) {
                statements << countAdded(g, grain(g, [](const QString& c) { return QStringLiteral("NEW.") + c; }));
            }
            statements << add(g);
        }
        return statements;
    }

    // Counts the rows under each value, once they are filled.
    QString fillCounts(const Grouping& g) const
    {
        return QStringLiteral("INSERT INTO %1%2 (Grain, Field, Value, Sales, Totaled, Income, Unpaid) SELECT %3, %4, "
                              "MIN(Value), COUNT(*), 0, 0, 0 FROM %1%2 WHERE Field = %5 GROUP BY Value")
            .arg(schema_, kept_figures::table(), countRow(g, QStringLiteral("MIN(Value)")),
                 quoted(kept_figures::countOf(g.value, g.counted)), quoted(g.field));
    }

private:
    bool postgres_;
    QString schema_;
};

QString body(const QStringList& statements)
{
    QString text;
    for (const QString& s : statements) text += s + QStringLiteral("; ");
    return text;
}

const char* const kSqliteTriggers[] = {"MervalisFigures_Insert", "MervalisFigures_Update", "MervalisFigures_Delete"};

}  // namespace

QStringList keptTableStatements(Engine engine, const QString& schema)
{
    const QString t = kept_figures::table();
    const bool postgres = engine == Engine::PostgreSQL;
    // On PostgreSQL no typed text goes into a B-tree, which refuses values
    // over 2,700 bytes.
    const QString text = postgres ? QStringLiteral("CITEXT") : QStringLiteral("VARCHAR(255) COLLATE NOCASE");
    const QString number = postgres ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    const QString income = postgres ? QStringLiteral("NUMERIC") : QStringLiteral("INTEGER");
    QStringList statements{
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1%2 (Grain TEXT PRIMARY KEY, Field TEXT NOT NULL, Value %3, "
                       "Year %3, Month %3, Counted %3, Company %3, Sales %4 NOT NULL, Totaled %4 NOT NULL, Income %5 "
                       "NOT NULL, Unpaid %4 NOT NULL, FirstID INTEGER, FirstUnpaidID INTEGER, Due %5, FirstDate %5)")
            .arg(schema, t, text, number, income)};
    const auto index = [&](const char* name, const QString& columns) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1%2_%3 ON %2 (%4)")
                          .arg(schema, t, QLatin1String(name), columns);
    };
    index("First", QStringLiteral("Field, FirstID"));
    index("FirstUnpaid", QStringLiteral("Field, FirstUnpaidID"));
    // The invoices owed (kept_figures::receivables()); SQLite reads them
    // from here alone.
    statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1%2_Owed ON %2 (Field, Unpaid%3) WHERE Field = %4")
                      .arg(schema, t,
                           postgres ? QString() : QStringLiteral(", Counted, Value, Company, Due, FirstDate"),
                           quoted(kept_figures::receivables()));
    // The reference IDs in the order of their list (sales_table::referenceIds()).
    if (postgres) {
        index("Order", QStringLiteral("Field, LEFT(LOWER(Value || ''), 200)"));
        return statements;
    }
    // The distinct texts counted under each value, read from here alone.
    index("Counted", QStringLiteral("Field, Value, Counted, FirstID"));
    index("Order", QStringLiteral("Field, LOWER(Value || ''), FirstID, Value"));
    return statements;
}

QStringList keptTriggerStatements(Engine engine, const QString& schema)
{
    const Writer writer(engine, schema);
    const QString watched = Writer::watchedColumns().join(QStringLiteral(", "));
    if (engine == Engine::PostgreSQL) {
        // Sales inserted are added a statement at a time: a row of the
        // figures changed again and again within one transaction is found
        // more slowly each time, as PostgreSQL keeps every version of it.
        const QString function =
            QStringLiteral("BEGIN %1RETURN NULL; END").arg(body(writer.removeAll()) +
                                                          QStringLiteral("IF TG_OP = 'UPDATE' THEN %1END IF; ")
                                                              .arg(body(writer.addAll())));
        QStringList added;
        for (const Grouping& g : groupings()) added << writer.addedAtOnce(g, QStringLiteral("added"));
        return {QStringLiteral("CREATE OR REPLACE FUNCTION MervalisFigures_kept() RETURNS trigger LANGUAGE plpgsql "
                               "AS %1")
                    .arg(quoted(function)),
                QStringLiteral("CREATE OR REPLACE FUNCTION MervalisFigures_added() RETURNS trigger LANGUAGE plpgsql "
                               "AS %1")
                    .arg(quoted(QStringLiteral("BEGIN %1RETURN NULL; END").arg(body(added)))),
                QStringLiteral("CREATE TRIGGER MervalisFigures_added AFTER INSERT ON Mervalis2 REFERENCING NEW TABLE "
                               "AS added FOR EACH STATEMENT EXECUTE FUNCTION MervalisFigures_added()"),
                QStringLiteral("CREATE OR REPLACE FUNCTION MervalisFigures_emptied() RETURNS trigger LANGUAGE "
                               "plpgsql AS 'BEGIN DELETE FROM MervalisFigures; RETURN NULL; END'"),
                QStringLiteral("CREATE TRIGGER MervalisFigures_kept AFTER DELETE OR UPDATE OF %1 ON "
                               "Mervalis2 FOR EACH ROW EXECUTE FUNCTION MervalisFigures_kept()")
                    .arg(watched),
                QStringLiteral("CREATE TRIGGER MervalisFigures_emptied AFTER TRUNCATE ON Mervalis2 FOR EACH "
                               "STATEMENT EXECUTE FUNCTION MervalisFigures_emptied()")};
    }
    return {QStringLiteral("CREATE TRIGGER %1%2 AFTER INSERT ON Mervalis2 BEGIN %3END")
                .arg(schema, QLatin1String(kSqliteTriggers[0]), body(writer.addAll())),
            QStringLiteral("CREATE TRIGGER %1%2 AFTER UPDATE OF %3 ON Mervalis2 BEGIN %4%5END")
                .arg(schema, QLatin1String(kSqliteTriggers[1]), watched, body(writer.removeAll()),
                     body(writer.addAll())),
            QStringLiteral("CREATE TRIGGER %1%2 AFTER DELETE ON Mervalis2 BEGIN %3END")
                .arg(schema, QLatin1String(kSqliteTriggers[2]), body(writer.removeAll()))};
}

QStringList dropKeptTriggerStatements(Engine engine, const QString& schema)
{
    if (engine == Engine::PostgreSQL) {
        return {QStringLiteral("DROP TRIGGER IF EXISTS MervalisFigures_kept ON Mervalis2"),
                QStringLiteral("DROP TRIGGER IF EXISTS MervalisFigures_added ON Mervalis2"),
                QStringLiteral("DROP TRIGGER IF EXISTS MervalisFigures_emptied ON Mervalis2")};
    }
    QStringList statements;
    for (const char* name : kSqliteTriggers) {
        statements << QStringLiteral("DROP TRIGGER IF EXISTS %1%2").arg(schema, QLatin1String(name));
    }
    return statements;
}

QStringList refillKeptStatements(Engine engine, const QString& schema)
{
    const Writer writer(engine, schema);
    QStringList statements{QStringLiteral("DELETE FROM %1%2").arg(schema, kept_figures::table())};
    for (const Grouping& g : groupings()) statements << writer.fill(g);
    for (const Grouping& g : groupings()) {
        if (g.countedPerValue) statements << writer.fillCounts(g);
    }
    return statements;
}

QStringList keepFiguresStatements(Engine engine, bool tableExists, bool countsAgree)
{
    // A table an earlier version made is made anew.
    QStringList statements = dropKeptTriggerStatements(engine);
    if (!tableExists) statements << QStringLiteral("DROP TABLE IF EXISTS %1").arg(kept_figures::table());
    statements += keptTableStatements(engine, QString());
    if (!tableExists || !countsAgree) statements += refillKeptStatements(engine);
    return statements + keptTriggerStatements(engine);
}

QString keptTableExistsQuery(Engine engine)
{
    // The table as this version keeps it: with the date of what is owed.
    return engine == Engine::PostgreSQL
               ? QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = "
                                "current_schema() AND table_name = 'mervalisfigures' AND column_name = 'firstdate'")
               : QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('MervalisFigures') WHERE name = 'FirstDate'");
}

QString keptCountsAgreeQuery()
{
    return QStringLiteral("SELECT CASE WHEN (SELECT COUNT(*) FROM Mervalis2) = (SELECT COALESCE(SUM(Sales), 0) FROM "
                          "MervalisFigures WHERE Field = %1) THEN 1 ELSE 0 END")
        .arg(quoted(kept_figures::allSales()));
}

}  // namespace mervalis::setup
