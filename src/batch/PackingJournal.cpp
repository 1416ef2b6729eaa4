#include "batch/PackingJournal.h"

#include "batch/PackageWriter.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tramora {

namespace {

const QString phaseKey = QStringLiteral("phase");
const QString indexKey = QStringLiteral("index");
const QString membersKey = QStringLiteral("members");
const QString originalKey = QStringLiteral("original");
const QString workingKey = QStringLiteral("working");
const QString zipKey = QStringLiteral("zip");
const QString markerKey = QStringLiteral("marker");
const QString movingPhase = QStringLiteral("moving");
const QString packedPhase = QStringLiteral("packed");

} // namespace

bool PackingJournal::write(const QString &path) const
{
    QJsonArray list;
    for (const Member &member : members)
        list.append(QJsonObject{{originalKey, member.original}, {workingKey, member.working}});
    const QJsonObject object{
        {phaseKey, phase == Phase::Packed ? packedPhase : movingPhase},
        {indexKey, indexName},
        {membersKey, list},
        {zipKey, zip},
        {markerKey, marker},
    };
    return writeWholeFile(path, QJsonDocument(object).toJson());
}

std::optional<PackingJournal> PackingJournal::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QString phase = object.value(phaseKey).toString();
    if (phase != movingPhase && phase != packedPhase)
        return std::nullopt;

    PackingJournal journal;
    journal.phase = phase == packedPhase ? Phase::Packed : Phase::Moving;
    journal.indexName = object.value(indexKey).toString();
    journal.zip = object.value(zipKey).toString();
    journal.marker = object.value(markerKey).toString();
    for (const QJsonValue &value : object.value(membersKey).toArray()) {
        const QJsonObject member = value.toObject();
        const QString original = member.value(originalKey).toString();
        const QString working = member.value(workingKey).toString();
        if (original.isEmpty() || working.isEmpty())
            return std::nullopt;
        journal.members.push_back({original, working});
    }
    if (journal.zip.isEmpty() || journal.marker.isEmpty())
        return std::nullopt;
    return journal;
}

} // namespace tramora
