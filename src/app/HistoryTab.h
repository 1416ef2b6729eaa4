#pragma once

#include "history/HistoryListModel.h"
#include "history/InconsistencyLog.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace tramora {

class Clock;
class History;
class MessageBoxes;
class SaveFileDialog;

// Tab "05 - Inconsistência(s)": the period search over the history, the list of the visible
// records with the text of the selected one, the XML report and the clearing.
class HistoryTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryTab)

public:
    HistoryTab(History &history, const Clock &clock, MessageBoxes &messages,
               SaveFileDialog &saveFile, const QString &applicationFolder,
               QWidget *parent = nullptr);

    // Both period fields show this date.
    void setPeriod(const QDate &date);
    // "Busca Periodo": filters the history to the period of the two fields.
    void AcBuscaPeriodoExecute();
    // Entering the tab: both fields show today and the search runs.
    void enterTab();

    QLineEdit *periodoDe() const { return m_periodoDe; }
    QLineEdit *periodoAte() const { return m_periodoAte; }
    QPushButton *buscaPeriodo() const { return m_buscaPeriodo; }
    QPushButton *gerarXmlLog() const { return m_gerarXmlLog; }
    QPushButton *limparHistorico() const { return m_limparHistorico; }
    QTableView *list() const { return m_list; }
    QPlainTextEdit *erro() const { return m_erro; }

private:
    void actGerarXmlLogExecute();
    void actLimparLogExecute();
    void reopenList();
    void showSelectedErro();

    MessageBoxes &m_messages;
    InconsistencyLog m_log;
    HistoryListModel m_model;
    QLineEdit *m_periodoDe = nullptr;
    QLineEdit *m_periodoAte = nullptr;
    QPushButton *m_buscaPeriodo = nullptr;
    QPushButton *m_gerarXmlLog = nullptr;
    QPushButton *m_limparHistorico = nullptr;
    QTableView *m_list = nullptr;
    QPlainTextEdit *m_erro = nullptr;
};

} // namespace tramora
