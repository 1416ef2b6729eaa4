#pragma once

#include <QString>

#include <stdexcept>

namespace tramora {

// A failure of the database layer; its text is what the office sees after the fixed message.
class DataLayerError final : public std::runtime_error
{
public:
    explicit DataLayerError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    { }

    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

} // namespace tramora
