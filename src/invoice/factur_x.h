#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace mervalis {

// Factur-X (ZUGFeRD): a PDF/A-3 that shows the invoice and carries its
// EN 16931 XML as the attachment factur-x.xml.
namespace factur_x {

// The attachment's name, and what its XMP metadata says of it.
inline constexpr char kFileName[] = "factur-x.xml";
inline constexpr char kNamespace[] = "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#";
inline constexpr char kConformanceLevel[] = "EN 16931";

// Makes `pdf`, a PDF/A-1b as Qt's PDF writer makes it, into a Factur-X
// invoice: `xml` embedded as factur-x.xml (MIME type text/xml, relationship
// Data, listed in the catalogue's associated files), and document
// information and XMP metadata that agree with each other, declaring
// PDF/A-3b and the Factur-X profile EN 16931. Written with qpdf. False, with
// the reason in `error`, when the PDF cannot be read.
bool embed(const QByteArray& pdf, const QByteArray& xml, const QString& title, const QDateTime& created,
           QByteArray* out, QString* error);

// The XMP metadata packet of such a PDF.
QByteArray xmpMetadata(const QString& title, const QString& creator, const QString& producer,
                       const QDateTime& created);

}  // namespace factur_x

}  // namespace mervalis
