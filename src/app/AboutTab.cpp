#include "AboutTab.h"

#include "SvgPicture.h"

#include "workspace/StandardVersions.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tramora {

namespace {

constexpr int validationFlowTab = 1;
constexpr int sendingFlowTab = 2;

QString applicationName()
{
    return QStringLiteral("Aplicativo de envio de documentos ") + QLatin1Char('\n')
        + QStringLiteral("para OLU.");
}

QStringList approvedIntegrations()
{
    return {QStringLiteral("1 - CNJ - Conselho Nacional de Justiça"),
            QStringLiteral("2 - Receita Federal do Brasil - DOI"),
            QStringLiteral("3 - INSS - Instituto Nacional do Seguro Social"),
            QStringLiteral("4 - TSE - Tribunal Superior Eleitoral"),
            QStringLiteral("5 - IBGE - Instituto Brasileiro de Geografia e Estatística"),
            QStringLiteral("6 - Secretaria da Fazenda do Estado"),
            QStringLiteral("7 - Tribunal de Justiça do Estado"),
            QStringLiteral("8 - Corregedoria Geral da Justiça"),
            QStringLiteral("9 - Ministério Público do Estado"),
            QStringLiteral("10 - Defensoria Pública do Estado"),
            QStringLiteral("11 - Junta Comercial do Estado"),
            QStringLiteral("12 - Departamento Estadual de Trânsito"),
            QStringLiteral("13 - Prefeituras Municipais"),
            QStringLiteral("14 - SIRC - Sistema Nacional de Informação de "),
            QStringLiteral("15 - Registro Civil"),
            QStringLiteral("16 - CRC - Central de informação de Registro Civil"),
            QStringLiteral("17 - Ministério da Saúde"),
            QStringLiteral("18 - COAF - Conselho de Controle de Atividades Financeiras"),
            QStringLiteral("19 - SINTER - Sistema Nacional de Gestão de "),
            QStringLiteral("Informações Territoriais")};
}

QWidget *diagramPage(const QString &resource, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new SvgPicture(resource, page));
    return page;
}

} // namespace

AboutTab::AboutTab(QWidget *parent)
    : QWidget(parent)
    , m_inner(new QTabWidget(this))
    , m_application(new QLabel(applicationName(), this))
    , m_versions(new QLabel(this))
{
    m_inner->setObjectName(QStringLiteral("pgcSobre"));

    auto *information = new QWidget(m_inner);
    auto *left = new QVBoxLayout;
    auto *logo = new SvgPicture(QStringLiteral(":/pictures/logo.svg"), information);
    logo->setFixedSize(200, 120);
    left->addWidget(logo);
    auto *applicationPanel = new QGroupBox(QStringLiteral("Aplicativo "), information);
    (new QVBoxLayout(applicationPanel))->addWidget(m_application);
    left->addWidget(applicationPanel);
    auto *developer = new QGroupBox(information);
    (new QVBoxLayout(developer))
        ->addWidget(new QLabel(QStringLiteral("Quarel-VR Sistemas\n"
                                              "suporte@quarelvr.example\n"
                                              "(00) 0000-0000"),
                               developer));
    left->addWidget(developer);
    left->addStretch();

    auto *right = new QVBoxLayout;
    auto *approved = new QGroupBox(QStringLiteral("Integração ja homologadas:"), information);
    (new QVBoxLayout(approved))
        ->addWidget(new QLabel(approvedIntegrations().join(QLatin1Char('\n')), approved));
    right->addWidget(approved);
    auto *ongoing = new QGroupBox(QStringLiteral("Integração em andamento:"), information);
    auto *ongoingText = new QLabel(
        QStringLiteral(
            "* Central de Serviços Eletrônicos Compartilhados dos Registradores de Imóveis"),
        ongoing);
    ongoingText->setWordWrap(true);
    (new QVBoxLayout(ongoing))->addWidget(ongoingText);
    right->addWidget(ongoing);
    right->addStretch();

    auto *informationLayout = new QHBoxLayout(information);
    informationLayout->addLayout(left);
    informationLayout->addLayout(right, 1);

    auto *dates = new QWidget(m_inner);
    auto *datesLayout = new QVBoxLayout(dates);
    datesLayout->addWidget(m_versions);
    datesLayout->addStretch();

    m_inner->addTab(information, QStringLiteral("Informações do aplicativo "));
    m_inner->addTab(diagramPage(QStringLiteral(":/pictures/validation-flow.svg"), m_inner),
                    QStringLiteral("Fluxo de validação dos Arquivos"));
    m_inner->addTab(diagramPage(QStringLiteral(":/pictures/sending-flow.svg"), m_inner),
                    QStringLiteral("Fluxo de envio para OLU"));
    m_inner->addTab(dates, QStringLiteral("Vigência das Verões"));
    m_inner->setTabVisible(validationFlowTab, false);
    m_inner->setTabVisible(sendingFlowTab, false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_inner);
}

QString AboutTab::versionTableText()
{
    QStringList lines;
    for (const StandardVersionDate &entry : standardVersionDates)
        lines << QStringLiteral("Versão %1 = \"%2\"").arg(entry.version, entry.date);
    return lines.join(QLatin1Char('\n'));
}

void AboutTab::fillAtStart(const QString &webVersionPanelText)
{
    m_application->setText(applicationName() + webVersionPanelText + QStringLiteral("   "));
    m_versions->setText(versionTableText());
}

void AboutTab::updateDiagramTabs(const QString &applicationFolder)
{
    const bool visible = QFileInfo::exists(applicationFolder + QLatin1Char('/') + markerFileName());
    m_inner->setTabVisible(validationFlowTab, visible);
    m_inner->setTabVisible(sendingFlowTab, visible);
}

bool AboutTab::diagramTabsVisible() const
{
    return m_inner->isTabVisible(validationFlowTab) && m_inner->isTabVisible(sendingFlowTab);
}

} // namespace tramora
