#include "SettingsTab.h"

#include "common/FolderDialog.h"
#include "common/MessageBoxes.h"
#include "store/DataLayerError.h"
#include "store/DataModule.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace tramora {

namespace {

constexpr qint64 maxQuantUpLoad = 10;

QString joinLines(std::initializer_list<QString> lines)
{
    return QStringList(lines).join(QLatin1Char('\n'));
}

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

bool isInside(const QWidget *widget, const QWidget *group)
{
    for (; widget; widget = widget->parentWidget())
        if (widget == group)
            return true;
    return false;
}

} // namespace

SettingsTab::SettingsTab(Services services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
{
    auto *mode = createModeStep();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createFolderStep());
    layout->addWidget(createHomologationStep());
    layout->addWidget(mode);
    layout->addStretch();

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { onFocusChanged(now); });
    reload();
}

QGroupBox *SettingsTab::createFolderStep()
{
    auto *step = new QGroupBox(QStringLiteral("03 - Passo"), this);
    m_editGroups.append(step);
    auto *layout = new QVBoxLayout(step);
    layout->addWidget(wrappedLabel(
        QStringLiteral("O aplicativo irá encapsular o arquivo .pdf ou .p7s assinado com o de "
                       "Índice XML, para isto basta identificar o local que foi escolhido, por "
                       "padrão as pastas ficam no mesmo local do aplicativo de envio, porem esta "
                       "configuração esta liberada para modificação."),
        step));
    layout->addWidget(
        createFolderRow(QStringLiteral("Onde estão localizados os arquivos de indice XML e JSON "),
                        m_xmlFolder, m_locXml));
    layout->addWidget(createFolderRow(QStringLiteral("Onde estão localizados os documentos PDF ?"),
                                      m_pdfFolder, m_locPdf));
    m_xmlFolder->setObjectName(QStringLiteral("CaminhoXml"));
    m_pdfFolder->setObjectName(QStringLiteral("CaminhoPdf"));
    connect(m_locXml, &QPushButton::clicked, this, &SettingsTab::actLocXmlExecute);
    connect(m_locPdf, &QPushButton::clicked, this, &SettingsTab::actLocPdfExecute);
    return step;
}

QWidget *SettingsTab::createFolderRow(const QString &title, QLineEdit *&field, QPushButton *&button)
{
    auto *group = new QGroupBox(title, this);
    field = new QLineEdit(group);
    field->setReadOnly(true);
    button = new QPushButton(QStringLiteral("Localizar"), group);
    auto *layout = new QHBoxLayout(group);
    layout->addWidget(field, 1);
    layout->addWidget(button);
    return group;
}

QGroupBox *SettingsTab::createHomologationStep()
{
    auto *step = new QGroupBox(QStringLiteral("04 - Passo"), this);
    m_editGroups.append(step);
    m_homolog = new QCheckBox(
        QStringLiteral("Marque a caixa para avisar que o arquivo enviado será como Homologação"),
        step);
    m_homolog->setObjectName(QStringLiteral("Homolog"));
    connect(m_homolog, &QCheckBox::toggled, this, [this](bool checked) {
        if (!m_editing) {
            // A browsed record does not change; show what it holds again.
            const QSignalBlocker blocker(m_homolog);
            m_homolog->setChecked(!checked);
            return;
        }
        m_pending.Homolog = checked ? QStringLiteral("S") : QStringLiteral("N");
    });

    auto *layout = new QVBoxLayout(step);
    layout->addWidget(
        new QLabel(joinLines({QStringLiteral("Este passo será para opção do envio de teste de "),
                              QStringLiteral("homologação ou produção. ")}),
                   step));
    layout->addWidget(m_homolog);
    layout->addWidget(
        new QLabel(joinLines({QStringLiteral("Em caso de empresas desenvolvedoras de "),
                              QStringLiteral("softwares entrar em contato com a Quarel-VR, "),
                              QStringLiteral("para enviar arquivos de testes "),
                              QStringLiteral("com o CNS 000000.")}),
                   step));
    layout->addWidget(createSaveButton(step), 0, Qt::AlignLeft);
    return step;
}

QGroupBox *SettingsTab::createModeStep()
{
    auto *step = new QGroupBox(QStringLiteral("05 - Passo"), this);
    auto *layout = new QVBoxLayout(step);
    layout->addWidget(wrappedLabel(
        joinLines(
            {QStringLiteral(
                 "O aplicativo foi criado para a facilitar o envio das informações, como se trata "
                 "de arquivo(s) com tamanho(s) variados exige uma demanda "),
             QStringLiteral("de tempo para o envio e depende muito da conexão da internet para "
                            "isto 02(duas) opções foram criadas:"),
             QString(),
             QStringLiteral("1 - Manual - onde a verificação do envio em tempo real, onde o "
                            "usuário acompanha o envio esperando a confirmação pelo log."),
             QString(),
             QStringLiteral("2 - Automático -  onde o usuário pode gerar seus arquivos nas pastas "
                            "pré configuradas de XML e PDF, e o sistema se encarrega de enviar "),
             QStringLiteral("os lotes deixando o log, para verificação posterior do usuário. ")}),
        step));

    auto *automatic = new QGroupBox(QStringLiteral("Ativar, modo automático"), step);
    m_editGroups.append(automatic);
    m_processo = new QCheckBox(QStringLiteral("Ativar, modo automático"), automatic);
    m_processo->setObjectName(QStringLiteral("Processo"));
    connect(m_processo, &QCheckBox::toggled, this, [this](bool checked) {
        if (!m_editing) {
            const QSignalBlocker blocker(m_processo);
            m_processo->setChecked(!checked);
            return;
        }
        m_pending.Processo = checked;
    });
    auto *automaticLayout = new QVBoxLayout(automatic);
    automaticLayout->addWidget(m_processo);
    automaticLayout->addWidget(createSaveButton(automatic), 0, Qt::AlignLeft);

    auto *parallel = new QGroupBox(QStringLiteral("Envio de multiplos arquivos"), step);
    m_editGroups.append(parallel);
    m_quantUpLoad = new QLineEdit(parallel);
    m_quantUpLoad->setObjectName(QStringLiteral("QuantUpLoad"));
    // Typing is held to the buttons' range too: the send queue starts one FTP connection
    // per unit, and a mistyped 100 would open a hundred.
    m_quantUpLoad->setValidator(new QIntValidator(0, int(maxQuantUpLoad), m_quantUpLoad));
    m_quantUpLoad->setAlignment(Qt::AlignCenter);
    m_quantUpLoad->setMaximumWidth(90);
    QFont large = m_quantUpLoad->font();
    large.setPointSize(large.pointSize() * 2);
    large.setBold(true);
    m_quantUpLoad->setFont(large);

    m_up = new QToolButton(parallel);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setToolTip(QStringLiteral("Aumenta a Qunatidade de Envio de Arquivos "));
    m_down = new QToolButton(parallel);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setToolTip(QStringLiteral("Diminui a Qunatidade de Envio de Arquivos "));
    connect(m_up, &QToolButton::clicked, this, &SettingsTab::SpeedButton1Click);
    connect(m_down, &QToolButton::clicked, this, &SettingsTab::SpeedButton2Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    auto *number = new QHBoxLayout;
    number->addWidget(m_quantUpLoad);
    number->addLayout(buttons);
    number->addStretch();

    auto *observation = wrappedLabel(
        QStringLiteral("Observação: Verifique se o processo não ira consumir toda a sua conexão de "
                       "internet, quando maior a quantidade maior o consumo."),
        parallel);
    observation->setStyleSheet(QStringLiteral("color: red"));

    auto *parallelLayout = new QVBoxLayout(parallel);
    parallelLayout->addWidget(wrappedLabel(
        QStringLiteral("Determine quantos arquivos poderão ser enviados ao mesmo tempo"),
        parallel));
    parallelLayout->addLayout(number);
    parallelLayout->addWidget(observation);
    parallelLayout->addWidget(createSaveButton(parallel), 0, Qt::AlignLeft);

    auto *groups = new QHBoxLayout;
    groups->addWidget(automatic);
    groups->addWidget(parallel, 1);
    layout->addLayout(groups);
    return step;
}

QPushButton *SettingsTab::createSaveButton(QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("Salvar alterações"), parent);
    connect(button, &QPushButton::clicked, this, &SettingsTab::actSalvarExecute);
    m_saveButtons.append(button);
    return button;
}

void SettingsTab::showEvent(QShowEvent *event)
{
    // Another screen may have posted the record meanwhile.
    if (!m_editing)
        reload();
    QWidget::showEvent(event);
}

void SettingsTab::onFocusChanged(QWidget *now)
{
    if (m_editing || !now)
        return;
    for (const QGroupBox *group : std::as_const(m_editGroups))
        if (isInside(now, group)) {
            edit();
            return;
        }
}

void SettingsTab::edit()
{
    if (m_editing)
        return;
    m_pending = m_services.data->parametros();
    m_editing = true;
}

void SettingsTab::reload()
{
    m_editing = false;
    m_pending = m_services.data->parametros();
    showRecord(m_pending);
}

void SettingsTab::showRecord(const Parametros &record)
{
    m_xmlFolder->setText(record.CaminhoXml.value_or(QString()));
    m_pdfFolder->setText(record.CaminhoPdf.value_or(QString()));
    {
        const QSignalBlocker blocker(m_homolog);
        m_homolog->setChecked(record.Homolog == QStringLiteral("S"));
    }
    {
        const QSignalBlocker blocker(m_processo);
        m_processo->setChecked(record.Processo);
    }
    m_quantUpLoad->setText(record.QuantUpLoad ? QString::number(*record.QuantUpLoad) : QString());
}

void SettingsTab::post()
{
    edit();
    if (m_quantUpLoad->hasAcceptableInput())
        m_pending.QuantUpLoad = m_quantUpLoad->text().toLongLong();

    // Only this tab's columns: the proxy window and the CNS prompt post the same record, and
    // a stale copy of theirs must not overwrite what they stored.
    Parametros record = m_services.data->parametros();
    record.CaminhoXml = m_pending.CaminhoXml;
    record.CaminhoPdf = m_pending.CaminhoPdf;
    record.Homolog = m_pending.Homolog;
    record.Processo = m_pending.Processo;
    record.QuantUpLoad = m_pending.QuantUpLoad;
    try {
        m_services.data->postParametros(record);
    } catch (const DataLayerError &error) {
        // The edit stays open, so that the change can be saved again.
        m_services.messages->error(error.text());
        return;
    }
    m_editing = false;
    showRecord(record);
    if (m_services.homologationChanged)
        m_services.homologationChanged();
}

void SettingsTab::actSalvarExecute()
{
    post();
}

void SettingsTab::actLocXmlExecute()
{
    chooseFolder(&Parametros::CaminhoXml);
}

void SettingsTab::actLocPdfExecute()
{
    chooseFolder(&Parametros::CaminhoPdf);
}

void SettingsTab::chooseFolder(std::optional<QString> Parametros::*column)
{
    edit();
    const QString current = (m_pending.*column).value_or(QString());
    const QString start
        = !current.isEmpty() && QFileInfo(current).isDir() ? current : QDir::homePath();
    if (const std::optional<QString> chosen = m_services.folders->chooseFolder(start)) {
        if (const std::optional<QString> folder = createFolderAfterConfirmation(*chosen))
            m_pending.*column = *folder;
    }
    post();
}

std::optional<QString> SettingsTab::createFolderAfterConfirmation(const QString &folder)
{
    const QString path = QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
    if (QFileInfo(path).isDir())
        return path;
    if (QFileInfo::exists(path)) {
        m_services.messages->error(QStringLiteral("\"%1\" não é uma pasta.").arg(path));
        return std::nullopt;
    }
    if (!m_services.messages->confirmation(
            QStringLiteral("A pasta \"%1\" não existe. Deseja criá-la?").arg(path)))
        return std::nullopt;
    if (!QDir().mkpath(path)) {
        m_services.messages->error(
            QStringLiteral("Não foi possível criar a pasta \"%1\".").arg(path));
        return std::nullopt;
    }
    return path;
}

qint64 SettingsTab::currentQuantUpLoad() const
{
    // A value typed but not saved yet is where the buttons start from.
    if (m_quantUpLoad->hasAcceptableInput())
        return m_quantUpLoad->text().toLongLong();
    const Parametros &record = m_editing ? m_pending : m_services.data->parametros();
    return record.QuantUpLoad.value_or(0);
}

void SettingsTab::stepQuantUpLoad(int delta)
{
    const qint64 value = currentQuantUpLoad();
    if ((delta > 0 && value >= maxQuantUpLoad) || (delta < 0 && value <= 0))
        return;
    edit();
    m_pending.QuantUpLoad = value + delta;
    m_quantUpLoad->setText(QString::number(value + delta));
    post();
}

void SettingsTab::SpeedButton1Click()
{
    stepQuantUpLoad(+1);
}

void SettingsTab::SpeedButton2Click()
{
    stepQuantUpLoad(-1);
}

} // namespace tramora
