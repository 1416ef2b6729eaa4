#pragma once

#include "store/History.h"

#include <QDate>
#include <QString>

#include <optional>

namespace tramora {

class Clock;
class MessageBoxes;
class SaveFileDialog;

// The actions of the history tab over the store's history: the period search, the XML report
// and the clearing. Field texts come in as typed; every outcome the office must see is shown
// through the message boxes.
class InconsistencyLog final
{
public:
    InconsistencyLog(History &history, const Clock &clock, MessageBoxes &messages,
                     SaveFileDialog &saveFile, QString applicationFolder);
    InconsistencyLog(const InconsistencyLog &) = delete;
    InconsistencyLog &operator=(const InconsistencyLog &) = delete;

    // Entering the tab searches today.
    QDate today() const;

    // "Busca Periodo": true when the history is now filtered to the period. A field that is
    // not a date is reported and closes the list until a valid search; the history then keeps
    // its previous filter, so the validation run goes on filing its messages as before.
    bool AcBuscaPeriodoExecute(const QString &inicio, const QString &fim);

    // While false, the list shows nothing and the report is refused.
    bool isListOpen() const { return !m_searchError; }

    // The period of the last valid search, which the list shows and the report exports;
    // nothing before the first search, when every record is shown.
    const std::optional<HistoryPeriod> &searchedPeriod() const { return m_searched; }

    // "Gerar xml do log": the report of the records of the last search, saved as
    // "Recusado.xml" in the folder chosen in the save dialog. The path written, or nothing.
    std::optional<QString> actGerarXmlLogExecute();

    // "Limpar histórico": after the question, deletes the records dated inside the period typed
    // in the fields and every record without a date. The number deleted, or nothing when
    // nothing was deleted because of a field, the answer or a failure.
    std::optional<qint64> actLimparLogExecute(const QString &inicio, const QString &fim);

    // The folder the save dialog opens in.
    QString logFolder() const;

    static QString noRecordsMessage()
    {
        return QStringLiteral("Não existe nenhuma Inconsistência!");
    }
    static QString clearQuestion()
    {
        return QStringLiteral("Tem CERTEZA que deseja limpar o(s) Log(s) de inconsitência(s)?");
    }

private:
    // The period of the two fields, or the message that tells which one is wrong.
    std::optional<HistoryPeriod> periodOf(const QString &inicio, const QString &fim,
                                          QString &problem) const;
    void preparePeriodIndex();
    bool writeReport(const QString &target, const QString &builtReport);

    History &m_history;
    const Clock &m_clock;
    MessageBoxes &m_messages;
    SaveFileDialog &m_saveFile;
    QString m_applicationFolder;
    std::optional<QString> m_searchError;
    std::optional<HistoryPeriod> m_searched;
};

} // namespace tramora
