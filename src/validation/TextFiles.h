#pragma once

#include <QString>

#include <stdexcept>

namespace tramora {

// A text file that is missing, cannot be opened or fails while being read; the text names it.
class FileReadError final : public std::runtime_error
{
public:
    explicit FileReadError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    { }

    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

// The whole file decoded with the workstation's ANSI code page. A UTF-8 byte-order mark is not
// recognised: it stays at the start as three characters, so a side file saved with one does not
// read as JSON.
QString JSONParaString(const QString &pDirArquivo);

// The file's first line in the ANSI code page: everything before the first CR or LF, the whole
// file when there is no line break, "" for an empty file.
QString AbreArquivoTexto(const QString &nomeDoArquivo);

} // namespace tramora
