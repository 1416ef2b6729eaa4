#include "pdf/PdfDocumentRules.h"

#include "batch/FileOperations.h"
#include "common/FormatByteSize.h"
#include "pdf/PdfPageCounter.h"
#include "store/History.h"
#include "validation/FieldChecks.h"
#include "validation/ValidationState.h"

#include <QFileInfo>

#include <stdexcept>

namespace tramora {

namespace {

constexpr double emptyDocumentBytes = 20000;
constexpr double pageCountAllowanceBytes = 102400;

const QString crlf = QStringLiteral("\r\n");

QString sizeText(double bytes)
{
    return FormatByteSize(static_cast<qint64>(bytes));
}

QString missingMessage()
{
    return QStringLiteral(
        "Falha no XML a tag <CodigoServico> = \"2\" a \"11\" é obrigatório o envio "
        "do Arquivo PDF junto com XML Verifique! Vide Manual OLU");
}

QString emptyMessage(double bytes)
{
    return QStringLiteral("Arquivo \"PDF\"  Está Vazio, favor verificar, Tam/Pag atual:")
        + sizeText(bytes) + crlf + QStringLiteral(" Verifique ! Vide Manual OLU ");
}

QString tooLargeMessage(double bytes)
{
    return QStringLiteral("Arquivo \"PDF\"  muito grande, favor não ultrapassar 600kb por página, "
                          "Tam/Pag atual:")
        + sizeText(bytes) + crlf + QStringLiteral(" Verifique ! Vide Manual OLU ");
}

QString corruptMessage(const QString &arquivoPdf, double bytes)
{
    return QStringLiteral("O Arquivo \"PDF\" -> ") + QFileInfo(arquivoPdf).fileName()
        + QStringLiteral(" Tam: ") + sizeText(bytes) + QStringLiteral(" está corrompido.") + crlf
        + QStringLiteral(" Verifique ! Vide Manual OLU ");
}

qint32 serviceCodeOf(const ValidationState &state)
{
    const std::optional<qint32> code
        = state.vCodigoServico ? readInteger(state.vCodigoServico.Text()) : std::nullopt;
    if (!code)
        throw std::runtime_error("CodigoServico is not a whole number");
    return *code;
}

} // namespace

PdfDocumentRules::PdfDocumentRules(History &history)
    : m_history(history)
{ }

bool PdfDocumentRules::ValidaArquivoPDF(ValidationState &state, const QString &arquivoPdf)
{
    try {
        return examine(state, arquivoPdf);
    } catch (const std::exception &) {
        refuse(state, corruptMessage(arquivoPdf, vTamanhoArquivoPDF), arquivoPdf);
        return false;
    }
}

bool PdfDocumentRules::examine(ValidationState &state, const QString &arquivoPdf)
{
    // The size of the previous document must not reach this one's corruption message.
    vTamanhoArquivoPDF = 0;
    if (!QFileInfo::exists(arquivoPdf)) {
        if (serviceCodeOf(state) > 1) {
            refuse(state, missingMessage(), arquivoPdf);
            return false;
        }
    }

    vTamanhoArquivoPDF = static_cast<double>(TamanhoArquivo(arquivoPdf));
    if (vTamanhoArquivoPDF < emptyDocumentBytes) {
        refuse(state, emptyMessage(vTamanhoArquivoPDF), arquivoPdf);
        return false;
    }

    if (vLimiteMaximoPaginaPDF != 0) {
        vQuantidadePagiasPDF = GetPdfPageCount(arquivoPdf);
        double limit = vLimiteMaximoPaginaPDF;
        if (vQuantidadePagiasPDF > 1 && vTamanhoArquivoPDF > 0)
            limit = vQuantidadePagiasPDF * vLimiteMaximoPaginaPDF + pageCountAllowanceBytes;
        if (vTamanhoArquivoPDF > limit) {
            refuse(state, tooLargeMessage(vTamanhoArquivoPDF), arquivoPdf);
            return false;
        }
    }
    return true;
}

void PdfDocumentRules::refuse(ValidationState &state, const QString &message,
                              const QString &arquivoPdf)
{
    state.vMensagemErro = message;
    m_history.InserirLog(QStringLiteral("OLU"), message, arquivoPdf);
}

} // namespace tramora
