#include "ValidationTab.h"

#include "ConnectionIndicator.h"
#include "FileListBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tramora {

ValidationTab::ValidationTab(QWidget *parent)
    : QWidget(parent)
    , m_indicator(new ConnectionIndicator(this))
    , m_homologation(new QLabel(this))
    , m_send(new QPushButton(QStringLiteral("Iniciar Processo de Envio"), this))
    , m_prepared(
          new FileListBox({QStringLiteral("*.TXT")}, QAbstractItemView::SingleSelection, this))
    , m_sending(new QTableView(this))
{
    m_prepared->setObjectName(QStringLiteral("FileListBox_Preparados"));
    m_sending->setObjectName(QStringLiteral("ListView_Envio"));
    m_sending->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sending->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sending->verticalHeader()->hide();
    m_sending->horizontalHeader()->setStretchLastSection(true);

    QFont bold = m_homologation->font();
    bold.setBold(true);
    m_homologation->setFont(bold);

    auto *connection = new QHBoxLayout;
    connection->addWidget(m_indicator);
    connection->addWidget(new QLabel(QStringLiteral("Conectado a Internet"), this));
    connection->addSpacing(40);
    connection->addWidget(m_homologation);
    connection->addStretch();

    auto *step = new QGroupBox(QStringLiteral("07 - Passo"), this);
    auto *stepLayout = new QVBoxLayout(step);
    stepLayout->addWidget(new QLabel(
        QStringLiteral("O aplicativo após executado fará o processo automático de ")
            + QLatin1Char('\n') + QStringLiteral("verificação dos seguintes processos:")
            + QLatin1String("\n\n")
            + QStringLiteral("1 - Valida os Arquivos XML e PDF, conforme o padrão OLU")
            + QLatin1String("\n\n")
            + QStringLiteral("2 - Envia os Arquivos de forma segura criptografada para o ")
            + QLatin1Char('\n') + QStringLiteral("servidor OLU"),
        step));
    stepLayout->addWidget(m_send, 0, Qt::AlignLeft);

    auto *prepared = new QVBoxLayout;
    prepared->addWidget(
        new QLabel(QStringLiteral("Arquivos validados e pronto para o envio"), this));
    prepared->addWidget(m_prepared);

    auto *upper = new QHBoxLayout;
    upper->addWidget(step, 1);
    upper->addLayout(prepared, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(connection);
    layout->addLayout(upper);
    layout->addWidget(new QLabel(QStringLiteral("Transmissão"), this));
    layout->addWidget(m_sending, 1);
}

void ValidationTab::setHomologation(bool homologation)
{
    m_homologation->setText(homologation
                                ? QStringLiteral("Você está enviando arquivos de homologação!")
                                : QStringLiteral("Você está enviando arquivos de produção!"));
    m_homologation->setStyleSheet(homologation ? QStringLiteral("color: red")
                                               : QStringLiteral("color: green"));
}

} // namespace tramora
