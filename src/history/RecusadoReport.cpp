#include "history/RecusadoReport.h"

#include "store/History.h"

#include <QIODevice>

#include <libxml/parser.h>
#include <libxml/xmlwriter.h>

namespace tramora {

namespace {

constexpr QLatin1StringView dataFormat{"dd/MM/yyyy HH:mm:ss"};

bool allowedInXml(char16_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD);
}

// XML 1.0 has no way to write control characters, not even as references; a reader would
// refuse the whole report for one of them, so each becomes U+FFFD instead, as does half of a
// surrogate pair.
QByteArray xmlText(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            safe += c;
            safe += text[++i];
        } else if (c.isSurrogate() || !allowedInXml(c.unicode())) {
            safe += QChar(0xFFFD);
        } else {
            safe += c;
        }
    }
    return safe.toUtf8();
}

const xmlChar *name(const char *text)
{
    return reinterpret_cast<const xmlChar *>(text);
}

int writeToDevice(void *context, const char *buffer, int length)
{
    auto *device = static_cast<QIODevice *>(context);
    return device->write(buffer, length) == length ? length : -1;
}

} // namespace

struct RecusadoReport::Writer
{
    QIODevice &device;
    xmlTextWriterPtr writer = nullptr;

    ~Writer()
    {
        if (writer)
            xmlFreeTextWriter(writer);
    }
};

RecusadoReport::RecusadoReport(QIODevice &out)
    : m_writer(std::make_unique<Writer>(Writer{out}))
{
    xmlInitParser();
    // The encoder turns whatever ISO-8859-1 cannot hold into character references.
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(writeToDevice, nullptr, &out,
                                                        xmlFindCharEncodingHandler("ISO-8859-1"));
    if (!buffer) {
        fail(QStringLiteral("xmlOutputBufferCreateIO"));
        return;
    }
    // Written by hand: the writer's own declaration names the encoding in capitals.
    const int declared
        = xmlOutputBufferWriteString(buffer, "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n");
    m_writer->writer = xmlNewTextWriter(buffer);
    if (!m_writer->writer) {
        xmlOutputBufferClose(buffer);
        fail(QStringLiteral("xmlNewTextWriter"));
        return;
    }
    xmlTextWriterSetIndent(m_writer->writer, 1);
    if (declared < 0 || xmlTextWriterStartElement(m_writer->writer, name("Recusado")) < 0)
        fail(out.errorString());
}

RecusadoReport::~RecusadoReport() = default;

QString RecusadoReport::dataText(const std::optional<QDateTime> &DataEnvio)
{
    return DataEnvio ? DataEnvio->toString(dataFormat) : QString();
}

void RecusadoReport::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason.isEmpty() ? QStringLiteral("libxml2") : reason;
}

void RecusadoReport::add(const HistoryRecord &record)
{
    if (!m_error.isEmpty())
        return;
    xmlTextWriterPtr writer = m_writer->writer;
    const QByteArray data = xmlText(dataText(record.DataEnvio));
    const QByteArray arquivo = xmlText(record.NomeArquivo);
    const QByteArray inconsistencia = xmlText(record.Erro.value_or(QString()));
    if (xmlTextWriterStartElement(writer, name("Dados")) < 0
        || xmlTextWriterWriteElement(writer, name("Data"), name(data.constData())) < 0
        || xmlTextWriterWriteElement(writer, name("Arquivo"), name(arquivo.constData())) < 0
        || xmlTextWriterWriteElement(writer, name("Inconsistencia"),
                                     name(inconsistencia.constData()))
            < 0
        || xmlTextWriterEndElement(writer) < 0) {
        fail(m_writer->device.errorString());
        return;
    }
    ++m_count;
}

bool RecusadoReport::finish()
{
    if (!m_error.isEmpty())
        return false;
    if (xmlTextWriterEndDocument(m_writer->writer) < 0 || xmlTextWriterFlush(m_writer->writer) < 0)
        fail(m_writer->device.errorString());
    // Everything has reached the device by now; freeing only releases the buffers.
    xmlFreeTextWriter(m_writer->writer);
    m_writer->writer = nullptr;
    return m_error.isEmpty();
}

} // namespace tramora
