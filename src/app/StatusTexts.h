#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tramora {

// The texts of the status bar's panels, before and after start-up fills them.
namespace StatusTexts {

QString makerLabel();
QString dateDesign();
QString versionDesign();
QString webVersionDesign();
QString userDesign();
QString countdownDesign();

QString date(const QDate &today);
QString version(const QString &running);
QString webVersion(const QString &lVersion);
QString user(const QString &name);

// The days left until the current standard binds, or the notice that it already does.
// standardVersion is the first three characters of the running version.
QString countdown(const QDate &limit, const QDateTime &now, const QString &standardVersion);

} // namespace StatusTexts

} // namespace tramora
