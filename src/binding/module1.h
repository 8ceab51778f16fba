#pragma once

#include "data/data_control.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace mervalis {

// The fourteen company boxes of the Company tab, as the tab hands them over.
struct CompanyBoxes {
    QLineEdit* Text19 = nullptr;       // CompanyName
    QLineEdit* Text12 = nullptr;       // ContactFirstName
    QLineEdit* Text11 = nullptr;       // ContactSurName
    QLineEdit* Text7 = nullptr;        // Address1
    QLineEdit* Text8 = nullptr;        // Address2
    QLineEdit* Text9 = nullptr;        // PostCode
    QLineEdit* Text13 = nullptr;       // City
    QLineEdit* Text18 = nullptr;       // Country
    QLineEdit* Text1 = nullptr;        // Telephone
    QLineEdit* Text6 = nullptr;        // Telephone2
    QLineEdit* Text14 = nullptr;       // Fax
    QLineEdit* Text2 = nullptr;        // Mobile
    QLineEdit* Text4 = nullptr;        // Email
    QPlainTextEdit* Text3 = nullptr;   // Notes
};

// The fourteen client boxes and the five profile lists of the Client tab.
struct ClientBoxes {
    QLineEdit* Text61 = nullptr;       // ClientName
    QLineEdit* Text54 = nullptr;       // ContactFirstName
    QLineEdit* Text55 = nullptr;       // ContactSurName
    QLineEdit* Text56 = nullptr;       // Address1
    QLineEdit* Text57 = nullptr;       // Address2
    QLineEdit* Text58 = nullptr;       // PostCode
    QLineEdit* Text59 = nullptr;       // City
    QLineEdit* Text60 = nullptr;       // Country
    QLineEdit* Text53 = nullptr;       // Telephone
    QLineEdit* Text16 = nullptr;       // Telephone2
    QLineEdit* Text20 = nullptr;       // Fax
    QLineEdit* Text52 = nullptr;       // Mobile
    QLineEdit* Text51 = nullptr;       // Email
    QPlainTextEdit* Text5 = nullptr;   // Notes
    QComboBox* Combo23 = nullptr;      // Sex
    QComboBox* Combo24 = nullptr;      // Age
    QComboBox* Combo25 = nullptr;      // Income
    QComboBox* Combo26 = nullptr;      // Ethnicity
    QComboBox* Combo27 = nullptr;      // LeadGivenTo
};

// Module1: switches the company and client boxes between detached (plain
// empty boxes for a new record) and bound (showing and editing the data
// control's current record in place).
//
// Nothing has to be kept by the caller: a bound box carries its binding
// (data source and data field) as a child object, and each data control
// carries one RecordBinder that writes the bound boxes' edits. The routines
// do not query: the caller first points the data control at the wanted
// record, then binds. Boxes left null in the struct are skipped.
//
// While bound, what the user types is an edit of the current record. It is
// written (one setField per edited box, then one update) when the data
// control leaves the record: the next query, refresh, move, sort, or the
// window closing. If the write fails the data control has already shown the
// database's reason; the typed text stays in its box and is written at the
// next leave of the same record. Only when the control has moved on to a
// different record does the box show that record instead.
//
// A write refused because another program changed or deleted the record
// since it was shown is not tried again: the typed text stays in its box
// (also through the refresh whose leave was refused) until the record is read
// again, which shows it as it now stands, or until the box is typed into
// anew, which makes a new edit of what was read last.
void BindCompanyFields(const CompanyBoxes& boxes, DataControl& adodc3);
void BindClientFields(const ClientBoxes& boxes, DataControl& adodc1);

// Writes any edit still waiting in the boxes, then detaches and empties
// them; nothing stored is deleted. What could not be written has been told
// (no record is current, or the database refused it), and the boxes are
// cleared all the same; but when another program changed the record since it
// was shown, they stay as they are, so that what was typed is not lost, and
// the answer is false (the next call clears them).
bool ClearCompanyFields(const CompanyBoxes& boxes);
bool ClearClientFields(const ClientBoxes& boxes);

// The binding of one box: its data source and data field. Lives as a child
// of the box, so it goes when the box goes.
class FieldBinding : public QObject {
    Q_OBJECT
public:
    // Binds (or rebinds) a box and shows the control's current value.
    static FieldBinding* bind(QLineEdit* box, DataControl& source, const QString& field);
    static FieldBinding* bind(QPlainTextEdit* box, DataControl& source, const QString& field);
    static FieldBinding* bind(QComboBox* box, DataControl& source, const QString& field);
    // The box's binding, or nullptr when it is detached.
    static FieldBinding* of(const QWidget* box);
    // Data source none, data field empty; the text is left as it is.
    static void detach(QWidget* box);

    DataControl* dataSource() const { return source_; }
    const QString& dataField() const { return field_; }
    QWidget* box() const;

    // True while the box holds typed text that is not yet stored.
    bool hasEdit() const { return edited_; }
    QString text() const;
    // Puts the current record's value into the box and forgets any edit.
    void show();

private:
    friend class RecordBinder;
    FieldBinding(QWidget* box, DataControl& source, const QString& field);
    void setBoxText(const QString& text);
    void noteEdit();
    void attach();

    QPointer<DataControl> source_;
    QString field_;
    bool showing_ = false;
    bool edited_ = false;
    bool toldUnwritable_ = false;  // the user knows the edit has no record to go to
    bool refused_ = false;         // changed elsewhere since shown: not written again
    QString shownText_;       // what the box showed of the record
    QString editedRecordId_;  // ID of the record the edit was typed for
};

// One per data control: writes the edits of all boxes bound to it in one
// update when the control leaves its record, and refreshes the boxes when
// its current record changes.
class RecordBinder : public QObject {
    Q_OBJECT
public:
    static RecordBinder& of(DataControl& control);

    // Writes the waiting edits of the boxes bound to this control now.
    // False when the write failed (the user has been told); refused() then
    // tells whether another program had changed the record.
    bool writeEdits();
    bool refused() const { return refused_; }
    // The ID text of the control's current record; empty without one.
    QString currentRecordId() const;

private:
    explicit RecordBinder(DataControl& control);
    void add(FieldBinding* binding);
    void currentChanged();
    friend class FieldBinding;

    DataControl& control_;
    QList<QPointer<FieldBinding>> bindings_;
    bool writing_ = false;
    bool leaving_ = false;
    bool refused_ = false;  // the last writeEdits() was refused as changed elsewhere
    bool refusedOnLeave_ = false;  // the refresh that follows keeps the typed text
};

}  // namespace mervalis
