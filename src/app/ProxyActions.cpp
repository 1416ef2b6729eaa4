#include "ProxyActions.h"

#include "ProxyWindow.h"

#include "common/MessageBoxes.h"
#include "store/DataLayerError.h"
#include "store/DataModule.h"

#include <QRect>
#include <QWidget>

namespace tramora {

ProxyActions::ProxyActions(DataModule &data, MessageBoxes &messages, QWidget *mainWindow)
    : m_data(data)
    , m_messages(messages)
    , m_mainWindow(mainWindow)
{ }

ProxyWindow *ProxyActions::window()
{
    if (!m_window)
        m_window = new ProxyWindow(m_data, m_messages, m_mainWindow);
    return m_window;
}

void ProxyActions::actConfigProxyExecute()
{
    ProxyWindow *proxy = window();
    proxy->qryParametrosAfterScroll();
    if (m_mainWindow) {
        QRect frame = proxy->frameGeometry();
        frame.moveCenter(m_mainWindow->frameGeometry().center());
        proxy->move(frame.topLeft());
    }
    proxy->exec();
}

void ProxyActions::actResetProxyExecute()
{
    if (!m_messages.confirmation(
            QStringLiteral("Tem CERTEZA que deseja limpar as Configurações de Proxi para envio "
                           "dos Dados para OLU?")))
        return;
    Parametros record = m_data.parametros();
    record.Host.reset();
    record.Porta.reset();
    record.Usuario.reset();
    record.Tipo.reset();
    record.Senha.reset();
    try {
        m_data.postParametros(record);
    } catch (const DataLayerError &error) {
        m_messages.error(error.text());
        return;
    }
    if (m_window)
        m_window->qryParametrosAfterScroll();
}

} // namespace tramora
