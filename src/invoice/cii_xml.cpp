#include "invoice/e_invoice.h"

#include <QXmlStreamWriter>

namespace mervalis {

namespace {

const QString kRsm = QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QString kRam =
    QStringLiteral("urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
const QString kUdt = QStringLiteral("urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
const QString kQdt = QStringLiteral("urn:un:unece:uncefact:data:standard:QualifiedDataType:100");

// Text as XML 1.0 may hold it: characters it cannot carry (control
// characters other than tab and line breaks, unpaired surrogates) are left
// out.
QString xmlText(const QString& text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            clean += c;
            clean += text[++i];
        } else if (!c.isSurrogate() && (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
                                        c == QLatin1Char('\r')) &&
                   c.unicode() != 0xFFFE && c.unicode() != 0xFFFF) {
            clean += c;
        }
    }
    return clean;
}

// Writes the CII elements in the order the schema gives them.
class Writer {
public:
    explicit Writer(QByteArray* out) : xml_(out) { xml_.setAutoFormatting(true); }

    QXmlStreamWriter& xml() { return xml_; }
    void begin(const char* name) { xml_.writeStartElement(kRam, QLatin1String(name)); }
    void end() { xml_.writeEndElement(); }
    void text(const char* name, const QString& value)
    {
        begin(name);
        xml_.writeCharacters(xmlText(value));
        end();
    }
    // An element left out when its text is empty.
    void optional(const char* name, const QString& value)
    {
        if (!value.trimmed().isEmpty()) text(name, value.trimmed());
    }
    void amount(const char* name, Currency value) { text(name, value.storedText()); }
    void withAttribute(const char* name, const char* attribute, const QString& attributeValue, const QString& value)
    {
        begin(name);
        xml_.writeAttribute(QLatin1String(attribute), attributeValue);
        xml_.writeCharacters(xmlText(value));
        end();
    }

    void party(const EInvoice::Party& party)
    {
        const PartyDetails& d = party.details;
        text("Name", d.name.trimmed());
        const QString person = (d.contactFirstName.trimmed() + QLatin1Char(' ') + d.contactSurname.trimmed()).trimmed();
        const QString telephone = d.telephone.trimmed().isEmpty() ? d.telephone2.trimmed() : d.telephone.trimmed();
        if (!person.isEmpty() || !telephone.isEmpty() || !d.email.trimmed().isEmpty()) {
            begin("DefinedTradeContact");
            optional("PersonName", person);
            if (!telephone.isEmpty()) {
                begin("TelephoneUniversalCommunication");
                text("CompleteNumber", telephone);
                end();
            }
            if (!d.email.trimmed().isEmpty()) {
                begin("EmailURIUniversalCommunication");
                text("URIID", d.email.trimmed());
                end();
            }
            end();
        }
        begin("PostalTradeAddress");
        optional("PostcodeCode", d.postCode);
        optional("LineOne", d.address1);
        optional("LineTwo", d.address2);
        optional("CityName", d.city);
        text("CountryID", party.tax.countryCode);
        end();
        if (!d.email.trimmed().isEmpty()) {
            begin("URIUniversalCommunication");
            withAttribute("URIID", "schemeID", QStringLiteral("EM"), d.email.trimmed());
            end();
        }
        if (!party.tax.vatId.isEmpty()) {
            begin("SpecifiedTaxRegistration");
            withAttribute("ID", "schemeID", QStringLiteral("VA"), party.tax.vatId);
            end();
        }
    }

    void category(QChar code, Currency rate)
    {
        text("CategoryCode", code);
        amount("RateApplicablePercent", rate);
    }

    void line(const EInvoice::Line& line)
    {
        begin("IncludedSupplyChainTradeLineItem");
        begin("AssociatedDocumentLineDocument");
        text("LineID", QString::number(line.id));
        end();
        begin("SpecifiedTradeProduct");
        text("Name", line.name);
        end();
        begin("SpecifiedLineTradeAgreement");
        begin("NetPriceProductTradePrice");
        amount("ChargeAmount", line.price);
        end();
        end();
        begin("SpecifiedLineTradeDelivery");
        withAttribute("BilledQuantity", "unitCode", line.unitCode, line.quantity.storedText());
        end();
        begin("SpecifiedLineTradeSettlement");
        begin("ApplicableTradeTax");
        text("TypeCode", QStringLiteral("VAT"));
        category(line.category, line.rate);
        end();
        for (const EInvoice::Adjustment& adjustment : line.adjustments) {
            begin("SpecifiedTradeAllowanceCharge");
            begin("ChargeIndicator");
            xml_.writeTextElement(kUdt, QStringLiteral("Indicator"),
                                  adjustment.charge ? QStringLiteral("true") : QStringLiteral("false"));
            end();
            amount("ActualAmount", adjustment.amount);
            optional("ReasonCode", adjustment.reasonCode);
            text("Reason", adjustment.reason);
            end();
        }
        begin("SpecifiedTradeSettlementLineMonetarySummation");
        amount("LineTotalAmount", line.netAmount);
        end();
        end();
        end();
    }

private:
    QXmlStreamWriter xml_;
};

}  // namespace

QByteArray ciiXml(const EInvoice& e)
{
    QByteArray out;
    Writer w(&out);
    QXmlStreamWriter& xml = w.xml();
    xml.writeStartDocument();
    xml.writeNamespace(kRsm, QStringLiteral("rsm"));
    xml.writeNamespace(kRam, QStringLiteral("ram"));
    xml.writeNamespace(kUdt, QStringLiteral("udt"));
    xml.writeNamespace(kQdt, QStringLiteral("qdt"));
    xml.writeStartElement(kRsm, QStringLiteral("CrossIndustryInvoice"));

    xml.writeStartElement(kRsm, QStringLiteral("ExchangedDocumentContext"));
    w.begin("GuidelineSpecifiedDocumentContextParameter");
    w.text("ID", QStringLiteral("urn:cen.eu:en16931:2017"));  // Factur-X's EN 16931 profile
    w.end();
    xml.writeEndElement();

    xml.writeStartElement(kRsm, QStringLiteral("ExchangedDocument"));
    w.text("ID", e.number);
    w.text("TypeCode", QString::number(e.typeCode));
    w.begin("IssueDateTime");
    xml.writeStartElement(kUdt, QStringLiteral("DateTimeString"));
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
    xml.writeCharacters(e.issueDate.toString(QStringLiteral("yyyyMMdd")));
    xml.writeEndElement();
    w.end();
    if (!e.notes.isEmpty()) {
        w.begin("IncludedNote");
        w.text("Content", e.notes);
        w.end();
    }
    xml.writeEndElement();

    xml.writeStartElement(kRsm, QStringLiteral("SupplyChainTradeTransaction"));
    for (const EInvoice::Line& line : e.lines) w.line(line);

    w.begin("ApplicableHeaderTradeAgreement");
    w.optional("BuyerReference", e.buyer.tax.buyerReference);
    w.begin("SellerTradeParty");
    w.party(e.seller);
    w.end();
    w.begin("BuyerTradeParty");
    w.party(e.buyer);
    w.end();
    w.end();

    w.begin("ApplicableHeaderTradeDelivery");
    w.end();

    w.begin("ApplicableHeaderTradeSettlement");
    w.text("PaymentReference", e.number);
    w.text("InvoiceCurrencyCode", e.currency);
    if (!e.seller.tax.iban.isEmpty()) {
        w.begin("SpecifiedTradeSettlementPaymentMeans");
        // A SEPA credit transfer in euro, else a credit transfer.
        w.text("TypeCode", e.currency == QLatin1String("EUR") ? QStringLiteral("58") : QStringLiteral("30"));
        w.begin("PayeePartyCreditorFinancialAccount");
        w.text("IBANID", e.seller.tax.iban);
        w.end();
        if (!e.seller.tax.bic.isEmpty()) {
            w.begin("PayeeSpecifiedCreditorFinancialInstitution");
            w.text("BICID", e.seller.tax.bic);
            w.end();
        }
        w.end();
    }
    for (const EInvoice::VatBreakdown& vat : e.vat) {
        w.begin("ApplicableTradeTax");
        w.amount("CalculatedAmount", vat.tax);
        w.text("TypeCode", QStringLiteral("VAT"));
        w.amount("BasisAmount", vat.basis);
        w.category(vat.category, vat.rate);
        w.end();
    }
    if (!e.paymentTerms.isEmpty()) {
        w.begin("SpecifiedTradePaymentTerms");
        w.text("Description", e.paymentTerms);
        w.end();
    }
    w.begin("SpecifiedTradeSettlementHeaderMonetarySummation");
    w.amount("LineTotalAmount", e.lineTotal);
    w.amount("TaxBasisTotalAmount", e.taxBasis);
    w.begin("TaxTotalAmount");
    xml.writeAttribute(QStringLiteral("currencyID"), e.currency);
    xml.writeCharacters(e.taxTotal.storedText());
    w.end();
    if (!e.rounding.isZero()) w.amount("RoundingAmount", e.rounding);
    w.amount("GrandTotalAmount", e.grandTotal);
    w.amount("DuePayableAmount", e.duePayable);
    w.end();
    w.end();

    xml.writeEndElement();  // SupplyChainTradeTransaction
    xml.writeEndElement();  // CrossIndustryInvoice
    xml.writeEndDocument();
    return out;
}

}  // namespace mervalis
