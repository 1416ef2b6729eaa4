#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace tramora {

// What the checker is told about the office and the moment it judges in.
struct CheckOptions
{
    std::optional<QString> cns; // the office CNS; none stands for a NULL record field
    std::optional<QString> documents; // the document folder; none: beside the index file
    std::optional<QDate> today; // "now" is that day at noon; none: the real clock
    std::optional<QString> appVersion; // none: the build's own
};

struct CheckResult
{
    QString index;
    bool accepted = false;
    // Each history record the judgment wrote: its file name and its text, in order.
    std::vector<std::pair<QString, QString>> history;
};

// Judges one index file set as the office's validation run would (index, document and
// release flags), against a fresh, empty,
// encrypted history of its own. Nothing of the set is moved, packed or deleted.
CheckResult checkIndexFile(const QString &index, const CheckOptions &options);

} // namespace tramora
