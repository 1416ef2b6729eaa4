#pragma once

#include <QString>

namespace tramora {

class History;
struct ValidationState;

// Decides whether the act's signed document may travel with its index: refuses a required
// document that is missing, one too small to be a real document and, while a per-page size
// limit is in force, one too large for its number of pages. Each refusal is filed under
// "OLU" in the document's own history record.
class PdfDocumentRules final
{
public:
    explicit PdfDocumentRules(History &history);

    // The per-page limit in bytes; 0 (the start value, and what the office runs with) means
    // no limit.
    double vLimiteMaximoPaginaPDF = 0;
    // What the last examination found: the page count (-1 when unknown) and the size.
    qint32 vQuantidadePagiasPDF = -1;
    double vTamanhoArquivoPDF = 0;

    // True when the document passes; otherwise the message is in state.vMensagemErro and in
    // the history. A failure while filing the corruption message itself reaches the caller.
    bool ValidaArquivoPDF(ValidationState &state, const QString &arquivoPdf);

private:
    bool examine(ValidationState &state, const QString &arquivoPdf);
    void refuse(ValidationState &state, const QString &message, const QString &arquivoPdf);

    History &m_history;
};

} // namespace tramora
