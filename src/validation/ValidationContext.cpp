#include "validation/ValidationContext.h"

#include "common/Clock.h"
#include "store/History.h"
#include "validation/FieldChecks.h"

namespace tramora {

ValidationContext::ValidationContext(History &history, const Clock &clock,
                                     const ProcessValues &values, const Parametros &parametros)
    : m_history(history)
    , m_clock(clock)
    , m_values(values)
    , m_parametros(parametros)
{ }

void ValidationContext::report(const QString &label, const QString &message, const QString &path)
{
    state.vMensagemErro = message;
    m_history.InserirLog(label, state.vMensagemErro, path.isEmpty() ? state.vArquivoXML : path);
}

bool ValidationContext::ensurePresent(XmlNode &node, const QString &tagName, const QString &message)
{
    if (node)
        return false;
    node = state.IXMLDocumentColeta->createElement(tagName);
    node.setText(QString());
    reportOlu(message);
    return true;
}

QString ValidationContext::textOf(const XmlNode &node)
{
    return node ? node.Text() : QString();
}

QString ValidationContext::upperInPlace(const XmlNode &node)
{
    if (!node)
        return QString();
    const QString text = asciiUpper(node.Text());
    node.setText(text);
    return text;
}

QString ValidationContext::lowerInPlace(const XmlNode &node)
{
    if (!node)
        return QString();
    const QString text = asciiLower(node.Text());
    node.setText(text);
    return text;
}

QDateTime ValidationContext::now() const
{
    return m_clock.now();
}

QDate ValidationContext::today() const
{
    return m_clock.now().date();
}

std::optional<QDate> ValidationContext::oluDate(const QString &oluText) const
{
    return readDayFirstDate(dayFirstText(oluText), today());
}

std::optional<qint32> ValidationContext::serviceCode() const
{
    return readInteger(textOf(state.vCodigoServico));
}

std::optional<qint32> ValidationContext::bookType() const
{
    return readInteger(textOf(state.vTipoLivro));
}

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace tramora
