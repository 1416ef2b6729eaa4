#pragma once

#include "TestSupport.h"

#include "common/SaveFileDialog.h"
#include "store/DataModule.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace tramora::test {

// A save dialog that answers with the path the test chose and remembers how it was opened.
class ScriptedSaveFileDialog final : public SaveFileDialog
{
public:
    struct Opened
    {
        QString folder;
        QString fileName;
        QString pattern;
    };

    std::optional<QString> getSaveFileName(const QString &folder, const QString &fileName,
                                           const QString &pattern) override
    {
        opened.push_back({folder, fileName, pattern});
        return answer;
    }

    std::optional<QString> answer;
    std::vector<Opened> opened;
};

// A store of its own in a temporary application folder, with records written directly.
class HistoryFixture
{
public:
    HistoryFixture();

    // Date and time as day/month/year hh:mm:ss, or an empty text for a record without a date.
    void insert(const QString &NomeArquivo, const QString &when,
                const QString &Erro = QStringLiteral("OLU"));

    // NomeArquivo of every record left in the table, in row order.
    QStringList allNames();
    static QStringList namesOf(const std::vector<HistoryRecord> &records);

    History &history() { return store.history(); }
    QString applicationFolder() const { return folder.path(); }

    QTemporaryDir folder;
    RecordingMessageBoxes messages;
    FixedClock clock;
    DataModule store;
    ScriptedSaveFileDialog saveFile;
};

} // namespace tramora::test
