#include "FileNameAlignment.h"

#include <QFileInfo>

namespace tramora {

namespace {

QString withoutLastExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool belongsTo(const QString &name, const QString &baseName)
{
    if (!name.startsWith(baseName, Qt::CaseInsensitive))
        return false;
    return name.size() == baseName.size() || name.at(baseName.size()) == QLatin1Char('.');
}

} // namespace

QString indexBaseName(const QString &path)
{
    return withoutLastExtension(QFileInfo(path).fileName());
}

QString documentBaseName(const QString &path)
{
    return withoutLastExtension(withoutLastExtension(QFileInfo(path).fileName()));
}

int findPartner(const QStringList &names, const QString &baseName)
{
    if (baseName.isEmpty())
        return -1;
    const qsizetype count = names.size();
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype i = (step + 1) % count;
        if (belongsTo(names.at(i), baseName))
            return int(i);
    }
    return -1;
}

} // namespace tramora
