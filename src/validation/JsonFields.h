#pragma once

#include <QString>

#include <stdexcept>

namespace tramora {

// The text searched is not one JSON object: it does not parse, holds an array or a scalar at the
// top level, is empty, or nests deeper than any side file has reason to.
class JsonStructureError final : public std::runtime_error
{
public:
    explicit JsonStructureError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    { }

    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

// The value of the field Campo wherever it sits in the JSON object JSON, "" when it is absent.
// The search goes depth first in document order and stops at the first non-empty find; a key
// matches when, trimmed, it equals Campo ignoring ASCII letter case. A string gives its content,
// a number its text as written, a literal its name (true, false, null). An array met on the way
// ends the search with its compact JSON text, whatever its key, every character outside
// U+0020..U+007F written as a lowercase \u escape. A field found empty ends only the scan of
// its own object.
QString GetCamposJsonString(const QString &JSON, const QString &Campo);

} // namespace tramora
