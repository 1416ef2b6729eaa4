#include "batch/SetJudgment.h"

#include "batch/BatchMessages.h"
#include "pdf/PdfDocumentRules.h"
#include "store/History.h"
#include "validation/FieldChecks.h"
#include "validation/IndexValidator.h"

#include <QFileInfo>

#include <stdexcept>

namespace tramora {

namespace {

const QString olu = QStringLiteral("OLU");
const QString pdf = QStringLiteral("PDF");

bool fromVersion20(const ValidationState &state)
{
    return state.vVersaoXml.compare(QLatin1String("2.0")) >= 0;
}

} // namespace

SetJudgment::SetJudgment(IndexValidator &validator, PdfDocumentRules &documents, History &history)
    : m_validator(validator)
    , m_documents(documents)
    , m_history(history)
{ }

ValidationState &SetJudgment::state()
{
    return m_validator.context().state;
}

bool SetJudgment::judge(const QString &indexPath, const QString &Arquivo,
                        const DocumentDropper &drop)
{
    ValidationState &s = state();
    // The engine keeps the index path and derives the others from it.
    s.vArquivoXML = indexPath;
    if (!m_validator.ValidaArquivoXML(indexPath)) {
        s.vMensagemErro = batchmsg::structureFailure();
        m_history.InserirLog(olu, s.vMensagemErro, Arquivo);
        return false;
    }
    s.vLiberaEnvioPDF = decideDocument(Arquivo, drop);
    if (!allReleased()) {
        s.vMensagemErro = batchmsg::attachmentsRefused(s);
        m_history.InserirLog(olu, s.vMensagemErro, Arquivo);
        return false;
    }
    return true;
}

bool SetJudgment::decideDocument(const QString &Arquivo, const DocumentDropper &drop)
{
    ValidationState &s = state();
    const qint32 code = s.vCodigoServico ? readInteger(s.vCodigoServico.Text()).value_or(0) : 0;
    const bool documentExists = QFileInfo::exists(s.vArquivoPDF);

    if (code >= 2 && code <= 11) {
        try {
            const bool travelsWithout = s.vTipoEnvio && s.vTipoEnvio.Text() == QLatin1String("A")
                && !s.vIntegracaoCentral.contains(olu, Qt::CaseInsensitive) && fromVersion20(s);
            if (travelsWithout) {
                if (documentExists && drop)
                    drop(s.vArquivoPDF);
                return true;
            }
            if (s.vArquivoPDF.endsWith(QLatin1String(".p7s")) && fromVersion20(s)) {
                s.vMensagemErro = batchmsg::p7sNoLongerAllowed();
                m_history.InserirLog(pdf, s.vMensagemErro, Arquivo);
                return false;
            }
            return m_documents.ValidaArquivoPDF(s, s.vArquivoPDF);
        } catch (const std::exception &) {
            s.vMensagemErro = batchmsg::documentCheckFailed();
            m_history.InserirLog(pdf, s.vMensagemErro, Arquivo);
            return false;
        }
    }
    if (code == 1 && documentExists)
        return m_documents.ValidaArquivoPDF(s, s.vArquivoPDF);
    return true;
}

bool SetJudgment::allReleased() const
{
    const ValidationState &s = m_validator.state();
    return s.vLiberaEnvioPDF && s.vLiberaEnvioCrc && s.vLiberaEnvioSirc && s.vLiberaEnvioSinter
        && s.vLiberaEnvioCori && s.vLiberaEnvioCPI && s.vLiberaEnvioMlri && s.vLiberaEnvioIbge;
}

} // namespace tramora
