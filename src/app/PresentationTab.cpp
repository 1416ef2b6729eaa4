#include "PresentationTab.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tramora {

namespace {

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

QString PresentationTab::manualAddress()
{
    return QStringLiteral("https://olu.quarelvr.example/manual-de-integracao");
}

PresentationTab::PresentationTab(HoverLink::Opener opener, QWidget *parent)
    : QWidget(parent)
    , m_manualLink(new HoverLink(manualAddress(), std::move(opener), this))
{
    m_manualLink->setObjectName(QStringLiteral("manualLink"));

    auto *welcome = new QLabel(QStringLiteral("Seja bem vindo."), this);
    QFont bold = welcome->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    welcome->setFont(bold);

    auto *support = new QGroupBox(this);
    auto *contacts = new QFormLayout(support);
    contacts->addRow(wrapped(
        QStringLiteral("Qualquer duvida a Quarel-VR, disponibiliza o suporte pelos canais abaixo:"),
        support));
    contacts->addRow(QStringLiteral("Portal:"),
                     new QLabel(QStringLiteral("https://www.quarelvr.example"), support));
    contacts->addRow(QStringLiteral("Portal OLU:"),
                     new QLabel(QStringLiteral("https://olu.quarelvr.example"), support));
    contacts->addRow(QStringLiteral("e-mail:"),
                     new QLabel(QStringLiteral("suporte@quarelvr.example"), support));
    contacts->addRow(QStringLiteral("Fone:"),
                     new QLabel(QStringLiteral("(00) 0000-0000"), support));
    contacts->addRow(QStringLiteral("Manual:"), m_manualLink);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(welcome);
    layout->addWidget(wrapped(
        QStringLiteral("O objetivo deste aplicativo é encapsular os arquivos .json,  .pdf ou .p7s "
                       "assinado com o Índice XML, e transmitir por conexão segura e criptografada "
                       "para a Central, após cada pacote enviado será disponibilizado o arquivo de "
                       "retorno com os protocolos de recebimento de cada ato gerado na OLU."),
        this));
    layout->addWidget(wrapped(
        QStringLiteral("O procedimento adotado para o envio das informações esta de acordo com "
                       "Art. 12 do Provimento que institui a Central de Informações e estão no "
                       "manual de integração OLU."),
        this));
    layout->addWidget(new QLabel(QStringLiteral("Seguir os passos acima"), this));
    layout->addWidget(support);
    layout->addStretch();
}

} // namespace tramora
