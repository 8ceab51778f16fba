#include "invoice/factur_x.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdlib>
#include <exception>

namespace mervalis::factur_x {

namespace {

const QString kCreator = QStringLiteral("Mervalis");
const QString kProducer = QStringLiteral("Mervalis (Qt %1, qpdf %2)")
                              .arg(QLatin1String(QT_VERSION_STR), QString::fromStdString(QPDF::QPDFVersion()));

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// "+01:00", or "Z" for UTC.
QString zoneOf(const QDateTime& time)
{
    const int seconds = time.offsetFromUtc();
    if (seconds == 0) return QStringLiteral("Z");
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString xmpDate(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + zoneOf(time);
}

// The same moment as a PDF date: "D:20250131120000+01'00'".
std::string pdfDate(const QDateTime& time)
{
    QString zone = zoneOf(time);
    if (zone != QLatin1String("Z")) zone = zone.replace(QLatin1Char(':'), QLatin1Char('\'')) + QLatin1Char('\'');
    return (QStringLiteral("D:") + time.toString(QStringLiteral("yyyyMMddHHmmss")) + zone).toStdString();
}

// One property of the Factur-X extension schema, as PDF/A describes it.
QString extensionProperty(const char* name, const char* description)
{
    return QStringLiteral("        <rdf:li rdf:parseType=\"Resource\">\n"
                          "         <pdfaProperty:name>%1</pdfaProperty:name>\n"
                          "         <pdfaProperty:valueType>Text</pdfaProperty:valueType>\n"
                          "         <pdfaProperty:category>external</pdfaProperty:category>\n"
                          "         <pdfaProperty:description>%2</pdfaProperty:description>\n"
                          "        </rdf:li>\n")
        .arg(QLatin1String(name), QLatin1String(description));
}

}  // namespace

QByteArray xmpMetadata(const QString& title, const QString& creator, const QString& producer,
                       const QDateTime& created)
{
    const QString date = xmpDate(created);
    const QString packet =
        QStringLiteral("<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                       "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                       " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                       "  <rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
                       "   <pdfaid:part>3</pdfaid:part>\n"
                       "   <pdfaid:conformance>B</pdfaid:conformance>\n"
                       "  </rdf:Description>\n"
                       "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                       "   <dc:format>application/pdf</dc:format>\n"
                       "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
                       "  </rdf:Description>\n"
                       "  <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
                       "   <pdf:Producer>%2</pdf:Producer>\n"
                       "  </rdf:Description>\n"
                       "  <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
                       "   <xmp:CreatorTool>%3</xmp:CreatorTool>\n"
                       "   <xmp:CreateDate>%4</xmp:CreateDate>\n"
                       "   <xmp:ModifyDate>%4</xmp:ModifyDate>\n"
                       "   <xmp:MetadataDate>%4</xmp:MetadataDate>\n"
                       "  </rdf:Description>\n"
                       "  <rdf:Description rdf:about=\"\"\n"
                       "    xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
                       "    xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
                       "    xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
                       "   <pdfaExtension:schemas>\n"
                       "    <rdf:Bag>\n"
                       "     <rdf:li rdf:parseType=\"Resource\">\n"
                       "      <pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>\n"
                       "      <pdfaSchema:namespaceURI>%5</pdfaSchema:namespaceURI>\n"
                       "      <pdfaSchema:prefix>fx</pdfaSchema:prefix>\n"
                       "      <pdfaSchema:property>\n"
                       "       <rdf:Seq>\n"
                       "%6"
                       "       </rdf:Seq>\n"
                       "      </pdfaSchema:property>\n"
                       "     </rdf:li>\n"
                       "    </rdf:Bag>\n"
                       "   </pdfaExtension:schemas>\n"
                       "  </rdf:Description>\n"
                       "  <rdf:Description rdf:about=\"\" xmlns:fx=\"%5\">\n"
                       "   <fx:DocumentType>INVOICE</fx:DocumentType>\n"
                       "   <fx:DocumentFileName>%7</fx:DocumentFileName>\n"
                       "   <fx:Version>1.0</fx:Version>\n"
                       "   <fx:ConformanceLevel>%8</fx:ConformanceLevel>\n"
                       "  </rdf:Description>\n"
                       " </rdf:RDF>\n"
                       "</x:xmpmeta>\n"
                       "<?xpacket end=\"w\"?>")
            .arg(escaped(title), escaped(producer), escaped(creator), date, QLatin1String(kNamespace),
                 extensionProperty("DocumentFileName", "The name of the embedded XML document") +
                     extensionProperty("DocumentType", "The type of the hybrid document in capital letters, e.g. "
                                                       "INVOICE or ORDER") +
                     extensionProperty("Version", "The actual version of the standard applying to the embedded "
                                                  "XML document") +
                     extensionProperty("ConformanceLevel", "The conformance level of the embedded XML document"),
                 QLatin1String(kFileName), QLatin1String(kConformanceLevel));
    return packet.toUtf8();
}

bool embed(const QByteArray& pdf, const QByteArray& xml, const QString& title, const QDateTime& created,
           QByteArray* out, QString* error)
{
    try {
        QPDF document;
        document.processMemoryFile("invoice.pdf", pdf.constData(), static_cast<size_t>(pdf.size()));
        QPDFObjectHandle root = document.getRoot();
        const std::string date = pdfDate(created);

        QPDFEFStreamObjectHelper stream =
            QPDFEFStreamObjectHelper::createEFStream(document, xml.toStdString());
        stream.setSubtype("text/xml").setCreationDate(date).setModDate(date);
        QPDFFileSpecObjectHelper file = QPDFFileSpecObjectHelper::createFileSpec(document, kFileName, stream);
        file.setDescription("Factur-X invoice (EN 16931)");
        QPDFObjectHandle spec = file.getObjectHandle();
        spec.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Data"));
        QPDFEmbeddedFileDocumentHelper(document).replaceEmbeddedFile(kFileName, file);
        root.replaceKey("/AF", QPDFObjectHandle::newArray({spec}));

        QPDFObjectHandle metadata =
            document.newStream(xmpMetadata(title, kCreator, kProducer, created).toStdString());
        metadata.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
        metadata.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
        root.replaceKey("/Metadata", metadata);

        // The document information says what the metadata says.
        QPDFObjectHandle info = document.makeIndirectObject(QPDFObjectHandle::newDictionary());
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title.toStdString()));
        info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(kCreator.toStdString()));
        info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString(kProducer.toStdString()));
        info.replaceKey("/CreationDate", QPDFObjectHandle::newString(date));
        info.replaceKey("/ModDate", QPDFObjectHandle::newString(date));
        document.getTrailer().replaceKey("/Info", info);

        QPDFWriter writer(document);
        writer.setOutputMemory();
        // PDF/A-3 is based on PDF 1.7.
        writer.setMinimumPDFVersion("1.7");
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        *out = QByteArray(reinterpret_cast<const char*>(written->getBuffer()),
                          static_cast<qsizetype>(written->getSize()));
        return true;
    } catch (const std::exception& e) {
        if (error) *error = QString::fromStdString(e.what());
        return false;
    }
}

}  // namespace mervalis::factur_x
