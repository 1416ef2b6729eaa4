#include "workspace/StandardVersions.h"

#include "workspace/ProcessValues.h"

namespace tramora {

namespace {

QDate parsed(QLatin1StringView version)
{
    for (const StandardVersionDate &entry : standardVersionDates) {
        if (entry.version == version)
            return QDate::fromString(QString(entry.date), QStringLiteral("dd/MM/yyyy"));
    }
    return {};
}

} // namespace

void setStandardVersionDates(ProcessValues &values)
{
    values.vDataLimiteVersao13 = parsed(QLatin1StringView("1.3"));
    values.vDataLimiteVersao14 = parsed(QLatin1StringView("1.4"));
    values.vDataLimiteVersao15 = parsed(QLatin1StringView("1.5"));
    values.vDataLimiteVersao16 = parsed(QLatin1StringView("1.6"));
    values.vDataLimiteVersao17 = parsed(QLatin1StringView("1.7"));
    values.vDataLimiteVersao18 = parsed(QLatin1StringView("1.8"));
    values.vDataLimiteVersao20 = parsed(QLatin1StringView("2.0"));
    values.vDataLimiteVersao30 = parsed(QLatin1StringView("3.0"));
    values.vDataLimiteVersaoAtual = values.vDataLimiteVersao30;
}

} // namespace tramora
