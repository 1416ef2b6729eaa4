#include "OfficeTab.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tramora {

OfficeTab::OfficeTab(QWidget *parent)
    : QWidget(parent)
    , m_cns(new QLineEdit(this))
{
    m_cns->setObjectName(QStringLiteral("Cns"));
    m_cns->setReadOnly(true);
    m_cns->setMaximumWidth(160);

    auto *cnsPanel = new QGroupBox(QStringLiteral("Número CNS"), this);
    auto *cnsLayout = new QHBoxLayout(cnsPanel);
    cnsLayout->addWidget(m_cns);
    cnsLayout->addStretch();

    auto *proxy = new QGroupBox(QStringLiteral("Conexão com a OLU via proxy"), this);
    m_configureProxy = new QPushButton(QStringLiteral("Configurar proxy"), proxy);
    m_clearProxy = new QPushButton(QStringLiteral("Limpar Proxy"), proxy);
    auto *proxyLayout = new QHBoxLayout(proxy);
    proxyLayout->addWidget(m_configureProxy);
    proxyLayout->addWidget(m_clearProxy);
    proxyLayout->addStretch();

    auto *note = new QGroupBox(QStringLiteral("Observação"), this);
    auto *noteLayout = new QVBoxLayout(note);
    auto *noteText = new QLabel(
        QStringLiteral(
            "Caso não tenha conseguido completar um dos passos, utilize a opção de suporte. "),
        note);
    noteText->setWordWrap(true);
    noteLayout->addWidget(noteText);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cnsPanel);
    layout->addWidget(proxy);
    layout->addWidget(note);
    layout->addStretch();
}

void OfficeTab::showCns(const QString &cns)
{
    m_cns->setText(cns);
}

} // namespace tramora
