#include "binding/module1.h"

#include "data/data_control.h"
#include "data/dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <utility>
#include <vector>

namespace mervalis {

namespace {

using Pair = std::pair<QWidget*, const char*>;

// The binding map, in its order: each box with the field it shows.
std::vector<Pair> companyMap(const CompanyBoxes& b)
{
    return {{b.Text19, "CompanyName"}, {b.Text12, "ContactFirstName"}, {b.Text11, "ContactSurName"},
            {b.Text7, "Address1"},     {b.Text8, "Address2"},           {b.Text9, "PostCode"},
            {b.Text13, "City"},        {b.Text18, "Country"},           {b.Text1, "Telephone"},
            {b.Text6, "Telephone2"},   {b.Text14, "Fax"},               {b.Text2, "Mobile"},
            {b.Text4, "Email"},        {b.Text3, "Notes"}};
}

std::vector<Pair> clientMap(const ClientBoxes& b)
{
    return {{b.Text61, "ClientName"}, {b.Text54, "ContactFirstName"}, {b.Text55, "ContactSurName"},
            {b.Text56, "Address1"},   {b.Text57, "Address2"},         {b.Text58, "PostCode"},
            {b.Text59, "City"},       {b.Text60, "Country"},          {b.Text53, "Telephone"},
            {b.Text16, "Telephone2"}, {b.Text20, "Fax"},              {b.Text52, "Mobile"},
            {b.Text51, "Email"},      {b.Text5, "Notes"},             {b.Combo23, "Sex"},
            {b.Combo24, "Age"},       {b.Combo25, "Income"},          {b.Combo26, "Ethnicity"},
            {b.Combo27, "LeadGivenTo"}};
}

void bindBox(QWidget* box, DataControl& control, const QString& field)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) FieldBinding::bind(line, control, field);
    else if (auto* notes = qobject_cast<QPlainTextEdit*>(box)) FieldBinding::bind(notes, control, field);
    else if (auto* list = qobject_cast<QComboBox*>(box)) FieldBinding::bind(list, control, field);
}

void bindAll(const std::vector<Pair>& map, DataControl& control)
{
    for (const auto& [box, field] : map) {
        if (box) bindBox(box, control, QLatin1String(field));
    }
}

void emptyBox(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->clear();
    else if (auto* notes = qobject_cast<QPlainTextEdit*>(box)) notes->clear();
    else if (auto* list = qobject_cast<QComboBox*>(box)) {
        if (list->isEditable()) list->setEditText(QString());
        else list->setCurrentIndex(-1);
    }
}

bool clearAll(const std::vector<Pair>& map)
{
    // Edits still waiting are written first: clearing leaves the record. A
    // write that cannot be made has been told to the user by then; the boxes
    // are cleared all the same, so that Clear Screen starts a new entry, but
    // for a record changed elsewhere meanwhile (once: its edits are not
    // written again).
    QList<RecordBinder*> binders;
    for (const auto& pair : map) {
        const FieldBinding* binding = pair.first ? FieldBinding::of(pair.first) : nullptr;
        if (binding && binding->dataSource()) {
            RecordBinder* binder = &RecordBinder::of(*binding->dataSource());
            if (!binders.contains(binder)) binders << binder;
        }
    }
    bool refused = false;
    for (RecordBinder* binder : binders) refused = (!binder->writeEdits() && binder->refused()) || refused;
    if (refused) return false;
    for (const auto& pair : map) {
        if (pair.first) FieldBinding::detach(pair.first);
    }
    for (const auto& pair : map) {
        if (pair.first) emptyBox(pair.first);
    }
    return true;
}

}  // namespace

void BindCompanyFields(const CompanyBoxes& boxes, DataControl& adodc3) { bindAll(companyMap(boxes), adodc3); }

void BindClientFields(const ClientBoxes& boxes, DataControl& adodc1) { bindAll(clientMap(boxes), adodc1); }

bool ClearCompanyFields(const CompanyBoxes& boxes) { return clearAll(companyMap(boxes)); }

bool ClearClientFields(const ClientBoxes& boxes) { return clearAll(clientMap(boxes)); }

// FieldBinding

FieldBinding::FieldBinding(QWidget* box, DataControl& source, const QString& field)
    : QObject(box), source_(&source), field_(field)
{
    setObjectName(QStringLiteral("FieldBinding"));
}

FieldBinding* FieldBinding::of(const QWidget* box)
{
    return box ? box->findChild<FieldBinding*>(QStringLiteral("FieldBinding"), Qt::FindDirectChildrenOnly) : nullptr;
}

void FieldBinding::detach(QWidget* box)
{
    delete of(box);
}

QWidget* FieldBinding::box() const { return static_cast<QWidget*>(parent()); }

FieldBinding* FieldBinding::bind(QLineEdit* box, DataControl& source, const QString& field)
{
    detach(box);
    auto* binding = new FieldBinding(box, source, field);
    connect(box, &QLineEdit::textChanged, binding, &FieldBinding::noteEdit);
    binding->attach();
    return binding;
}

FieldBinding* FieldBinding::bind(QPlainTextEdit* box, DataControl& source, const QString& field)
{
    detach(box);
    auto* binding = new FieldBinding(box, source, field);
    connect(box, &QPlainTextEdit::textChanged, binding, &FieldBinding::noteEdit);
    binding->attach();
    return binding;
}

FieldBinding* FieldBinding::bind(QComboBox* box, DataControl& source, const QString& field)
{
    detach(box);
    auto* binding = new FieldBinding(box, source, field);
    connect(box, &QComboBox::currentTextChanged, binding, &FieldBinding::noteEdit);
    connect(box, &QComboBox::editTextChanged, binding, &FieldBinding::noteEdit);
    binding->attach();
    return binding;
}

void FieldBinding::attach()
{
    RecordBinder::of(*source_).add(this);
    show();
}

QString FieldBinding::text() const
{
    QWidget* b = box();
    if (auto* line = qobject_cast<QLineEdit*>(b)) return line->text();
    if (auto* notes = qobject_cast<QPlainTextEdit*>(b)) return notes->toPlainText();
    if (auto* list = qobject_cast<QComboBox*>(b)) return list->currentText();
    return {};
}

void FieldBinding::setBoxText(const QString& text)
{
    QWidget* b = box();
    if (auto* line = qobject_cast<QLineEdit*>(b)) {
        line->setText(text);
        line->setCursorPosition(0);
    } else if (auto* notes = qobject_cast<QPlainTextEdit*>(b)) {
        if (notes->toPlainText() != text) notes->setPlainText(text);
    } else if (auto* list = qobject_cast<QComboBox*>(b)) {
        if (list->isEditable()) list->setEditText(text);
        else list->setCurrentIndex(list->findText(text));
    }
}

void FieldBinding::show()
{
    showing_ = true;
    setBoxText(source_ ? source_->field(field_) : QString());
    showing_ = false;
    shownText_ = text();
    edited_ = false;
    toldUnwritable_ = false;
    refused_ = false;
    editedRecordId_.clear();
}

void FieldBinding::noteEdit()
{
    // Signals that leave the text as it was shown (a list being rebuilt) are
    // no edit. Typing anew after a refused write makes a new edit.
    if (showing_ || !source_) return;
    if (refused_) {
        refused_ = false;
        edited_ = false;
    }
    if (edited_ || text() == shownText_) return;
    edited_ = true;
    editedRecordId_ = RecordBinder::of(*source_).currentRecordId();
}

// RecordBinder

RecordBinder::RecordBinder(DataControl& control) : QObject(&control), control_(control)
{
    setObjectName(QStringLiteral("RecordBinder"));
    connect(&control, &DataControl::leavingRecord, this, [this] {
        leaving_ = true;
        writeEdits();
        leaving_ = false;
    });
    connect(&control, &DataControl::currentChanged, this, &RecordBinder::currentChanged);
}

RecordBinder& RecordBinder::of(DataControl& control)
{
    auto* binder = control.findChild<RecordBinder*>(QStringLiteral("RecordBinder"), Qt::FindDirectChildrenOnly);
    return binder ? *binder : *new RecordBinder(control);
}

void RecordBinder::add(FieldBinding* binding)
{
    bindings_.removeAll(nullptr);
    bindings_ << binding;
}

QString RecordBinder::currentRecordId() const
{
    return control_.eof() || !control_.hasField(QStringLiteral("ID")) ? QString()
                                                                       : control_.field(QStringLiteral("ID"));
}

bool RecordBinder::writeEdits()
{
    if (writing_) return true;
    refused_ = false;
    const QString id = currentRecordId();
    QList<FieldBinding*> edited;
    for (const QPointer<FieldBinding>& binding : std::as_const(bindings_)) {
        if (binding && binding->edited_ && !binding->refused_ && binding->editedRecordId_ == id) {
            edited << binding.data();
        }
    }
    if (edited.isEmpty()) return true;
    if (control_.eof()) {
        // Told once for what was typed; the text stays in its box until the
        // box shows a record again.
        bool untold = false;
        for (FieldBinding* binding : std::as_const(edited)) {
            untold = untold || !binding->toldUnwritable_;
            binding->toldUnwritable_ = true;
        }
        if (untold) {
            control_.dialogs().inform(
                QStringLiteral("There is no stored record here to change, so what you typed was not saved.\r\n\r\n"
                               "Retrieve a record first, or press Clear Screen and add it as a new one."));
        }
        return false;
    }
    writing_ = true;
    for (FieldBinding* binding : std::as_const(edited)) control_.setField(binding->field_, binding->text());
    const bool written = control_.update();
    writing_ = false;
    if (!written) {
        // The data control has told the user; the text stays.
        if (control_.refused()) {
            refused_ = true;
            for (FieldBinding* binding : std::as_const(edited)) binding->refused_ = true;
            refusedOnLeave_ = leaving_;
        }
        return false;
    }
    // Show what the database stored, in every box bound to this record.
    for (const QPointer<FieldBinding>& binding : std::as_const(bindings_)) {
        if (binding) binding->show();
    }
    return true;
}

void RecordBinder::currentChanged()
{
    if (writing_) return;
    const QString id = currentRecordId();
    const bool keepRefused = std::exchange(refusedOnLeave_, false);
    for (const QPointer<FieldBinding>& binding : std::as_const(bindings_)) {
        if (!binding) continue;
        // Text that could not be written stays while its record is still the
        // current one (or while there is no record to show at all); text
        // refused as changed elsewhere only through the refresh that found it.
        const bool keep = binding->edited_ && binding->editedRecordId_ == id && id != QLatin1String("0") &&
                          (!binding->refused_ || keepRefused);
        if (!keep) binding->show();
    }
}

}  // namespace mervalis
