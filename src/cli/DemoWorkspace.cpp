// Prepares the demo workspace beside a built application: the office CNS 123456, the drop
// folders inside the workspace, and a few valid and faulty file sets dated yesterday, so a
// new user can press "Iniciar Processo de Envio" and watch sets validate, refuse and upload
// to the demo central. Sets are dropped only while the index folder holds none.
//
//   tramora-demo-workspace FOLDER

#include "ConsoleMessages.h"

#include "common/Clock.h"
#include "store/DataModule.h"
#include "workspace/ComputerNames.h"
#include "workspace/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace tramora;

namespace {

struct DemoSet
{
    const char *name;
    const char *cns;
    int service;
    const char *seal;
    qint64 documentBytes; // 0: no document
};

// Three sets that pass, one from another office, one with a bad seal and one whose
// document is empty.
constexpr DemoSet demoSets[] = {
    {"123456_firma_001", "123456", 1, "ABC12345", 25000},
    {"123456_firma_002", "123456", 1, "ABC12346", 0},
    {"123456_firma_003", "123456", 1, "ABC12347", 42000},
    {"123456_outro_cartorio", "654321", 1, "ABC12348", 25000},
    {"123456_selo_invalido", "123456", 1, "ABC1234X", 25000},
    {"123456_escritura_vazia", "123456", 2, "ABC12349", 900},
};

QString act(const DemoSet &set, const QString &day, int number)
{
    const bool deed = set.service == 2;
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Ato>\r\n  <Versao>3.0</Versao>\r\n"
               "  <Resumo>\r\n    <DataCriacao>%1</DataCriacao>\r\n    <CnjCartorio>%2"
               "</CnjCartorio>\r\n    <CodigoServico>%3</CodigoServico>\r\n"
               "    <NaturezaDocumento>%4</NaturezaDocumento>\r\n    <DataProtocolo>"
               "</DataProtocolo>\r\n    <NumeroProtocolo></NumeroProtocolo>\r\n    <DataAto>%1"
               "</DataAto>\r\n    <NumeroAto>%5</NumeroAto>\r\n    <Livro>12</Livro>\r\n"
               "    <Folha>34</Folha>\r\n    <Publicado>N</Publicado>\r\n    <DataOcorrencia>"
               "</DataOcorrencia>\r\n    <NumeroSelo>%6</NumeroSelo>\r\n    <Matricula>"
               "</Matricula>\r\n    <TipoLivro>%7</TipoLivro>\r\n    <TipoEnvio>P</TipoEnvio>\r\n"
               "    <ProtocoloOLU></ProtocoloOLU>\r\n    <DocumentoAnexo>S</DocumentoAnexo>\r\n"
               "    <StatusAto></StatusAto>\r\n    <UsoCartorio></UsoCartorio>\r\n"
               "    <Sequencia></Sequencia>\r\n    <IndicadorReal></IndicadorReal>\r\n"
               "    <ExOficio></ExOficio>\r\n    <ComplementoExOficio></ComplementoExOficio>\r\n"
               "    <GcStatusRtd></GcStatusRtd>\r\n    <GcResumoDocumento></GcResumoDocumento>\r\n"
               "    <GcIdentificacaoConvenio></GcIdentificacaoConvenio>\r\n"
               "    <GcDigitoVerificador></GcDigitoVerificador>\r\n  </Resumo>\r\n"
               "  <Partes><Dados><Nome>Maria da Silva</Nome><DataNascimento>1980-05-02"
               "</DataNascimento><Natural>Curitiba</Natural><UF>PR</UF><CpfCnpj>12345678909"
               "</CpfCnpj><TipoDaParte>Cliente</TipoDaParte><Documentos>RG 1234567</Documentos>"
               "</Dados></Partes><Lgpd><DadosPessoais><Informacao>CPF</Informacao><Informacao>"
               "Nome completo</Informacao></DadosPessoais><Fonte><Informacao>Documento "
               "apresentado</Informacao></Fonte><Cronograma><Informacao>1</Informacao>"
               "</Cronograma><Proposito><Finalidade>1</Finalidade><Minimizacao>S</Minimizacao>"
               "</Proposito><BaseLegal><Informacao>Lei 8.935/1994</Informacao></BaseLegal>"
               "<Transferencia><Item><Informacao>Central</Informacao><BaseLegal>S</BaseLegal>"
               "<Autorizacao>I</Autorizacao></Item></Transferencia><Direito><Politica>S"
               "</Politica></Direito><Armazenamento><Formato>1</Formato><Tipo>3</Tipo>"
               "<Responsabilidade>1</Responsabilidade><Politica>S</Politica></Armazenamento>"
               "<Seguranca><Politica>S</Politica><Responsabilidade>2</Responsabilidade>"
               "</Seguranca></Lgpd>\r\n</Ato>\r\n")
        .arg(day, QLatin1String(set.cns), QString::number(set.service),
             deed ? QStringLiteral("Escritura") : QStringLiteral("Cartão de Firma"),
             QString::number(number), QLatin1String(set.seal),
             deed ? QStringLiteral("2") : QStringLiteral("1"));
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray document(qint64 bytes)
{
    QByteArray content = QByteArrayLiteral("%PDF-1.4\n% demo document\n");
    content.append(QByteArray(std::max<qint64>(0, bytes - content.size()), ' '));
    return content.left(bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tramora-demo-workspace FOLDER\n");
        return 2;
    }
    const QString folder = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    ConsoleMessages messages("tramora-demo-workspace");
    SystemClock clock;
    // The application opens the store with this computer's key, so the demo uses it too.
    StartupSequence startup({folder, NomeComputador()}, messages, clock);
    DataModule &store = startup.createDataModule();
    if (startup.prepareWorkspace() == StartupSequence::Outcome::Quit)
        return 1;

    Parametros parametros = store.parametros();
    const QString xml = folder + QStringLiteral("/XML");
    const QString pdf = folder + QStringLiteral("/PDF");
    if (!parametros.Cns || parametros.Cns->trimmed().isEmpty())
        parametros.Cns = QStringLiteral("123456");
    if (!QFileInfo(parametros.CaminhoXml.value_or(QString())).isDir())
        parametros.CaminhoXml = xml;
    if (!QFileInfo(parametros.CaminhoPdf.value_or(QString())).isDir())
        parametros.CaminhoPdf = pdf;
    store.postParametros(parametros);

    if (!QDir(*parametros.CaminhoXml).entryList({QStringLiteral("*.xml")}, QDir::Files).isEmpty())
        return 0;
    const QString yesterday = clock.now().date().addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
    int number = 100;
    for (const DemoSet &set : demoSets) {
        const QString name = QLatin1String(set.name);
        if (!writeFile(*parametros.CaminhoXml + QLatin1Char('/') + name + QStringLiteral(".xml"),
                       act(set, yesterday, ++number).toUtf8()))
            return 1;
        if (set.documentBytes > 0
            && !writeFile(*parametros.CaminhoPdf + QLatin1Char('/') + name + QStringLiteral(".pdf"),
                          document(set.documentBytes)))
            return 1;
    }
    std::printf("demo sets dropped into %s\n", qPrintable(*parametros.CaminhoXml));
    return 0;
}
