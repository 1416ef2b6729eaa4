#include "validation/LgpdInformationTypes.h"

namespace tramora {

QStringList lgpdInformationTypeLines()
{
    return {
        QStringLiteral(
            "|CPF|e-Mail|Endereço|RG|Nome completo|Data nascimento|Foto|Sexo|Naturalidade|País "
            "residência|País nascimento|Bairro|Cidade|Cep|Profissão|Nacionalidade|Telefone|Estado "
            "Civil|Regime de Casamento|Data do Casamento|Filiação|"),
        QStringLiteral(
            "Passaporte|Tipo sanguíneo|Cor Pele|Exposto Politicamente|Título Eleitoral|PIS/NIS - "
            "Programa de Integração Social|CNIS - Cadastro Nacional de Informações Sociais|CNS - "
            "Cartão Nacional de Saúde|CTPS - Carteira de Trabalho e Previdência Social|"),
        QStringLiteral("OAB - Ordem dos Advogados do Brasil|CNH - Carteira Nacional de "
                       "Habilitação|CRM - Conselho Regional de Medicina|MAE - Ministério da "
                       "Aeronáutica|MEX - Ministério do Exército|MMA - Ministério da Marinha|CREA "
                       "- Conselho Regional de Engenharia e Agronomia|"),
        QStringLiteral(
            "CRC - Conselho Regional de Contabilidade|CAM - Certificado de Alistamento Militar|CR "
            "- Certificado de Reservista|CDI - Certificado de Dispensa de Incorporação"),
    };
}

QString lgpdInformationTypeText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

} // namespace tramora
