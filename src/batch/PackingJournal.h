#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace tramora {

// What must be known to finish or undo the packing of one set after the process was killed
// at any instant. It is written whole, before the first member leaves its drop folder, and
// written again once the package and its marker are complete in Temp.
struct PackingJournal
{
    enum class Phase {
        Moving, // members on their way into Temp; the package may be partial or missing
        Packed, // package and marker complete in Temp; they go on to Preparados
    };

    struct Member
    {
        QString original; // where the office dropped it
        QString working; // its package name in Temp
    };

    Phase phase = Phase::Moving;
    QString indexName; // the dropped index file's name, for the history
    std::vector<Member> members;
    QString zip;
    QString marker;

    bool write(const QString &path) const;
    static std::optional<PackingJournal> read(const QString &path);

    static QString suffix() { return QStringLiteral(".journal"); }
};

} // namespace tramora
