#include "HistoryTab.h"

#include "common/MessageBoxes.h"
#include "history/PeriodFields.h"
#include "store/DataLayerError.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tramora {

namespace {

QLineEdit *periodField(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setInputMask(PeriodFields::inputMask());
    field->setMaxLength(10);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000"))
                         + 12);
    return field;
}

} // namespace

HistoryTab::HistoryTab(History &history, const Clock &clock, MessageBoxes &messages,
                       SaveFileDialog &saveFile, const QString &applicationFolder, QWidget *parent)
    : QWidget(parent)
    , m_messages(messages)
    , m_log(history, clock, messages, saveFile, applicationFolder)
    , m_model(history)
{
    auto *panel = new QGroupBox(QStringLiteral("08 - Passo Log(s) de Inconsistência(s)"), this);
    auto *note = new QPlainTextEdit(panel);
    note->setReadOnly(true);
    note->setPlainText(
        QStringLiteral("Os logs gravados serão somente dos arquivos com alguma incosistencia.")
        + QLatin1Char('\n')
        + QStringLiteral("O botão Gerar log, gera um arquivo xml com todas as inconsistências do "
                         "periodo que pode ser visualizado na guia validação."));
    note->setFixedHeight(note->fontMetrics().lineSpacing() * 3 + 12);

    m_periodoDe = periodField(panel);
    m_periodoAte = periodField(panel);
    m_buscaPeriodo = new QPushButton(QStringLiteral("Busca Periodo"), panel);
    m_gerarXmlLog = new QPushButton(QStringLiteral("Gerar xml do log"), panel);
    m_limparHistorico = new QPushButton(QStringLiteral("Limpar histórico"), panel);

    auto *fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("Periodo de"), panel));
    fields->addWidget(m_periodoDe);
    fields->addWidget(new QLabel(QStringLiteral("até"), panel));
    fields->addWidget(m_periodoAte);
    fields->addWidget(m_buscaPeriodo);
    fields->addWidget(m_gerarXmlLog);
    fields->addWidget(m_limparHistorico);
    fields->addStretch();
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(note);
    panelLayout->addLayout(fields);

    m_list = new QTableView(this);
    m_list->setModel(&m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(false);
    m_list->setColumnWidth(HistoryListModel::NomeArquivo, 350);
    m_list->setColumnWidth(HistoryListModel::DataEnvio, 138);

    m_erro = new QPlainTextEdit(this);
    m_erro->setReadOnly(true);
    m_erro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *records = new QHBoxLayout;
    records->addWidget(m_list, 1);
    records->addWidget(m_erro, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(records, 1);

    connect(m_buscaPeriodo, &QPushButton::clicked, this, &HistoryTab::AcBuscaPeriodoExecute);
    connect(m_gerarXmlLog, &QPushButton::clicked, this, &HistoryTab::actGerarXmlLogExecute);
    connect(m_limparHistorico, &QPushButton::clicked, this, &HistoryTab::actLimparLogExecute);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &HistoryTab::showSelectedErro);
}

void HistoryTab::setPeriod(const QDate &date)
{
    m_periodoDe->setText(PeriodFields::text(date));
    m_periodoAte->setText(PeriodFields::text(date));
}

void HistoryTab::enterTab()
{
    setPeriod(m_log.today());
    AcBuscaPeriodoExecute();
}

void HistoryTab::AcBuscaPeriodoExecute()
{
    m_log.AcBuscaPeriodoExecute(m_periodoDe->text(), m_periodoAte->text());
    reopenList();
}

void HistoryTab::actGerarXmlLogExecute()
{
    m_log.actGerarXmlLogExecute();
    reopenList();
}

void HistoryTab::actLimparLogExecute()
{
    if (m_log.actLimparLogExecute(m_periodoDe->text(), m_periodoAte->text()))
        reopenList();
}

void HistoryTab::reopenList()
{
    if (!m_log.isListOpen()) {
        m_model.close();
    } else {
        try {
            m_model.reload(m_log.searchedPeriod());
        } catch (const DataLayerError &error) {
            m_messages.error(error.text());
        }
    }
    // As when the records are opened: the first one is current and its text is shown.
    if (m_model.rowCount() > 0)
        m_list->setCurrentIndex(m_model.index(0, HistoryListModel::NomeArquivo));
    showSelectedErro();
}

void HistoryTab::showSelectedErro()
{
    const QModelIndex current = m_list->currentIndex();
    QString text = current.isValid() ? m_model.erroAt(current.row()) : QString();
    // A Qt text view breaks lines on LF; the history keeps CR LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_erro->setPlainText(text);
}

} // namespace tramora
