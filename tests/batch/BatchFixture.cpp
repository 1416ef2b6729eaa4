#include "BatchFixture.h"

#include "store/History.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <zip.h>

namespace tramora::test {

BatchFixture::BatchFixture(bool homolog)
    : startup({folder.path(), QStringLiteral("CARTORIO-01"), [](const QString &) { return false; }},
              messages, clock)
    , store(startup.createDataModule())
    , values(startup.values())
{
    startup.prepareWorkspace();
    values.appVersion = QStringLiteral("3.0.0.1");
    Parametros parametros = store.parametros();
    parametros.Cns = QStringLiteral("123456");
    parametros.CaminhoXml = xmlFolder();
    parametros.CaminhoPdf = pdfFolder();
    parametros.Homolog = homolog ? QStringLiteral("S") : QStringLiteral("N");
    store.postParametros(parametros);
    run = std::make_unique<ValidationRun>(store, values, clock, messages);
    run->setDocumentDropPause(10);
}

QByteArray BatchFixture::documentOfSize(qint64 bytes)
{
    QByteArray content = QByteArrayLiteral("%PDF-1.4\n");
    content.append(QByteArray(std::max<qint64>(0, bytes - content.size()), 'x'));
    return content.left(bytes);
}

void BatchFixture::drop(const QString &base, const QString &xml, qint64 documentBytes,
                        const QString &documentExtension)
{
    QFile index(xmlFolder() + QLatin1Char('/') + base + QStringLiteral(".xml"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write(xml.toUtf8());
    if (documentBytes < 0)
        return;
    QFile document(pdfFolder() + QLatin1Char('/') + base + documentExtension);
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.write(documentOfSize(documentBytes));
}

QStringList BatchFixture::filesIn(const QString &path) const
{
    return QDir(path).entryList(QDir::Files, QDir::Name);
}

QString BatchFixture::historyOf(const QString &fileName) const
{
    const std::optional<HistoryRecord> record = store.history().findVisible(fileName);
    return record ? record->Erro.value_or(QString()) : QString();
}

std::map<QString, QByteArray> BatchFixture::zipEntries(const QString &path)
{
    std::map<QString, QByteArray> entries;
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive) {
        QTest::qFail("package cannot be opened", __FILE__, __LINE__);
        return entries;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        if (stat.comp_method != ZIP_CM_DEFLATE)
            QTest::qFail("entry is not Deflate", __FILE__, __LINE__);
        QByteArray content(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        zip_file_t *file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (file) {
            zip_fread(file, content.data(), stat.size);
            zip_fclose(file);
        }
        entries[QString::fromUtf8(stat.name)] = content;
    }
    zip_discard(archive);
    return entries;
}

} // namespace tramora::test
