#include "StatusTexts.h"

#include <QLocale>

namespace tramora::StatusTexts {

namespace {

const QString trailing = QStringLiteral("   ");
const QString eightBlanks = QString(8, QLatin1Char(' '));

} // namespace

QString makerLabel()
{
    return QStringLiteral("Quarel-VR");
}

QString dateDesign()
{
    return QStringLiteral("Data: dd/mm/aaaa");
}

QString versionDesign()
{
    return QStringLiteral("Versão: xx.xx.xx.xx      ");
}

QString webVersionDesign()
{
    return QStringLiteral("Versão Web: xx.xx.xx.xx     ");
}

QString userDesign()
{
    return QStringLiteral("Usuário:");
}

QString countdownDesign()
{
    return QStringLiteral("Status") + QString(10, QLatin1Char(' '));
}

QString date(const QDate &today)
{
    return QStringLiteral("Data: ") + QLocale().toString(today, QLocale::ShortFormat) + trailing;
}

QString version(const QString &running)
{
    return QStringLiteral("Versão: ") + running + trailing;
}

QString webVersion(const QString &lVersion)
{
    if (lVersion.isEmpty())
        return QStringLiteral("Versão OLU: 0.0.0.0   ");
    return QStringLiteral("Versão OLU: ") + lVersion + trailing;
}

QString user(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("Usuário: não foi identificado   ");
    return QStringLiteral("Usuário: ") + name + trailing;
}

QString countdown(const QDate &limit, const QDateTime &now, const QString &standardVersion)
{
    if (now.date() > limit)
        return QStringLiteral("Já está em vigor a VERSÃO ") + standardVersion + eightBlanks;
    // Whole days, cut towards zero: the effective day itself counts 0, not -1.
    const qint64 days = now.secsTo(limit.startOfDay()) / (24 * 60 * 60);
    return QStringLiteral("ATENÇÃO - Falta(m) ") + QString::number(days)
        + QStringLiteral(" dias para adequação da VERSÃO ") + standardVersion + eightBlanks;
}

} // namespace tramora::StatusTexts
