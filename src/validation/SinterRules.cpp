#include "validation/FieldChecks.h"
#include "validation/JsonFields.h"
#include "validation/RuleSets.h"
#include "validation/TextFiles.h"
#include "validation/ValidationContext.h"
#include "workspace/ProcessValues.h"

#include <QFileInfo>

#include <exception>
#include <stdexcept>

namespace tramora {

namespace {

qint32 wholeNumber(const QString &text)
{
    const std::optional<qint32> value = readInteger(text);
    if (!value)
        throw std::invalid_argument("'" + text.toStdString() + "' is not a valid integer value");
    return *value;
}

// Whether the act integrates with the central alone: the list occurs inside "|OLU|". An empty
// list (a first sending builds none) never does.
bool centralOnly(const QString &vIntegracaoCentral)
{
    return !vIntegracaoCentral.isEmpty()
        && QStringLiteral("|OLU|").contains(vIntegracaoCentral, Qt::CaseInsensitive);
}

// The checks of one SINTER file that is there: its version and, for deeds and powers of
// attorney from 2.0 on, the office's CNS. Reports under the SINTER file's own name.
class SinterFile
{
public:
    SinterFile(ValidationContext &context, const QString &Arquivo)
        : m_context(context)
        , m_arquivo(Arquivo)
    { }

    bool Valida(qint32 service)
    {
        m_result = true;
        // An unreadable file is the caller's to report.
        m_jsonString = JSONParaString(m_arquivo);
        try {
            const ValidationState &s = m_context.state;
            const ProcessValues &values = m_context.values();
            const QString versao = field(QStringLiteral("versao"));
            if (versao.isEmpty() || versao.compare(QLatin1String("1.7")) < 0
                || versao != s.vVersaoXml)
                fail(QStringLiteral(
                         "Arquivo \"JSON\" a Tag <Versao> tem que existir, não pode estar Dentro "
                         "de outra Tag Ex.:\r\n\"AtoNotarial\":{\"versao\":\"1.8\"} \r\n e o valor "
                         "deve ser igual a versao do XML, apartir da data :")
                     + shortDate(values.vDataLimiteVersao17) + QStringLiteral("\r\n")
                     + QStringLiteral(" Verifique ! Vide Manual OLU "));
            if ((service == 2 || service == 3) && s.vVersaoXml.compare(QLatin1String("2.0")) >= 0) {
                const QString cns = field(QStringLiteral("cns"));
                if (cns.isEmpty() || cns != ValidationContext::textOf(s.vCnjCartorio))
                    fail(
                        QStringLiteral("Falha no Arquivo \"SINTER\" a Tag <cns> tem que existir, "
                                       "não pode estar Dentro de outra Tag "
                                       "Ex.:\r\n\"AtoNotarial\":{\"cns\":\"0000000\"} \r\n e o "
                                       "valor deve ser igual a tag <Cns> do XML, apartir da data :")
                        + shortDate(values.vDataLimiteVersao20) + QStringLiteral("\r\n")
                        + QStringLiteral(" Verifique ! Vide Manual OLU "));
            }
        } catch (const std::exception &) {
            fail(QStringLiteral("Falha no Arquivo \"SINTER\" falha na estrutura do arquivo "
                                ".json(Sinter), apartir da data :")
                 + shortDate(m_context.values().vDataLimiteVersao17)
                 + QStringLiteral(" é obrigatório o envio do arquivo ") + QStringLiteral("\r\n")
                 + QStringLiteral("Erro: ") + m_erroAoBuscarCampo + QStringLiteral("\r\n")
                 + QStringLiteral(" Verifique ! Vide Manual OLU "));
        }
        return m_result;
    }

    void fail(const QString &message)
    {
        m_context.report(QStringLiteral("SINTER"), message, m_arquivo);
        m_result = false;
    }

private:
    // A value that reads as an error text stands for no value; the text is kept for the
    // structure message.
    QString field(const QString &name)
    {
        QString value = GetCamposJsonString(m_jsonString, name);
        if (value.contains(QLatin1String("ERRO : "))) {
            m_erroAoBuscarCampo = value;
            value.clear();
        }
        return value;
    }

    ValidationContext &m_context;
    const QString m_arquivo;
    QString m_jsonString;
    QString m_erroAoBuscarCampo;
    bool m_result = true;
};

} // namespace

bool ValidaArquivoSinter(ValidationContext &context, const QString &Arquivo)
{
    const ValidationState &s = context.state;
    const ProcessValues &values = context.values();
    if (s.vVersaoXml.compare(QLatin1String("1.7")) < 0
        || context.today() < values.vDataLimiteVersao17)
        return true;

    const std::optional<QDate> dataAto = context.oluDate(ValidationContext::textOf(s.vDataAto));
    if (!dataAto)
        throw std::invalid_argument("the act date is not a date");
    const qint32 service = context.serviceCode().value_or(0);
    const QString tipoLivro = ValidationContext::textOf(s.vTipoLivro);

    SinterFile sinter(context, Arquivo);
    if (*dataAto < values.vDataLimiteVersao17) {
        // Before 1.7 no SINTER file is examined; a real-estate book sent outside its service
        // is refused.
        if (service != 11 && wholeNumber(tipoLivro) == 18) {
            sinter.fail(QStringLiteral("Falha no Arquivo \"SINTER\" só é permitido o envio do "
                                       "SINTER quando a tag <DataAto> for maior ou igual a ")
                        + shortDate(values.vDataLimiteVersao17)
                        + QStringLiteral(" Verifique ! Vide Manual OLU "));
            return false;
        }
        return true;
    }

    const bool JsonExisite = QFileInfo::exists(Arquivo);
    try {
        switch (service) {
        case 2:
        case 3:
        case 10:
            return JsonExisite ? sinter.Valida(service) : true;
        case 9:
            if (JsonExisite)
                return sinter.Valida(service);
            if (!centralOnly(s.vIntegracaoCentral)) {
                sinter.fail(QStringLiteral("Falha no Arquivo \"SINTER\" para tag <CodigoServico> = "
                                           "\"9\" , É obrigatório o envio do arquivo .json(Sinter) "
                                           "junto com o XML \r\n apartir da data :")
                            + shortDate(values.vDataLimiteVersao17) + QStringLiteral("\r\n")
                            + QStringLiteral(" Verifique ! Vide Manual OLU "));
                return false;
            }
            return true;
        case 11:
            if (JsonExisite)
                return sinter.Valida(service);
            if (wholeNumber(tipoLivro) == 17 && !centralOnly(s.vIntegracaoCentral)) {
                sinter.fail(QStringLiteral(
                    "Falha no Arquivo \"SINTER\" para tag <CodigoServico> =  \"11\" a tag "
                    "<TipoLivro> = \"17\" \r\nÉ obrigatório o envio do arquivo .json(Sinter) junto "
                    "com o XML.  Verifique ! Vide Manual OLU "));
                return false;
            }
            return true;
        default:
            return true;
        }
    } catch (const std::exception &) {
        sinter.fail(QStringLiteral("Falha no Arquivo \"SINTER\" não foi possivel validara o "
                                   "arquivo .json(Sinter)  Verifique ! Vide Manual OLU "));
        return false;
    }
}

} // namespace tramora
