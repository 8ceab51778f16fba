#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

namespace mervalis {

struct AppContext;
struct Installation;
class Form1;
class Form4;

// The splash window. Its loading does all the start-up work and it is closed
// again before it is ever shown: in a network installation it makes sure the
// shared folder is there, it makes sure the SQLite 3 ODBC driver is installed
// and the data source "Mervalis" registered (registering it when missing),
// then it opens the main window, closes itself and offers the help window.
// No start-up failure stops it: each is told in a box and start-up goes on.
class Form3 : public QWidget {
    Q_OBJECT
public:
    explicit Form3(AppContext& context, QWidget* parent = nullptr);

    QLabel* Label1;

    void Form_Load();

    // The windows start-up opened (null once closed).
    Form1* mainWindow() const;
    Form4* helpOffer() const;

    static QString captionText();
    static QString labelText();
    // The box of a network installation whose shared folder is missing.
    static QString sharedFolderMissingText(const Installation& installation);
    static QString driverMissingText();
    static QString noDriverForDataSourceText();
    static QString dataSourceNotCreatedText();
    static QString wantedDataSourceName();

private:
    void checkSharedFolder();
    void registerDataSource();
    void openMainWindow();
    void offerHelp();

    AppContext& context_;
    QPointer<Form1> form1_;
    QPointer<Form4> form4_;
};

}  // namespace mervalis
