#include "batch/PackageNaming.h"

#include "validation/Windows1252.h"

namespace tramora {

namespace {

const QString homologTag = QStringLiteral("-Homolog");

bool belowVersion20(const QString &versao)
{
    return versao.compare(QLatin1String("2.0")) < 0;
}

// A side file's homologation name carries the tag just before its last extension.
QString withHomologTag(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return path.left(dot) + homologTag + path.mid(dot);
}

QString productionDocument(const QString &base, const QString &document, const QString &versao)
{
    if (document.endsWith(QLatin1String(".p7s")) && belowVersion20(versao))
        return base + QStringLiteral(".pdf.p7s");
    return base + QStringLiteral(".pdf");
}

QString homologDocument(const QString &base, const QString &productionCopy)
{
    if (productionCopy.endsWith(QLatin1String(".p7s")))
        return base + homologTag + QStringLiteral(".p7s");
    return base + homologTag + QStringLiteral(".pdf");
}

} // namespace

QString packageStamp(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("ddMMyyyyHHmmsszzz"));
}

PackagePlan planPackage(const QString &tempFolder, const QString &cns, const QString &stamp,
                        const QString &versao, bool homolog, const FileSetMembers &present)
{
    PackagePlan plan;
    plan.base = tempFolder + QLatin1Char('/') + cns + QLatin1Char('_') + stamp;
    const QString &base = plan.base;
    FileSetMembers &copy = plan.working;

    copy.index = base + QStringLiteral(".xml");
    if (!present.document.isEmpty())
        copy.document = productionDocument(base, present.document, versao);
    if (!present.sinter.isEmpty())
        copy.sinter = base
            + (belowVersion20(versao) ? QStringLiteral(".json") : QStringLiteral("_SINTER.json"));
    if (!present.cpi.isEmpty())
        copy.cpi = base + QStringLiteral("_CPI.json");
    if (!present.cori.isEmpty())
        copy.cori = base + QStringLiteral("_CORI.json");
    if (!present.mlri.isEmpty())
        copy.mlri = base + QStringLiteral("_MLRI.geojson");

    if (homolog) {
        copy.index = base + homologTag + QStringLiteral(".xml");
        if (!copy.document.isEmpty())
            copy.document = homologDocument(base, copy.document);
        for (QString *side : {&copy.sinter, &copy.cori, &copy.cpi, &copy.mlri}) {
            if (!side->isEmpty())
                *side = withHomologTag(*side);
        }
    }

    plan.zip = copy.index.left(copy.index.size() - 4) + QStringLiteral(".zip");
    plan.nomenclatura = copy.document.endsWith(QLatin1String(".p7s")) && belowVersion20(versao)
        ? QStringLiteral("-p7s")
        : QStringLiteral("-pdf");
    plan.marker = plan.zip.left(plan.zip.size() - 4) + plan.nomenclatura + QStringLiteral(".txt");
    return plan;
}

QByteArray markerContent(const QString &versao)
{
    return encodeWindows1252(versao) + QByteArrayLiteral("\r\n");
}

} // namespace tramora
