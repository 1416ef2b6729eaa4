#pragma once

#include "TestSupport.h"

#include "batch/ValidationRun.h"
#include "store/DataModule.h"
#include "workspace/Startup.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace tramora::test {

// A workspace with its real encrypted store, the office's drop folders and a validation run
// over them. The office is 123456; the clock stands at 11/12/2026 12:00:00.042.
class BatchFixture
{
public:
    explicit BatchFixture(bool homolog = false);

    QString xmlFolder() const { return folder.path() + QStringLiteral("/XML"); }
    QString pdfFolder() const { return folder.path() + QStringLiteral("/PDF"); }

    // Drops an index file (and, when documentBytes is not negative, a document of that size
    // with the given extension) named after base.
    void drop(const QString &base, const QString &xml, qint64 documentBytes = 25000,
              const QString &documentExtension = QStringLiteral(".pdf"));
    static QByteArray documentOfSize(qint64 bytes);

    // The names of the files of one of the workspace folders.
    QStringList filesIn(const QString &path) const;
    QString historyOf(const QString &fileName) const;

    // A package's entries, name to content; also fails the test if an entry is not Deflate.
    static std::map<QString, QByteArray> zipEntries(const QString &path);

    QTemporaryDir folder;
    RecordingMessageBoxes messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(12, 0, 0, 42))};
    StartupSequence startup;
    DataModule &store;
    ProcessValues &values;
    std::unique_ptr<ValidationRun> run;
};

} // namespace tramora::test
