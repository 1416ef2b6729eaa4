#include "workspace/EmbeddedFiles.h"

#include "common/MessageBoxes.h"

#include <QFile>
#include <QSaveFile>

namespace tramora {

std::vector<EmbeddedFile> embeddedFiles()
{
    const QString xsd = QStringLiteral("XSDFILE");
    return {
        {xsd, QStringLiteral("RES_MovimentoCasamentoTO"),
         QStringLiteral("MovimentoCasamentoTO.xsd")},
        {xsd, QStringLiteral("RES_MovimentoNascimentoTO"),
         QStringLiteral("MovimentoNascimentoTO.xsd")},
        {xsd, QStringLiteral("RES_MovimentoObitoTO"), QStringLiteral("MovimentoObitoTO.xsd")},
        {xsd, QStringLiteral("RES_cargaRegistrosCompleto"),
         QStringLiteral("cargaRegistrosCompleto.xsd")},
    };
}

EmbeddedFileWriter::EmbeddedFileWriter(QString applicationFolder, MessageBoxes &messages)
    : m_applicationFolder(std::move(applicationFolder))
    , m_messages(messages)
{ }

QString EmbeddedFileWriter::extractionFailureMessage()
{
    return QStringLiteral(
        "Falha ao Salvar o schema de Validação, entre em  contato com o suporte da Quarel");
}

QString EmbeddedFileWriter::targetPath(const QString &filename) const
{
    // The extension is compared exactly: ".XSD" is not a schema.
    if (filename.endsWith(QLatin1String(".xsd")))
        return m_applicationFolder + QLatin1String("/Schema/") + filename;
    if (filename.endsWith(QLatin1String(".DLL")) || filename.endsWith(QLatin1String(".DEF")))
        return m_applicationFolder + QLatin1Char('/') + filename;
    return QString();
}

void EmbeddedFileWriter::SaveResourceAsFile(const QString &ResurceName, const QString &ResType,
                                            const QString &filename)
{
    const QString target = targetPath(filename);
    const QString resource = QLatin1String(":/") + ResType + QLatin1Char('/') + ResurceName;
    if (target.isEmpty() || !write(resource, target))
        m_messages.error(extractionFailureMessage());
}

bool EmbeddedFileWriter::write(const QString &resourcePath, const QString &target)
{
    QFile source(resourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();

    // A file in use, or a folder standing in its place, cannot be replaced.
    if (QFile::exists(target) && !QFile::remove(target))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

void EmbeddedFileWriter::writeAll()
{
    for (const EmbeddedFile &file : embeddedFiles())
        SaveResourceAsFile(file.resourceName, file.resourceType, file.fileName);
}

} // namespace tramora
