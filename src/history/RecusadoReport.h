#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class QIODevice;

namespace tramora {

struct HistoryRecord;

// The history report: an ISO-8859-1 document with the root Recusado and one Dados per record,
// holding Data, Arquivo and Inconsistencia. Characters outside ISO-8859-1 are written as
// character references and line breaks inside a text as references too, so an XML reader
// gets every text back as it was stored.
class RecusadoReport final
{
public:
    // Starts the document on out, which must be open for writing.
    explicit RecusadoReport(QIODevice &out);
    ~RecusadoReport();
    RecusadoReport(const RecusadoReport &) = delete;
    RecusadoReport &operator=(const RecusadoReport &) = delete;

    void add(const HistoryRecord &record);

    // Closes the document and flushes it to the device. False when anything failed to be
    // written, with the reason in errorText().
    bool finish();

    qint64 count() const { return m_count; }
    QString errorText() const { return m_error; }

    static QString fileName() { return QStringLiteral("Recusado.xml"); }

    // The text of Data: day/month/year and the time, empty for a record without a date.
    static QString dataText(const std::optional<QDateTime> &DataEnvio);

private:
    struct Writer;

    void fail(const QString &reason);

    std::unique_ptr<Writer> m_writer;
    qint64 m_count = 0;
    QString m_error;
};

} // namespace tramora
