#include "CnsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tramora {

namespace {

QLineEdit *digitsField(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setMaxLength(CnsDialog::maximumDigits);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(CnsDialog::maximumDigits)), field));
    return field;
}

} // namespace

CnsDialog::CnsDialog(QWidget *parent)
    : QDialog(parent)
    , m_cns(digitsField(this))
    , m_confirmation(digitsField(this))
    , m_mismatch(new QLabel(this))
    , m_buttons(new QDialogButtonBox(this))
{
    setWindowTitle(QStringLiteral("Tramora"));
    m_cns->setObjectName(QStringLiteral("cns"));
    m_confirmation->setObjectName(QStringLiteral("cnsConfirmation"));
    // Without the office's number every index file is refused; the packages are named after it.
    auto *explanation = new QLabel(QStringLiteral("Informe o Número CNS da serventia (até 6 "
                                                  "dígitos). Ele é usado em todos os envios."),
                                   this);
    explanation->setWordWrap(true);
    m_mismatch->setStyleSheet(QStringLiteral("color: red"));

    m_buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_buttons->addButton(QStringLiteral("Cancela"), QDialogButtonBox::RejectRole);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Número CNS:"), m_cns);
    form->addRow(QStringLiteral("Confirme o número:"), m_confirmation);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(m_mismatch);
    layout->addWidget(m_buttons);

    connect(m_cns, &QLineEdit::textChanged, this, &CnsDialog::updateState);
    connect(m_confirmation, &QLineEdit::textChanged, this, &CnsDialog::updateState);
    updateState();
}

QString CnsDialog::cns() const
{
    const QString typed = m_cns->text();
    if (typed.isEmpty() || typed != m_confirmation->text())
        return QString();
    return typed;
}

void CnsDialog::updateState()
{
    const bool differ
        = !m_confirmation->text().isEmpty() && m_cns->text() != m_confirmation->text();
    m_mismatch->setText(differ ? QStringLiteral("Os dois números não conferem.") : QString());
    const auto accept = m_buttons->buttons();
    for (QAbstractButton *button : accept) {
        if (m_buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->setEnabled(!cns().isEmpty());
    }
}

std::optional<QString> CnsDialogPrompt::askCns()
{
    CnsDialog dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted || dialog.cns().isEmpty())
        return std::nullopt;
    return dialog.cns();
}

} // namespace tramora
