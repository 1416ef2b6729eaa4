// Measures the index validation engine against libxml2 alone on the same index files: the
// engine's whole validation of each file, read from disk as the batch run reads it, with the
// encrypted history on disk as the office has it, next to a bare parse and free of the bytes.
// About a third of the files carry a fault of the kinds offices send, so the history gets its
// share of writes; the valid files alone show what the rules cost without them.
//
// Files and stores go where QTemporaryDir puts them: when that is a tmpfs, point TMPDIR at a
// folder on a real disk, or the history's syncs cost nothing.
//
//   bench_validation [files] [rounds]        (default 1000 files, best of 3 rounds)

#include "BenchMessages.h"
#include "common/Clock.h"
#include "store/DataModule.h"
#include "validation/IndexValidator.h"
#include "validation/XmlSafety.h"
#include "workspace/ProcessValues.h"
#include "workspace/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

using namespace tramora;

namespace {

using SilentMessages = tramora::bench::BenchMessages;

// Not a developer computer, so the history is encrypted as in an office.
const QString computer = QStringLiteral("BENCH-OFFICE");
const QString officeCns = QStringLiteral("048291");
const QDateTime benchNow(QDate(2024, 6, 14), QTime(10, 30));

// ---------------------------------------------------------------------------------------------
// What the office software writes for one act.

struct Field
{
    QString tag;
    QString text;
};
using Fields = std::vector<Field>;

struct Act
{
    int service = 1;
    QString versao = QStringLiteral("3.0");
    Fields resumo;
    bool partesPresent = true;
    std::vector<Fields> partes;
    bool integracaoPresent = true;
    QStringList centrais;
    QStringList lgpdDados;
    QString lgpdMinimizacao = QStringLiteral("S");
    int lgpdTransfers = 1;
    bool sinter = false;
    QString sinterVersao = QStringLiteral("3.0");
    bool truncated = false;
};

QString *fieldText(Fields &fields, const char *tag)
{
    for (Field &field : fields) {
        if (field.tag == QLatin1String(tag))
            return &field.text;
    }
    return nullptr;
}

QString fieldValue(const Fields &fields, const char *tag)
{
    for (const Field &field : fields) {
        if (field.tag == QLatin1String(tag))
            return field.text;
    }
    return QString();
}

void setField(Fields &fields, const char *tag, const QString &text)
{
    if (QString *target = fieldText(fields, tag))
        *target = text;
}

void removeField(Fields &fields, const char *tag)
{
    std::erase_if(fields, [tag](const Field &field) { return field.tag == QLatin1String(tag); });
}

QString oluDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString compactDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

class Random
{
public:
    explicit Random(unsigned seed)
        : m_engine(seed)
    { }

    int between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }
    bool percent(int chance) { return between(1, 100) <= chance; }

    QString oneOf(std::initializer_list<const char *> texts)
    {
        const int index = between(0, int(texts.size()) - 1);
        return QString::fromUtf8(*(texts.begin() + index));
    }

    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + between(0, 9));
        return text;
    }

    QString letters(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'A' + between(0, 25));
        return text;
    }

    QDate dateBetween(const QDate &first, const QDate &last)
    {
        return first.addDays(between(0, int(first.daysTo(last))));
    }

private:
    std::mt19937 m_engine;
};

QChar digitChar(int value)
{
    return QChar(u'0' + value);
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}

QString validCpf(Random &random)
{
    QString number;
    do {
        number = random.digits(9);
    } while (number.count(number[0]) == number.size());
    const auto checkDigit = [&number](int firstWeight) {
        int sum = 0;
        for (int i = 0; i < number.size(); ++i)
            sum += digitValue(number[i]) * (firstWeight - i);
        const int rest = 11 - sum % 11;
        return rest >= 10 ? 0 : rest;
    };
    number += digitChar(checkDigit(10));
    number += digitChar(checkDigit(11));
    return number;
}

QString validCnpj(Random &random)
{
    QString number = random.digits(8) + QStringLiteral("0001");
    const auto checkDigit = [&number] {
        int sum = 0;
        int weight = 2;
        for (qsizetype i = number.size() - 1; i >= 0; --i) {
            sum += digitValue(number[i]) * weight;
            weight = weight == 9 ? 2 : weight + 1;
        }
        const int rest = sum % 11;
        return rest < 2 ? 0 : 11 - rest;
    };
    number += digitChar(checkDigit());
    number += digitChar(checkDigit());
    return number;
}

QString formattedCpf(const QString &cpf)
{
    return cpf.mid(0, 3) + QLatin1Char('.') + cpf.mid(3, 3) + QLatin1Char('.') + cpf.mid(6, 3)
        + QLatin1Char('-') + cpf.mid(9, 2);
}

QString personName(Random &random)
{
    return random.oneOf({"Maria",     "José",     "Ana",      "João",    "Antônio",
                         "Francisca", "Carlos",   "Paulo",    "Adriana", "Lucas",
                         "Juliana",   "Marcos",   "Patrícia", "Rafael",  "Aline",
                         "Luiz",      "Fernanda", "Gabriel",  "Camila",  "Pedro"})
        + QLatin1Char(' ')
        + random.oneOf({"Aparecida", "Carlos", "Eduardo", "Cristina", "Henrique", "Luísa", "de",
                        "Augusto", "Helena"})
        + QLatin1Char(' ')
        + random.oneOf({"da Silva", "dos Santos", "Oliveira", "Souza", "Rodrigues", "Ferreira",
                        "Alves", "Pereira", "Lima", "Gomes", "Ribeiro", "Carvalho", "Araújo",
                        "Conceição", "Magalhães"});
}

QString companyName(Random &random)
{
    return random.oneOf({"Comércio de Materiais", "Transportes", "Agropecuária", "Construtora",
                         "Distribuidora de Alimentos", "Serviços Médicos"})
        + QLatin1Char(' ')
        + random.oneOf({"Bela Vista", "Nova Era", "São Jorge", "Horizonte", "Vale Verde"})
        + QStringLiteral(" Ltda");
}

struct City
{
    const char *name;
    const char *uf;
};

constexpr std::array<City, 10> cities{{
    {"São Paulo", "SP"},
    {"Campinas", "SP"},
    {"Ribeirão Preto", "SP"},
    {"Belo Horizonte", "MG"},
    {"Uberlândia", "MG"},
    {"Curitiba", "PR"},
    {"Londrina", "PR"},
    {"Goiânia", "GO"},
    {"Salvador", "BA"},
    {"Florianópolis", "SC"},
}};

// The roles a service's parties take, the first ones first; longer lists repeat the last.
QStringList rolesOf(int service)
{
    switch (service) {
    case 1:
        return {QStringLiteral("Cliente")};
    case 2:
        return {QStringLiteral("Outorgante Vendedor"), QStringLiteral("Outorgado Comprador"),
                QStringLiteral("Interveniente Anuente")};
    case 3:
        return {QStringLiteral("Outorgante"), QStringLiteral("Outorgado")};
    case 4:
        return {QStringLiteral("Criança"), QStringLiteral("Filiação"), QStringLiteral("Filiação"),
                QStringLiteral("Declarante")};
    case 5:
        return {QStringLiteral("Nubente 1"), QStringLiteral("Nubente 2"),
                QStringLiteral("Testemunha")};
    case 6:
        return {QStringLiteral("Falecido"), QStringLiteral("Declarante"),
                QStringLiteral("Filiação")};
    case 7:
        return {QStringLiteral("Emancipado"), QStringLiteral("Genitor")};
    case 8:
        return {QStringLiteral("Devedor")};
    case 9:
        return {QStringLiteral("Apresentante"), QStringLiteral("Contratante"),
                QStringLiteral("Contratado")};
    case 10:
        return {QStringLiteral("Requerente"), QStringLiteral("Sócio Administrador"),
                QStringLiteral("Sócio")};
    default:
        return {QStringLiteral("Transmitente"), QStringLiteral("Adquirente")};
    }
}

Fields makeParty(Random &random, int service, const QString &role, const QDate &dataAto,
                 const QDate &ocorrencia)
{
    const City &city = cities[std::size_t(random.between(0, int(cities.size()) - 1))];
    const bool company = (service == 8 || service == 10 || service == 9) && random.percent(30);
    QDate born = random.dateBetween(QDate(1938, 1, 1), dataAto.addYears(-18));
    if (role == QStringLiteral("Criança"))
        born = ocorrencia;
    QString document = company ? validCnpj(random) : validCpf(random);
    if (!company && random.percent(25))
        document = formattedCpf(document);
    // Parents and declarants of a civil-registry act often come without a taxpayer number.
    if (service >= 4 && service <= 6 && role != QStringLiteral("Criança") && random.percent(20))
        document.clear();
    return {
        {QStringLiteral("Nome"), company ? companyName(random) : personName(random)},
        {QStringLiteral("DataNascimento"), company ? QString() : oluDate(born)},
        {QStringLiteral("Natural"), company ? QString() : QString::fromUtf8(city.name)},
        {QStringLiteral("UF"), QString::fromUtf8(city.uf)},
        {QStringLiteral("CpfCnpj"), document},
        {QStringLiteral("TipoDaParte"), role},
        {QStringLiteral("Documentos"),
         company
             ? QStringLiteral("Contrato Social registrado na Junta Comercial")
             : QStringLiteral("RG %1 SSP/%2").arg(random.digits(9), QString::fromUtf8(city.uf))},
    };
}

QString naturezaOf(Random &random, int service)
{
    switch (service) {
    case 1:
        return QStringLiteral("Cartão de Firma");
    case 2:
        return random.oneOf({"Escritura de Compra e Venda", "Escritura de Doação",
                             "Escritura de Inventário e Partilha"});
    case 3:
        return random.oneOf({"Procuração", "Substabelecimento", "Revogação de Procuração"});
    case 4:
    case 5:
    case 6:
        return random.percent(80) ? QStringLiteral("Registro") : QStringLiteral("Averbação");
    case 7:
        return random.oneOf(
            {"Registro de Emancipação", "Registro de Interdição", "Traslado de Assento"});
    case 8:
        return random.oneOf({"Protesto de Duplicata", "Protesto de Nota Promissória",
                             "Protesto de Certidão de Dívida Ativa"});
    case 9:
        return random.oneOf({"Registro de Contrato", "Notificação Extrajudicial",
                             "Registro de Documento para Conservação"});
    case 10:
        return random.oneOf({"Registro de Ata", "Registro de Estatuto", "Alteração Contratual"});
    default:
        return random.oneOf({"Abertura", "Registro", "Averbação"});
    }
}

QString tipoLivroOf(Random &random, int service)
{
    switch (service) {
    case 1:
        return QStringLiteral("1");
    case 2:
        return QStringLiteral("2");
    case 3:
        return random.percent(70) ? QStringLiteral("4") : QStringLiteral("5");
    case 4:
        return QStringLiteral("6");
    case 5:
        return random.percent(70) ? QStringLiteral("7") : QStringLiteral("8");
    case 6:
        return random.percent(70) ? QStringLiteral("9") : QStringLiteral("10");
    case 7:
        return QStringLiteral("11");
    case 8:
        return QStringLiteral("12");
    case 9:
        return random.percent(70) ? QStringLiteral("13") : QStringLiteral("14");
    case 10:
        return random.percent(70) ? QStringLiteral("15") : QStringLiteral("16");
    default:
        return random.percent(60) ? QStringLiteral("17") : QStringLiteral("18");
    }
}

// The centrals an act of the service is announced to, all of them allowed for the service.
QStringList centraisOf(Random &random, int service, const QString &tipoLivro)
{
    QStringList list{QStringLiteral("OLU")};
    switch (service) {
    case 2:
    case 3:
        list << QStringLiteral("SINTER");
        if (random.percent(40))
            list << QStringLiteral("CPI");
        break;
    case 4:
    case 5:
    case 6:
        list << QStringLiteral("IBGE");
        break;
    case 9:
    case 10:
        list << QStringLiteral("SINTER");
        break;
    case 11:
        list << QStringLiteral("SINTER");
        if (tipoLivro == QLatin1String("17"))
            list << QStringLiteral("CORI") << QStringLiteral("MLRI");
        break;
    default:
        break;
    }
    return list;
}

QString protocoloOlu(Random &random, const QDate &dataCriacao)
{
    const QDate first = dataCriacao.addDays(-random.between(1, 30));
    return compactDate(first) + compactDate(first.addDays(random.between(0, 2))) + officeCns
        + QStringLiteral("%1").arg(random.between(1, 999999999), 12, 10, QLatin1Char('0'));
}

bool hasProtocol(int service)
{
    return service >= 8 && service <= 11;
}

bool hasBookAndPage(int service)
{
    return (service >= 2 && service <= 8) || service == 10;
}

Act makeValidAct(Random &random, int service)
{
    Act act;
    act.service = service;
    const QDate today = benchNow.date();
    const QDate dataAto = random.dateBetween(QDate(2020, 9, 1), today.addDays(-1));
    const QDate dataCriacao = std::min(today, dataAto.addDays(random.between(0, 3)));
    const QDate ocorrencia = dataAto.addDays(-random.between(0, 20));
    const QString tipoLivro = tipoLivroOf(random, service);
    const bool update = random.percent(30);
    const bool exOficio = random.percent(4);
    const bool civil = service >= 4 && service <= 7;

    QString statusAto;
    if (random.percent(5)) {
        if (service == 5)
            statusAto = QStringLiteral("Homoafetivo");
        else if (service == 11)
            statusAto = tipoLivro == QLatin1String("17") ? QStringLiteral("Encerrado")
                                                         : QStringLiteral("Ativo");
        else if (service != 2)
            statusAto = QStringLiteral("Cancelado");
    }
    const QString gcStatus = service == 9 && random.percent(50) ? QStringLiteral("S") : QString();

    act.resumo = {
        {QStringLiteral("DataCriacao"), oluDate(dataCriacao)},
        {QStringLiteral("CnjCartorio"), officeCns},
        {QStringLiteral("CodigoServico"), QString::number(service)},
        {QStringLiteral("NaturezaDocumento"), naturezaOf(random, service)},
        {QStringLiteral("DataProtocolo"),
         hasProtocol(service) ? oluDate(dataAto.addDays(-random.between(0, 10))) : QString()},
        {QStringLiteral("NumeroProtocolo"),
         hasProtocol(service) ? QString::number(random.between(1000, 480000)) : QString()},
        {QStringLiteral("DataAto"), oluDate(dataAto)},
        {QStringLiteral("NumeroAto"), QString::number(random.between(1, 250000))},
        {QStringLiteral("Livro"),
         hasBookAndPage(service) ? QString::number(random.between(1, 900)) : QString()},
        {QStringLiteral("Folha"),
         hasBookAndPage(service)
             ? QStringLiteral("%1").arg(random.between(1, 400), 3, 10, QLatin1Char('0'))
             : QString()},
        {QStringLiteral("Publicado"),
         service == 11 || random.percent(60) ? QStringLiteral("S") : QStringLiteral("N")},
        {QStringLiteral("DataOcorrencia"), civil ? oluDate(ocorrencia) : QString()},
        {QStringLiteral("NumeroSelo"), exOficio ? QString() : random.letters(3) + random.digits(5)},
        {QStringLiteral("Matricula"),
         civil ? officeCns + QStringLiteral("0155") + QString::number(dataAto.year())
                 + QString::number(service - 3) + random.digits(15) + random.digits(2)
               : QString()},
        {QStringLiteral("TipoLivro"), tipoLivro},
        {QStringLiteral("TipoEnvio"), update ? QStringLiteral("A") : QStringLiteral("P")},
        {QStringLiteral("ProtocoloOLU"), update ? protocoloOlu(random, dataCriacao) : QString()},
        {QStringLiteral("DocumentoAnexo"),
         service == 1 && random.percent(30) ? QStringLiteral("N") : QStringLiteral("S")},
        {QStringLiteral("StatusAto"), statusAto},
        {QStringLiteral("UsoCartorio"),
         random.percent(50) ? QStringLiteral("Escrevente autorizado %1").arg(personName(random))
                            : QString()},
        {QStringLiteral("Sequencia"),
         tipoLivro == QLatin1String("17") ? QString::number(random.between(1, 12)) : QString()},
        {QStringLiteral("IndicadorReal"),
         tipoLivro == QLatin1String("17") ? QStringLiteral("1") : QString()},
        {QStringLiteral("ExOficio"), exOficio ? QStringLiteral("I") : QString()},
        {QStringLiteral("ComplementoExOficio"),
         exOficio ? QStringLiteral("Averbação de ofício por determinação judicial") : QString()},
        {QStringLiteral("GcStatusRtd"), gcStatus},
        {QStringLiteral("GcResumoDocumento"),
         gcStatus.isEmpty() ? QString()
                            : QStringLiteral("Contrato de prestação de serviços, %1 folhas")
                                  .arg(random.between(2, 40))},
        {QStringLiteral("GcIdentificacaoConvenio"),
         gcStatus.isEmpty() ? QString() : validCnpj(random)},
        {QStringLiteral("GcDigitoVerificador"),
         gcStatus.isEmpty() ? QString() : QString::number(random.between(0, 99))},
    };

    const QStringList roles = rolesOf(service);
    const int parties = random.between(2, 6);
    for (int i = 0; i < parties; ++i) {
        const QString &role = roles[std::min<qsizetype>(i, roles.size() - 1)];
        act.partes.push_back(makeParty(random, service, role, dataAto, ocorrencia));
    }

    act.centrais = centraisOf(random, service, tipoLivro);
    act.lgpdDados = {QStringLiteral("Nome completo"), QStringLiteral("CPF")};
    if (random.percent(70))
        act.lgpdDados << QStringLiteral("Data nascimento") << QStringLiteral("Naturalidade");
    if (random.percent(50))
        act.lgpdDados << QStringLiteral("Endereço") << QStringLiteral("Estado Civil");
    if (civil)
        act.lgpdDados << QStringLiteral("Filiação");
    act.lgpdTransfers = random.between(1, 3);
    act.sinter = service == 2 || service == 3 || service >= 9;
    return act;
}

// One fault per faulty file. A SINTER fault withholds only the side file, so its act stays
// accepted.
enum class Fault {
    WrongCns,
    InvalidDataAto,
    FutureDataAto,
    InvalidDataCriacao,
    MissingTags,
    BadSeal,
    BadProtocoloOlu,
    ProtocoloOnFirstSending,
    UnlistedCentral,
    CentralNotAllowed,
    MissingIntegracao,
    OldStandard,
    Truncated,
    MissingPartes,
    BadPublicado,
    NoAttachedDocument,
    UnsentBookType,
    ServiceRule,
    BadParty,
    BadLgpd,
    BadSinter,
};
constexpr int faultKinds = int(Fault::BadSinter) + 1;

const char *faultName(Fault fault)
{
    static constexpr std::array<const char *, faultKinds> names{
        "wrong CNS",        "invalid DataAto",
        "future DataAto",   "invalid DataCriacao",
        "missing tags",     "bad seal",
        "bad ProtocoloOLU", "ProtocoloOLU with P",
        "unlisted central", "central not allowed",
        "no Integracao",    "old standard",
        "truncated file",   "no Partes",
        "bad Publicado",    "no attached document",
        "book type 3",      "service rule",
        "bad party",        "bad Lgpd",
        "bad SINTER",
    };
    return names[std::size_t(fault)];
}

// What offices get wrong about the rules of their own service: a book type, a nature or a
// date the general rules accept and the service refuses, or a title's registry data.
void breakServiceRule(Random &random, Act &act)
{
    Fields &resumo = act.resumo;
    const QDate sixYearsAgo = benchNow.date().addYears(-6).addDays(-random.between(0, 300));
    switch (act.service) {
    case 1:
        switch (random.between(0, 2)) {
        case 0:
            // Only unaccented letters are lowered, so the capital "Ã" stays and fails.
            setField(resumo, "NaturezaDocumento", QStringLiteral("CARTÃO DE FIRMA"));
            break;
        case 1:
            setField(resumo, "TipoLivro", QStringLiteral("01"));
            break;
        default:
            setField(resumo, "DataAto", oluDate(sixYearsAgo));
            break;
        }
        break;
    case 2:
        setField(resumo, "TipoLivro", QStringLiteral("4"));
        break;
    case 3:
        setField(resumo, "TipoLivro", QStringLiteral("2"));
        break;
    case 4:
        setField(resumo, "TipoLivro", QStringLiteral("7"));
        break;
    case 5:
        setField(resumo, "NaturezaDocumento", QStringLiteral("Casamento Civil"));
        break;
    case 6:
        setField(resumo, "TipoLivro", QStringLiteral("11"));
        break;
    case 7:
        setField(resumo, "TipoLivro", QStringLiteral("12"));
        break;
    case 8:
        setField(resumo, "DataAto", oluDate(sixYearsAgo));
        setField(resumo, "DataProtocolo", oluDate(sixYearsAgo.addDays(-random.between(0, 10))));
        break;
    case 9: {
        // The agreement's CNPJ with its last check digit off by one.
        QString cnpj = validCnpj(random);
        cnpj[13] = digitChar((digitValue(cnpj[13]) + 1) % 10);
        setField(resumo, "GcStatusRtd", QStringLiteral("S"));
        setField(resumo, "GcResumoDocumento", QStringLiteral("Contrato de locação comercial"));
        setField(resumo, "GcIdentificacaoConvenio", cnpj);
        setField(resumo, "GcDigitoVerificador", QString::number(random.between(0, 99)));
        break;
    }
    case 10:
        setField(resumo, "TipoLivro", QStringLiteral("17"));
        break;
    default:
        setField(resumo, "NaturezaDocumento", QStringLiteral("Escritura de Compra e Venda"));
        break;
    }
}

// Faults about updates need an update: the act becomes one, announced to its centrals.
void makeUpdate(Random &random, Act &act)
{
    setField(act.resumo, "TipoEnvio", QStringLiteral("A"));
    const QDate dataCriacao
        = QDate::fromString(*fieldText(act.resumo, "DataCriacao"), QStringLiteral("yyyy-MM-dd"));
    setField(act.resumo, "ProtocoloOLU", protocoloOlu(random, dataCriacao));
}

void applyFault(Random &random, Act &act, Fault fault)
{
    Fields &resumo = act.resumo;
    switch (fault) {
    case Fault::WrongCns:
        setField(resumo, "CnjCartorio", QStringLiteral("048219"));
        break;
    case Fault::InvalidDataAto:
        setField(resumo, "DataAto", QStringLiteral("%1-02-30").arg(random.between(2021, 2023)));
        break;
    case Fault::FutureDataAto:
        setField(resumo, "DataAto", oluDate(benchNow.date().addDays(random.between(2, 60))));
        break;
    case Fault::InvalidDataCriacao:
        setField(resumo, "DataCriacao",
                 QDate::fromString(*fieldText(resumo, "DataCriacao"), QStringLiteral("yyyy-MM-dd"))
                     .toString(QStringLiteral("dd/MM/yyyy")));
        break;
    case Fault::MissingTags:
        removeField(resumo, "NumeroSelo");
        removeField(resumo, "UsoCartorio");
        removeField(resumo, "GcDigitoVerificador");
        break;
    case Fault::BadSeal: {
        QString *selo = fieldText(resumo, "NumeroSelo");
        if (selo->isEmpty())
            *selo = random.letters(3) + random.digits(5);
        *selo = random.percent(50) ? selo->left(7) + QLatin1Char('X') : selo->left(6);
        break;
    }
    case Fault::BadProtocoloOlu: {
        makeUpdate(random, act);
        QString *protocolo = fieldText(resumo, "ProtocoloOLU");
        switch (random.between(0, 3)) {
        case 0:
            (*protocolo)[2] = QLatin1Char('O');
            break;
        case 1:
            protocolo->replace(4, 2, QStringLiteral("13"));
            break;
        case 2:
            protocolo->replace(16, 6, QStringLiteral("052871"));
            break;
        default:
            protocolo->replace(22, 12, QStringLiteral("999999999999"));
            break;
        }
        break;
    }
    case Fault::ProtocoloOnFirstSending: {
        const QDate dataCriacao
            = QDate::fromString(*fieldText(resumo, "DataCriacao"), QStringLiteral("yyyy-MM-dd"));
        setField(resumo, "TipoEnvio", QStringLiteral("P"));
        setField(resumo, "ProtocoloOLU", protocoloOlu(random, dataCriacao));
        break;
    }
    case Fault::UnlistedCentral:
        makeUpdate(random, act);
        act.centrais.insert(1, QStringLiteral("XPTO"));
        break;
    case Fault::CentralNotAllowed:
        makeUpdate(random, act);
        act.centrais << (act.service >= 4 && act.service <= 6 ? QStringLiteral("SINTER")
                                                              : QStringLiteral("SIRC"));
        break;
    case Fault::MissingIntegracao:
        makeUpdate(random, act);
        act.integracaoPresent = false;
        break;
    case Fault::OldStandard:
        act.versao = QStringLiteral("2.0");
        break;
    case Fault::Truncated:
        act.truncated = true;
        break;
    case Fault::MissingPartes:
        act.partesPresent = false;
        break;
    case Fault::BadPublicado:
        setField(resumo, "Publicado",
                 act.service == 11 ? QStringLiteral("N") : QStringLiteral("X"));
        break;
    case Fault::NoAttachedDocument:
        setField(resumo, "DocumentoAnexo", act.service == 1 ? QString() : QStringLiteral("N"));
        break;
    case Fault::UnsentBookType:
        setField(resumo, "TipoLivro", QStringLiteral("3"));
        break;
    case Fault::ServiceRule:
        breakServiceRule(random, act);
        break;
    case Fault::BadParty: {
        Fields &party = act.partes.back();
        QString *document = fieldText(party, "CpfCnpj");
        *document = validCpf(random);
        (*document)[10] = digitChar((digitValue((*document)[10]) + 1) % 10);
        removeField(party, "Documentos");
        break;
    }
    case Fault::BadLgpd:
        act.lgpdDados << QStringLiteral("Carteira de Motorista");
        act.lgpdMinimizacao = QStringLiteral("X");
        break;
    case Fault::BadSinter:
        act.sinter = true;
        act.sinterVersao = QStringLiteral("2.0");
        break;
    }
}

class XmlWriter
{
public:
    void open(const char *tag)
    {
        line(QLatin1Char('<') + QLatin1String(tag) + QLatin1Char('>'));
        ++m_depth;
    }
    void close(const char *tag)
    {
        --m_depth;
        line(QStringLiteral("</") + QLatin1String(tag) + QLatin1Char('>'));
    }
    void element(const QString &tag, const QString &text)
    {
        if (text.isEmpty())
            line(QLatin1Char('<') + tag + QStringLiteral("/>"));
        else
            line(QLatin1Char('<') + tag + QLatin1Char('>') + text.toHtmlEscaped()
                 + QStringLiteral("</") + tag + QLatin1Char('>'));
    }
    void element(const char *tag, const QString &text) { element(QLatin1String(tag), text); }
    void fields(const Fields &fields)
    {
        for (const Field &field : fields)
            element(field.tag, field.text);
    }
    const QString &text() const { return m_text; }

private:
    void line(const QString &content)
    {
        m_text += QString(m_depth * 2, QLatin1Char(' ')) + content + QStringLiteral("\r\n");
    }

    QString m_text;
    int m_depth = 0;
};

void writeLgpd(XmlWriter &xml, const Act &act)
{
    xml.open("Lgpd");
    xml.open("DadosPessoais");
    for (const QString &kind : act.lgpdDados)
        xml.element("Informacao", kind);
    xml.close("DadosPessoais");
    xml.open("Fonte");
    xml.element("Informacao", QStringLiteral("Documentos apresentados pelas partes"));
    xml.element("Informacao", QStringLiteral("Acervo da serventia"));
    xml.close("Fonte");
    xml.open("Cronograma");
    xml.element("Informacao", QStringLiteral("1"));
    xml.close("Cronograma");
    xml.open("Proposito");
    xml.element("Finalidade", QStringLiteral("1"));
    xml.element("Minimizacao", act.lgpdMinimizacao);
    xml.close("Proposito");
    xml.open("BaseLegal");
    xml.element("Informacao",
                QStringLiteral("Art. 7º, II - cumprimento de obrigação legal ou "
                               "regulatória pelo controlador"));
    xml.close("BaseLegal");
    xml.open("Transferencia");
    static const std::array<const char *, 3> receivers{
        "Central OLU", "Órgãos públicos por determinação legal", "Poder Judiciário"};
    for (int i = 0; i < act.lgpdTransfers; ++i) {
        xml.open("Item");
        xml.element("Informacao", QString::fromUtf8(receivers[std::size_t(i)]));
        xml.element("BaseLegal", QStringLiteral("S"));
        xml.element("Autorizacao", i == 0 ? QStringLiteral("I") : QStringLiteral("N"));
        xml.close("Item");
    }
    xml.close("Transferencia");
    xml.open("Direito");
    xml.element("Politica", QStringLiteral("S"));
    xml.close("Direito");
    xml.open("Armazenamento");
    xml.element("Formato", QStringLiteral("3"));
    xml.element("Tipo", QStringLiteral("3"));
    xml.element("Responsabilidade", QStringLiteral("1"));
    xml.element("Politica", QStringLiteral("S"));
    xml.close("Armazenamento");
    xml.open("Seguranca");
    xml.element("Politica", QStringLiteral("S"));
    xml.element("Responsabilidade", QStringLiteral("1"));
    xml.close("Seguranca");
    xml.close("Lgpd");
}

// Office software on the workstations writes ISO-8859-1 with CR LF line ends.
QByteArray indexBytes(const Act &act)
{
    XmlWriter xml;
    xml.open("Ato");
    xml.element("Versao", act.versao);
    xml.open("Resumo");
    xml.fields(act.resumo);
    xml.close("Resumo");
    if (act.partesPresent) {
        xml.open("Partes");
        for (const Fields &party : act.partes) {
            xml.open("Dados");
            xml.fields(party);
            xml.close("Dados");
        }
        xml.close("Partes");
    }
    if (act.integracaoPresent) {
        xml.open("Integracao");
        for (const QString &central : act.centrais)
            xml.element("Central", central);
        xml.close("Integracao");
    }
    writeLgpd(xml, act);
    xml.close("Ato");

    QByteArray bytes = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n")
        + xml.text().toLatin1();
    // As the office software leaves a file when it stops in mid-write.
    if (act.truncated)
        bytes.truncate(bytes.size() * 2 / 3);
    return bytes;
}

QByteArray sinterBytes(const Act &act)
{
    return QStringLiteral("{\"AtoNotarial\":{\"versao\":\"%1\",\"cns\":\"%2\",\"tipoAto\":\"%3\","
                          "\"dataAto\":\"%4\",\"livro\":\"%5\",\"folha\":\"%6\"}}")
        .arg(act.sinterVersao, officeCns, fieldValue(act.resumo, "NaturezaDocumento"),
             fieldValue(act.resumo, "DataAto"), fieldValue(act.resumo, "Livro"),
             fieldValue(act.resumo, "Folha"))
        .toUtf8();
}

struct IndexFile
{
    QString path;
    QByteArray url;
    QByteArray bytes;
    bool valid = true;
    Fault fault = Fault::WrongCns;
    int service = 1;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::vector<IndexFile> generateFiles(const QString &folder, int count)
{
    Random random(20240614u);
    std::vector<IndexFile> files;
    files.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        // Every service code in turn, so even a small corpus holds acts of all of them.
        const int service = i % 11 + 1;
        Act act = makeValidAct(random, service);
        IndexFile file;
        file.service = service;
        if (random.between(0, 2) == 0) {
            file.valid = false;
            file.fault = Fault(random.between(0, faultKinds - 1));
            applyFault(random, act, file.fault);
        }
        const QString base
            = QStringLiteral("%1_%2").arg(officeCns).arg(i + 1, 6, 10, QLatin1Char('0'));
        file.path = folder + QLatin1Char('/') + base + QStringLiteral(".xml");
        file.url = QFile::encodeName(file.path);
        file.bytes = indexBytes(act);
        if (!writeFile(file.path, file.bytes)
            || (act.sinter
                && !writeFile(folder + QLatin1Char('/') + base + QStringLiteral("_SINTER.json"),
                              sinterBytes(act)))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.path));
            std::exit(1);
        }
        files.push_back(std::move(file));
    }
    return files;
}

// ---------------------------------------------------------------------------------------------
// Measurements.

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

Timing timed(const std::function<void()> &work)
{
    QElapsedTimer wall;
    const std::clock_t cpuStart = std::clock();
    wall.start();
    work();
    Timing timing;
    timing.wallMs = double(wall.nsecsElapsed()) / 1e6;
    timing.cpuMs = double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
    return timing;
}

void keepBest(Timing &best, const Timing &t, int round)
{
    if (round == 0 || t.wallMs < best.wallMs)
        best = t;
}

using Subset = std::vector<const IndexFile *>;

Timing parseOnly(const Subset &files)
{
    return timed([&] {
        for (const IndexFile *file : files) {
            xmlDocPtr doc = xmlReadMemory(file->bytes.constData(), int(file->bytes.size()),
                                          file->url.constData(), nullptr, untrustedParseOptions());
            xmlFreeDoc(doc);
        }
    });
}

Timing readAndParse(const Subset &files)
{
    return timed([&] {
        for (const IndexFile *file : files) {
            QFile in(file->path);
            if (!in.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = in.readAll();
            xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()),
                                          file->url.constData(), nullptr, untrustedParseOptions());
            xmlFreeDoc(doc);
        }
    });
}

struct EngineRun
{
    Timing timing;
    int accepted = 0;
    // Faulty files the engine let through, by fault.
    std::array<int, faultKinds> faultsAccepted{};
    int messages = 0;
    int records = 0;
};

// One batch pass over the files with a store of its own, empty at the start as after a clear,
// so that every round writes the same history.
EngineRun runEngine(const Subset &files, const QString &indexFolder, const QString &documentFolder,
                    const Clock &clock)
{
    SilentMessages messages;
    QTemporaryDir application;
    StartupSequence startup({application.path(), computer, [](const QString &) { return false; }},
                            messages, clock);
    DataModule &store = startup.createDataModule();
    startup.prepareWorkspace();
    const ProcessValues &values = startup.values();

    Parametros parametros = store.parametros();
    parametros.Cns = officeCns;
    parametros.CaminhoPdf = documentFolder;
    parametros.CaminhoXml = indexFolder;

    IndexValidator validator(store.history(), clock, values, parametros);
    EngineRun run;
    run.timing = timed([&] {
        for (const IndexFile *file : files) {
            validator.context().state.vArquivoXML = file->path;
            if (validator.ValidaArquivoXML(file->path)) {
                ++run.accepted;
                if (!file->valid)
                    ++run.faultsAccepted[std::size_t(file->fault)];
            }
        }
    });

    for (const HistoryRecord &record : store.history().visibleRecords()) {
        ++run.records;
        run.messages += int(record.Erro.value_or(QString()).count(QStringLiteral("   --> ")));
    }
    return run;
}

void keepBest(EngineRun &best, const EngineRun &run, int round)
{
    if (round == 0 || run.timing.wallMs < best.timing.wallMs)
        best = run;
}

double perFile(double ms, std::size_t files)
{
    return files ? ms * 1000.0 / double(files) : 0;
}

void printLine(const char *label, const Timing &t, std::size_t files, const Timing *reference)
{
    std::printf("%-44s %9.1f ms %8.1f us/file  cpu %9.1f ms", label, t.wallMs,
                perFile(t.wallMs, files), t.cpuMs);
    if (reference)
        std::printf("  %6.2fx parse only", t.wallMs / reference->wallMs);
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int count
        = std::clamp(argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000, 1, 100000);
    const int rounds = std::clamp(argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 3, 1, 20);
    prepareXmlLibrary();
    const FixedClock clock(benchNow);

    QTemporaryDir office;
    const QString indexFolder = office.filePath(QStringLiteral("XML"));
    const QString documentFolder = office.filePath(QStringLiteral("PDF"));
    QDir().mkpath(indexFolder);
    QDir().mkpath(documentFolder);

    QElapsedTimer generation;
    generation.start();
    const std::vector<IndexFile> files = generateFiles(indexFolder, count);
    const double generationMs = double(generation.nsecsElapsed()) / 1e6;

    Subset all;
    Subset valid;
    Subset faulty;
    std::array<int, faultKinds> faults{};
    std::array<int, 12> services{};
    qint64 bytes = 0;
    for (const IndexFile &file : files) {
        all.push_back(&file);
        (file.valid ? valid : faulty).push_back(&file);
        if (!file.valid)
            ++faults[std::size_t(file.fault)];
        bytes += file.bytes.size();
        ++services[std::size_t(file.service)];
    }

    std::printf("%d index files of standard 3.0 (%zu valid, %zu faulty), %.1f KB on average, "
                "written in %.0f ms to %s\n",
                count, valid.size(), faulty.size(), double(bytes) / count / 1024.0, generationMs,
                qPrintable(indexFolder));
    std::printf("services:");
    for (int service = 1; service <= 11; ++service)
        std::printf("%s %d: %d", service > 1 ? "," : "", service, services[std::size_t(service)]);
    std::printf("\nfaults:");
    for (int i = 0; i < faultKinds; ++i)
        std::printf("%s %s %d", i ? "," : "", faultName(Fault(i)), faults[std::size_t(i)]);
    std::printf("\n  (a SINTER fault withholds only the side file: its act stays accepted)\n");
    std::printf("best of %d rounds; engine rounds each start with an empty history\n\n", rounds);

    // Rounds interleave the measurements, so that a slow spell of the machine hits them alike.
    Timing parseAll;
    Timing parseValid;
    Timing parseFaulty;
    Timing readParseAll;
    EngineRun engineAll;
    EngineRun engineValid;
    EngineRun engineFaulty;
    for (int round = 0; round < rounds; ++round) {
        keepBest(parseAll, parseOnly(all), round);
        keepBest(parseValid, parseOnly(valid), round);
        keepBest(parseFaulty, parseOnly(faulty), round);
        keepBest(readParseAll, readAndParse(all), round);
        keepBest(engineAll, runEngine(all, indexFolder, documentFolder, clock), round);
        keepBest(engineValid, runEngine(valid, indexFolder, documentFolder, clock), round);
        keepBest(engineFaulty, runEngine(faulty, indexFolder, documentFolder, clock), round);
    }

    printLine("parse only, all files (libxml2, in memory)", parseAll, all.size(), nullptr);
    printLine("read from disk + parse only, all files", readParseAll, all.size(), &parseAll);
    printLine("engine, all files, history on disk", engineAll.timing, all.size(), &parseAll);
    std::printf("  %d accepted, %zu refused; history: %d messages in %d records\n",
                engineAll.accepted, all.size() - std::size_t(engineAll.accepted),
                engineAll.messages, engineAll.records);
    std::printf("  faulty files accepted:");
    for (int i = 0; i < faultKinds; ++i) {
        if (engineAll.faultsAccepted[std::size_t(i)] > 0)
            std::printf(" %s %d", faultName(Fault(i)), engineAll.faultsAccepted[std::size_t(i)]);
    }
    std::printf("\n\n");

    printLine("parse only, valid files", parseValid, valid.size(), nullptr);
    printLine("engine, valid files", engineValid.timing, valid.size(), &parseValid);
    std::printf("  %d accepted, %zu refused; history: %d messages in %d records\n",
                engineValid.accepted, valid.size() - std::size_t(engineValid.accepted),
                engineValid.messages, engineValid.records);
    printLine("parse only, faulty files", parseFaulty, faulty.size(), nullptr);
    printLine("engine, faulty files, history on disk", engineFaulty.timing, faulty.size(),
              &parseFaulty);
    std::printf("  %d accepted, %zu refused; history: %d messages in %d records\n\n",
                engineFaulty.accepted, faulty.size() - std::size_t(engineFaulty.accepted),
                engineFaulty.messages, engineFaulty.records);

    // What the faulty files cost beyond a valid file's validation is the history's writing.
    const double validFileUs = perFile(engineValid.timing.wallMs, valid.size());
    const double historyMs
        = engineFaulty.timing.wallMs - validFileUs * double(faulty.size()) / 1000.0;
    if (engineFaulty.messages > 0)
        std::printf("split: %.1f us to validate a file; about %.0f us per history message "
                    "(%.0f of %.0f ms of the whole run)\n",
                    validFileUs, historyMs * 1000.0 / engineFaulty.messages,
                    historyMs / engineFaulty.messages * engineAll.messages,
                    engineAll.timing.wallMs);
    std::printf("goal, engine within 2x of parse only: all files %.2fx (%s), valid files %.2fx "
                "(%s)\n",
                engineAll.timing.wallMs / parseAll.wallMs,
                engineAll.timing.wallMs <= 2 * parseAll.wallMs ? "met" : "not met",
                engineValid.timing.wallMs / parseValid.wallMs,
                engineValid.timing.wallMs <= 2 * parseValid.wallMs ? "met" : "not met");
    return 0;
}
