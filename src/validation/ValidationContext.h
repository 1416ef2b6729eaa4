#pragma once

#include "validation/ValidationState.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tramora {

class Clock;
class History;
struct Parametros;
struct ProcessValues;

// The validation state together with what every rule set reads from outside (clock,
// start-up values, the parameters record) and the one way they report a fault.
class ValidationContext final
{
public:
    ValidationContext(History &history, const Clock &clock, const ProcessValues &values,
                      const Parametros &parametros);
    ValidationContext(const ValidationContext &) = delete;
    ValidationContext &operator=(const ValidationContext &) = delete;

    ValidationState state;

    // The report step: the message becomes vMensagemErro and is filed under the label in the
    // record of the file (the index file unless another path is given).
    void report(const QString &label, const QString &message, const QString &path = QString());
    void reportOlu(const QString &message) { report(QStringLiteral("OLU"), message); }

    // The presence check: a missing tag is replaced by a detached empty element, so that
    // later rules read "", and the message is reported under "OLU". True when it reported.
    bool ensurePresent(XmlNode &node, const QString &tagName, const QString &message);

    // Text of a node that may be none (a tag absent where no presence check ran): "".
    static QString textOf(const XmlNode &node);
    // Rewrites the node's text with only its unaccented letters upper- or lower-cased and
    // returns the new text.
    static QString upperInPlace(const XmlNode &node);
    static QString lowerInPlace(const XmlNode &node);

    QDateTime now() const;
    QDate today() const;
    // The day-first text of an OLU date read as a date; nullopt when it is not a date.
    std::optional<QDate> oluDate(const QString &oluText) const;

    // The whole-number values of CodigoServico and TipoLivro; nullopt when the text is not a
    // whole number (or the tag has no node).
    std::optional<qint32> serviceCode() const;
    std::optional<qint32> bookType() const;

    const ProcessValues &values() const { return m_values; }
    const Parametros &parametros() const { return m_parametros; }
    History &history() { return m_history; }

private:
    History &m_history;
    const Clock &m_clock;
    const ProcessValues &m_values;
    const Parametros &m_parametros;
};

// Dates in messages are written as the office's short date: day/month/year.
QString shortDate(const QDate &date);

} // namespace tramora
