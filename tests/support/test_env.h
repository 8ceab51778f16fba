#pragma once

#include "data/app_context.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "data/installation.h"
#include "data/store.h"
#include "setup/sample_data.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <initializer_list>
#include <ostream>
#include <memory>
#include <vector>

// Lets GoogleTest print texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace mervalis::test {

// Records every box and answers questions from a script (Yes and OK when
// the script is empty).
class ScriptedDialogs final : public DialogService {
public:
    struct Shown {
        QString text;
        Icon icon;
        Buttons buttons;
        QString caption;
    };

    Answer show(const QString& text, Icon icon, Buttons buttons, const QString& caption) override;
    // Answers with the next scripted file name (a cancel when none is left)
    // and records the proposed path.
    QString askSaveFileName(const QString& caption, const QString& proposedPath, const QString& filter) override;

    void answerFileName(const QString& path) { fileNames_.push_back(path); }
    // The paths proposed by the file questions asked so far.
    QStringList proposedFiles;

    void answer(Answer next) { answers_.push_back(next); }
    void answer(std::initializer_list<Answer> next) { answers_.insert(answers_.end(), next); }
    void answerNo() { answer(Answer::No); }
    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    QString last() const { return shown_.empty() ? QString() : shown_.back().text; }
    void clear() { shown_.clear(); }
    // The texts shown so far, forgetting them.
    QStringList take();

private:
    std::deque<Answer> answers_;
    std::deque<QString> fileNames_;
    std::vector<Shown> shown_;
};

// Records the anchors opened.
class RecordingHelp final : public HelpLauncher {
public:
    void open(const QString& anchor) override { anchors << anchor; }
    QStringList anchors;
};

// A private world for one test: a temporary program folder holding a new
// database made by the installation's own schema code, ODBC ini files that
// register the SQLite driver and the data source "Mervalis" for it, and an
// empty per-user settings folder.
//
// With MERVALIS_TEST_POSTGRES set to a libpq connection text of a
// PostgreSQL superuser (scripts/test.sh sets it for the run on a throwaway
// cluster), the data source "Mervalis" points at a PostgreSQL database of the
// test's own instead, made by the installation's own code and dropped at the
// end; exec, scalar and rows then work on it. The SQLite file is made all
// the same, for the tests of things only a SQLite ledger has.
class TestEnvironment {
public:
    // `registerDataSource` false leaves odbc.ini empty (start-up tests, which
    // register the SQLite data source: always on SQLite).
    explicit TestEnvironment(bool registerDataSource = true);
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    // True when this test run works on PostgreSQL.
    static bool postgresRun();
    // True when the data source of this environment is on PostgreSQL.
    bool onPostgres() const { return !postgresDatabase_.isEmpty(); }
    // The libpq connection text of this environment's PostgreSQL database.
    QString postgresConnection() const;

    QString programFolder() const;
    QString odbcFolder() const;
    QString databasePath() const;
    // Paths of files in the temporary root, the program folder and the ini folder.
    QString file(const QString& name) const;
    QString programFile(const QString& name) const;
    QString odbcFile(const QString& name) const;
    Installation installation() const;

    static QString sqliteDriverPath();

    // Runs SQL straight on the ledger's database, around the data source
    // (SQLite's or libpq's own API).
    void exec(const QString& sql) const;
    QString scalar(const QString& sql) const;
    // Rows as "a|b|c" texts.
    QStringList rows(const QString& sql) const;
    // Makes the database refuse every change of a row of `table` with the
    // reason "ledger is locked", on the engine of this environment, and
    // takes that back.
    void refuseUpdates(const QString& table) const;
    void allowUpdates(const QString& table) const;
    // SQL giving the storage kind of a value on SQLite ("text", "real"), the
    // column's type on PostgreSQL ("citext", "numeric").
    QString kindOf(const QString& column) const;
    // Fills the ledger with a sample ledger (setup::fillSampleLedger, or its
    // copy onto PostgreSQL).
    bool fillSampleLedger(const setup::SampleLedger& size, QString* error) const;
    // SQL for a text of `count` (an SQL expression) times `letter`, on the
    // engine of this environment.
    QString repeated(char letter, const QString& count) const;

private:
    void makePostgresDatabase();
    QTemporaryDir dir_;
    QString postgresDatabase_;
};

// A test environment plus everything a window or tab needs.
class TestLedger {
public:
    explicit TestLedger(bool registerDataSource = true);

    TestEnvironment env;
    ScriptedDialogs dialogs;
    RecordingHelp help;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<Store> store;
    std::unique_ptr<AppContext> context;
};

// Rows of a query on any SQLite file, as "a|b|c" texts (NULL as "<null>").
QStringList rowsIn(const QString& databaseFile, const QString& sql);

// Makes sure a QApplication exists (offscreen in tests), and sets the
// umask to the usual 022.
void ensureApplication();

}  // namespace mervalis::test
