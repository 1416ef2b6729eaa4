#pragma once

#include "validation/XmlDocument.h"

#include <QString>

#include <memory>

namespace tramora {

// Everything one index file's validation knows, shared by the driver and every rule set.
// It belongs to the file under validation: emptied when the next file's validation starts,
// read by the batch run in between.
struct ValidationState
{
    std::unique_ptr<XmlDocument> IXMLDocumentColeta;
    QString vVersaoXml;

    XmlNode IXMLNodeResumo;
    XmlNode vDataCriacao;
    XmlNode vCnjCartorio;
    XmlNode vCodigoServico;
    XmlNode vNaturezaDocumento;
    XmlNode vDataProtocolo;
    XmlNode vNumeroProtocolo;
    XmlNode vDataAto;
    XmlNode vNumeroAto;
    XmlNode vLivro;
    XmlNode vFolha;
    XmlNode vPublicado;
    XmlNode vDataOcorrencia;
    XmlNode vNumeroSelo;
    XmlNode vMatricula;
    XmlNode vTipoLivro;
    XmlNode vTipoEnvio;
    XmlNode vProtocoloOLU;
    XmlNode vDocumentoAnexo;
    XmlNode vStatusAto;
    XmlNode vUsoCartorio;
    XmlNode vSequencia;
    XmlNode vIndicadorReal;
    XmlNode vExOficio;
    XmlNode vComplementoExOficio;
    XmlNode vGcStatusRtd;
    XmlNode vGcResumoDocumento;
    XmlNode vGcIdentificacaoConvenio;
    XmlNode vGcDigitoVerificador;

    XmlNode IXMLNodePartes;
    XmlNode IXMLNodeDados;
    XmlNode vNomeParte;
    XmlNode vDataNascimentoParte;
    XmlNode vNaturalParte;
    XmlNode vUFParte;
    XmlNode vCpfCnpjParte;
    XmlNode vTipoDaParteParte;
    XmlNode vDocumentosParte;

    XmlNode IXMLNodeIntegracao;
    XmlNode IXMLNodeIntegracaoCentral;
    QString vIntegracaoCentral;

    XmlNode IXMLNodeLGPD;
    XmlNode IXMLNodeLGPD_DadosPessoais;
    XmlNode IXMLNodeLGPD_DadosPessoais_Informacao;
    XmlNode IXMLNodeLGPD_Fonte;
    XmlNode IXMLNodeLGPD_Fonte_Informacao;
    XmlNode IXMLNodeLGPD_Cronograma;
    XmlNode IXMLNodeLGPD_Cronograma_Informacao;
    XmlNode IXMLNodeLGPD_Proposito;
    XmlNode IXMLNodeLGPD_Proposito_Finalidade;
    XmlNode IXMLNodeLGPD_Proposito_Minimizacao;
    XmlNode IXMLNodeLGPD_BaseLegal;
    XmlNode IXMLNodeLGPD_BaseLegal_Informacao;
    XmlNode IXMLNodeLGPD_Transferencia;
    XmlNode IXMLNodeLGPD_Transferencia_Item;
    XmlNode IXMLNodeLGPD_Transferencia_Item_Informacao;
    XmlNode IXMLNodeLGPD_Transferencia_Item_BaseLegal;
    XmlNode IXMLNodeLGPD_Transferencia_Item_Autorizacao;
    XmlNode IXMLNodeLGPD_Direito;
    XmlNode IXMLNodeLGPD_Direito_Politica;
    XmlNode IXMLNodeLGPD_Armazenamento;
    XmlNode IXMLNodeLGPD_Armazenamento_Formato;
    XmlNode IXMLNodeLGPD_Armazenamento_Tipo;
    XmlNode IXMLNodeLGPD_Armazenamento_Responsabilidade;
    XmlNode IXMLNodeLGPD_Armazenamento_Politica;
    XmlNode IXMLNodeLGPD_Seguranca;
    XmlNode IXMLNodeLGPD_Seguranca_Politica;
    XmlNode IXMLNodeLGPD_Seguranca_Responsabilidade;
    XmlNode IXMLNodeCRC;
    XmlNode IXMLNodeSirc;

    QString vArquivoXML;
    QString vArquivoPDF;
    QString vArquivoSinter;
    QString vArquivoCPI;
    QString vArquivoCori;
    QString vArquivoMlri;

    bool vLiberaEnvioPDF = false;
    bool vLiberaEnvioCrc = false;
    bool vLiberaEnvioSirc = false;
    bool vLiberaEnvioSinter = false;
    bool vLiberaEnvioCori = false;
    bool vLiberaEnvioCPI = false;
    bool vLiberaEnvioMlri = false;
    bool vLiberaEnvioIbge = false;

    QString vMensagemErro;
    QString vData;
};

} // namespace tramora
