#pragma once

#include <QString>

#include <stdexcept>

namespace tramora {

// The schema itself could not be read or compiled.
class SchemaError final : public std::runtime_error
{
public:
    explicit SchemaError(const QString &text)
        : std::runtime_error(text.toStdString())
    { }
};

// Validates the XML file against the XSD file and returns the validator's reasons, one line
// per element found faulty (an element's line names the first fault inside it), parents
// before children, joined by CR LF; empty when the file conforms. A file that cannot be
// parsed yields "". Raises SchemaError when the schema cannot be used.
QString ValidarXmlComXsd(const QString &FileXML, const QString &FileXsd);

} // namespace tramora
