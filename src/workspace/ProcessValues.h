#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace tramora {

// The values the whole application shares, established at start-up. They live here, in
// one object that the start-up owns and hands to whoever needs it, not in free globals.
struct ProcessValues
{
    QString vCaminhoDoExecutavel; // the application folder, without trailing separator
    QString vCaminhoSchema;
    QString vCaminhoPreparados;
    QString vCaminhoRecusado;
    QString vCaminhoTransmissao;
    QString vCaminhoTemp;

    QStringList vLgpdTipoInforcacao;
    double vLimiteMaximoPaginaPDF = 0;

    // Busy flags: the validation and send handlers let pending events run between files.
    bool vValidandoArquivo = false;
    bool vEnviandoArquivo = false;
    bool vSelecionandoArquivo = false;

    QString appVersion; // four numbers joined by points, or "0"
    QString lVersion; // the central's published version; empty when not asked

    QDate vDataLimiteVersao13;
    QDate vDataLimiteVersao14;
    QDate vDataLimiteVersao15;
    QDate vDataLimiteVersao16;
    QDate vDataLimiteVersao17;
    QDate vDataLimiteVersao18;
    QDate vDataLimiteVersao20;
    QDate vDataLimiteVersao30;
    QDate vDataLimiteVersaoAtual;
};

} // namespace tramora
