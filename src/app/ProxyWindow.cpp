#include "ProxyWindow.h"

#include "common/MessageBoxes.h"
#include "store/DataLayerError.h"
#include "store/DataModule.h"
#include "transmission/FtpProxyRoute.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace tramora {

namespace {

// Shows each typed character of the password as "*", whatever the platform style draws.
class AsteriskPasswordStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

std::optional<QString> textOrNull(const QLineEdit *field)
{
    const QString text = field->text();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

} // namespace

QStringList ProxyWindow::proxyMethods()
{
    return {
        QStringLiteral("fpcmNone"),
        QStringLiteral("fpcmUserSite"),
        QStringLiteral("fpcmSite"),
        QStringLiteral("fpcmOpen"),
        QStringLiteral("fpcmUserPass"),
        QStringLiteral("fpcmTransparent"),
        QStringLiteral("fpcmUserHostFireWallID"),
        QStringLiteral("fpcmNovellBorder"),
        QStringLiteral("fpcmHttpProxyWithFtp"),
        QStringLiteral("fpcmCustomProxy "),
    };
}

ProxyWindow::ProxyWindow(DataModule &data, MessageBoxes &messages, QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , m_data(data)
    , m_messages(messages)
{
    setWindowTitle(QStringLiteral("Olu envio - Configura proxy"));
    setModal(true);
    resize(191, 318);

    m_editButton = new QPushButton(QStringLiteral("Editar"), this);
    m_saveButton = new QPushButton(QStringLiteral("Salvar"), this);
    m_cancelButton = new QPushButton(QStringLiteral("Cancelar"), this);
    for (QPushButton *button : {m_editButton, m_saveButton, m_cancelButton}) {
        button->setAutoDefault(false);
        button->setToolTip(button->text());
    }
    connect(m_editButton, &QPushButton::clicked, this, &ProxyWindow::edit);
    connect(m_saveButton, &QPushButton::clicked, this, &ProxyWindow::post);
    connect(m_cancelButton, &QPushButton::clicked, this, &ProxyWindow::cancel);
    auto *navigator = new QHBoxLayout;
    navigator->setSpacing(2);
    navigator->addWidget(m_editButton);
    navigator->addWidget(m_saveButton);
    navigator->addWidget(m_cancelButton);

    auto *group = new QGroupBox(QStringLiteral(" Configuração proxy "), this);
    auto *form = new QFormLayout(group);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    m_host = addField(form, QStringLiteral("Host"), QStringLiteral("Host"));
    m_porta = addField(form, QStringLiteral("Porta"), QStringLiteral("Porta"));
    m_usuario = addField(form, QStringLiteral("Usuário"), QStringLiteral("Usuario"));
    m_senha = addField(form, QStringLiteral("Senha"), QStringLiteral("Senha"));
    m_senha->setEchoMode(QLineEdit::Password);
    auto *asterisk = new AsteriskPasswordStyle;
    asterisk->setParent(m_senha);
    m_senha->setStyle(asterisk);

    m_tipo = new QComboBox(group);
    m_tipo->setObjectName(QStringLiteral("Tipo"));
    m_tipo->addItems(proxyMethods());
    m_tipo->installEventFilter(this);
    form->addRow(QStringLiteral("Tipo do proxy"), m_tipo);
    connect(m_tipo, &QComboBox::activated, this, &ProxyWindow::edit);
    connect(m_tipo, &QComboBox::currentIndexChanged, this, &ProxyWindow::updateMethodNotice);

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("methodNotice"));
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("color: red"));
    m_notice->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(navigator);
    layout->addWidget(group);
    layout->addWidget(m_notice);
    layout->addStretch();

    qryParametrosAfterScroll();
}

QLineEdit *ProxyWindow::addField(QFormLayout *form, const QString &label, const QString &name)
{
    auto *field = new QLineEdit(form->parentWidget());
    field->setObjectName(name);
    form->addRow(label, field);
    connect(field, &QLineEdit::textEdited, this, &ProxyWindow::edit);
    connect(field, &QLineEdit::textChanged, this, &ProxyWindow::updateMethodNotice);
    return field;
}

void ProxyWindow::edit()
{
    if (m_editing)
        return;
    m_pending = m_data.parametros();
    m_editing = true;
    updateNavigator();
}

bool ProxyWindow::post()
{
    edit();
    // The list's position, never its text: the upload reads Tipo as a number.
    if (m_tipo->currentIndex() >= 0)
        m_pending.Tipo = QString::number(m_tipo->currentIndex());

    // Only the proxy columns, over what the other screens stored meanwhile.
    Parametros record = m_data.parametros();
    record.Host = textOrNull(m_host);
    record.Porta = textOrNull(m_porta);
    record.Usuario = textOrNull(m_usuario);
    record.Senha = textOrNull(m_senha);
    record.Tipo = m_pending.Tipo;
    try {
        m_data.postParametros(record);
    } catch (const DataLayerError &error) {
        m_messages.error(error.text());
        return false;
    }
    m_editing = false;
    showRecord(record);
    return true;
}

void ProxyWindow::cancel()
{
    qryParametrosAfterScroll();
}

void ProxyWindow::qryParametrosAfterScroll()
{
    m_editing = false;
    m_pending = m_data.parametros();
    showRecord(m_pending);
}

void ProxyWindow::showRecord(const Parametros &record)
{
    m_host->setText(record.Host.value_or(QString()));
    m_porta->setText(record.Porta.value_or(QString()));
    m_usuario->setText(record.Usuario.value_or(QString()));
    m_senha->setText(record.Senha.value_or(QString()));
    // A Tipo that is not a position shows no entry rather than failing the whole reading.
    bool numeric = false;
    const int position = record.Tipo ? record.Tipo->trimmed().toInt(&numeric) : -1;
    m_tipo->setCurrentIndex(numeric && position >= 0 && position < m_tipo->count() ? position : -1);
    updateNavigator();
    updateMethodNotice();
}

void ProxyWindow::DBComboBox1Exit()
{
    if (!m_editing)
        return;
    m_pending.Tipo = QString::number(m_tipo->currentIndex());
}

void ProxyWindow::updateNavigator()
{
    m_editButton->setEnabled(!m_editing);
    m_saveButton->setEnabled(m_editing);
    m_cancelButton->setEnabled(m_editing);
}

void ProxyWindow::updateMethodNotice()
{
    FtpProxySettings proxy;
    proxy.Host = textOrNull(m_host);
    proxy.Porta = textOrNull(m_porta);
    proxy.Usuario = textOrNull(m_usuario);
    proxy.Senha = textOrNull(m_senha);
    const int position = m_tipo->currentIndex();
    if (position >= 0)
        proxy.Tipo = QString::number(position);

    QString reason;
    if (position >= 0 && !isFtpProxyMethodSupported(position)) {
        // The method fails whatever host is typed later, so say so before there is one.
        if (!proxy.Host)
            proxy.Host = QStringLiteral("proxy");
        reason = FtpProxyRoute::resolve(proxy).reason;
    } else if (proxy.Host) {
        reason = FtpProxyRoute::resolve(proxy).reason;
    }
    m_notice->setText(reason);
    m_notice->setVisible(!reason.isEmpty());
}

bool ProxyWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Opening the list's popup moves focus too, but does not leave the list.
    if (watched == m_tipo && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        DBComboBox1Exit();
    return QDialog::eventFilter(watched, event);
}

void ProxyWindow::done(int result)
{
    // Closing the window drops an edit that was not saved, so that a later post from the
    // settings tab cannot store it by accident.
    if (m_editing)
        cancel();
    QDialog::done(result);
}

} // namespace tramora
