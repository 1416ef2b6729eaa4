#include "IndexFixture.h"

#include "store/History.h"
#include "store/SqlConnection.h"

#include <QDir>
#include <QFile>

namespace tramora::test {

namespace {

const QStringList baseResumo{
    QStringLiteral("DataCriacao=2026-12-10"),
    QStringLiteral("CnjCartorio=123456"),
    QStringLiteral("CodigoServico=1"),
    QStringLiteral("NaturezaDocumento=Cartão de Firma"),
    QStringLiteral("DataProtocolo="),
    QStringLiteral("NumeroProtocolo="),
    QStringLiteral("DataAto=2026-12-10"),
    QStringLiteral("NumeroAto=15"),
    QStringLiteral("Livro=12"),
    QStringLiteral("Folha=34"),
    QStringLiteral("Publicado=N"),
    QStringLiteral("DataOcorrencia="),
    QStringLiteral("NumeroSelo=ABC12345"),
    QStringLiteral("Matricula="),
    QStringLiteral("TipoLivro=1"),
    QStringLiteral("TipoEnvio=P"),
    QStringLiteral("ProtocoloOLU="),
    QStringLiteral("DocumentoAnexo=S"),
    QStringLiteral("StatusAto="),
    QStringLiteral("UsoCartorio="),
    QStringLiteral("Sequencia="),
    QStringLiteral("IndicadorReal="),
    QStringLiteral("ExOficio="),
    QStringLiteral("ComplementoExOficio="),
    QStringLiteral("GcStatusRtd="),
    QStringLiteral("GcResumoDocumento="),
    QStringLiteral("GcIdentificacaoConvenio="),
    QStringLiteral("GcDigitoVerificador="),
};

// The nature and book type an act of each service code needs to pass its service's rules.
struct ServiceDefaults
{
    const char *natureza; // nullptr: the service does not test it
    const char *tipoLivro;
};
constexpr ServiceDefaults serviceDefaults[] = {
    {"Cartão de Firma", "1"}, {nullptr, "2"},    {nullptr, "4"},     {"Registro", "6"},
    {"Registro", "7"},        {"Registro", "9"}, {nullptr, "11"},    {nullptr, "12"},
    {nullptr, "13"},          {nullptr, "15"},   {"Registro", "18"},
};

// A role the party rules accept for the service, lower-casing included.
QString roleAllowedIn(const QString &service)
{
    if (service == QLatin1String("4"))
        return QStringLiteral("Criança");
    if (service == QLatin1String("5"))
        return QStringLiteral("Nubente 1");
    if (service == QLatin1String("6"))
        return QStringLiteral("Falecido");
    if (service == QLatin1String("8"))
        return QStringLiteral("Devedor");
    return QStringLiteral("Cliente");
}

QString escaped(const QString &value)
{
    if (value.startsWith(QLatin1Char('<')))
        return value;
    return value.toHtmlEscaped();
}

} // namespace

IndexFixture::IndexFixture()
    : startup({folder.path(), QStringLiteral("CARTORIO-01"), [](const QString &) { return false; }},
              messages, clock)
    , store(startup.createDataModule())
    , values(startup.values())
{
    startup.prepareWorkspace();
    values.appVersion = QStringLiteral("3.0.0.1");
    parametros = store.parametros();
    parametros.Cns = QStringLiteral("123456");
    QDir().mkpath(folder.path() + QStringLiteral("/docs"));
    parametros.CaminhoPdf = folder.path() + QStringLiteral("/docs");
    validator = std::make_unique<IndexValidator>(store.history(), clock, values, parametros);
}

QString IndexFixture::partiesBlock(const QString &role)
{
    return QStringLiteral("<Partes><Dados><Nome>Maria da Silva</Nome><DataNascimento>1980-05-02"
                          "</DataNascimento><Natural>Curitiba</Natural><UF>PR</UF><CpfCnpj>"
                          "12345678909</CpfCnpj><TipoDaParte>")
        + role
        + QStringLiteral("</TipoDaParte><Documentos>RG 1234567</Documentos></Dados></Partes>");
}

QString IndexFixture::defaultLgpd()
{
    return QStringLiteral(
        "<Lgpd><DadosPessoais><Informacao>CPF</Informacao><Informacao>Nome completo</Informacao>"
        "</DadosPessoais><Fonte><Informacao>Documento apresentado</Informacao></Fonte>"
        "<Cronograma><Informacao>1</Informacao></Cronograma><Proposito><Finalidade>1</Finalidade>"
        "<Minimizacao>S</Minimizacao></Proposito><BaseLegal><Informacao>Lei 8.935/1994"
        "</Informacao></BaseLegal><Transferencia><Item><Informacao>Central</Informacao>"
        "<BaseLegal>S</BaseLegal><Autorizacao>I</Autorizacao></Item></Transferencia><Direito>"
        "<Politica>S</Politica></Direito><Armazenamento><Formato>1</Formato><Tipo>3</Tipo>"
        "<Responsabilidade>1</Responsabilidade><Politica>S</Politica></Armazenamento>"
        "<Seguranca><Politica>S</Politica><Responsabilidade>2</Responsabilidade></Seguranca>"
        "</Lgpd>");
}

QStringList IndexFixture::actOfService(int service)
{
    QStringList overrides{QStringLiteral("CodigoServico=") + QString::number(service)};
    if (service == 4 || service == 6 || service == 7)
        overrides << QStringLiteral("DataOcorrencia=2026-12-01");
    if (service >= 8)
        overrides << QStringLiteral("NumeroProtocolo=77")
                  << QStringLiteral("DataProtocolo=2026-12-01");
    if (service == 11)
        overrides << QStringLiteral("Publicado=S");
    return overrides;
}

QString IndexFixture::defaultParties()
{
    return partiesBlock(QStringLiteral("Cliente")) + defaultLgpd();
}

QString IndexFixture::indexXml(const QStringList &overrides, const QString &afterResumo,
                               const QString &versao, bool indented)
{
    QList<std::pair<QString, QString>> tags;
    for (const QString &entry : baseResumo) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        tags.push_back({entry.left(eq), entry.mid(eq + 1)});
    }
    QStringList overridden;
    for (const QString &override : overrides) {
        if (override.startsWith(QLatin1Char('-'))) {
            const QString tag = override.mid(1);
            overridden << tag;
            tags.removeIf([&](const auto &pair) { return pair.first == tag; });
            continue;
        }
        const bool add = override.startsWith(QLatin1Char('+'));
        const QString entry = add ? override.mid(1) : override;
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        const QString tag = entry.left(eq);
        const QString value = entry.mid(eq + 1);
        overridden << tag;
        bool replaced = false;
        for (auto &pair : tags) {
            if (!add && pair.first == tag) {
                pair.second = value;
                replaced = true;
            }
        }
        if (!replaced)
            tags.push_back({tag, value});
    }
    // An act of another service gets the nature and book type of its service, unless the test
    // sets them.
    const auto textOf = [&](const QString &tag) -> QString * {
        for (auto &pair : tags) {
            if (pair.first == tag)
                return &pair.second;
        }
        return nullptr;
    };
    const QString *codigo = textOf(QStringLiteral("CodigoServico"));
    const int service = codigo ? codigo->toInt() : 0;
    if (service >= 1 && service <= 11) {
        const ServiceDefaults &defaults = serviceDefaults[service - 1];
        QString *natureza = textOf(QStringLiteral("NaturezaDocumento"));
        if (defaults.natureza && natureza
            && !overridden.contains(QLatin1String("NaturezaDocumento")))
            *natureza = QString::fromUtf8(defaults.natureza);
        QString *tipoLivro = textOf(QStringLiteral("TipoLivro"));
        if (tipoLivro && !overridden.contains(QLatin1String("TipoLivro")))
            *tipoLivro = QLatin1String(defaults.tipoLivro);
    }

    const QString nl = indented ? QStringLiteral("\r\n") : QString();
    const QString in1 = indented ? QStringLiteral("  ") : QString();
    const QString in2 = indented ? QStringLiteral("    ") : QString();
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + nl
        + QStringLiteral("<Ato>") + nl;
    if (!versao.isNull())
        xml += in1 + QStringLiteral("<Versao>") + versao + QStringLiteral("</Versao>") + nl;
    xml += in1 + QStringLiteral("<Resumo>") + nl;
    for (const auto &[tag, value] : tags)
        xml += in2 + QLatin1Char('<') + tag + QLatin1Char('>') + escaped(value)
            + QStringLiteral("</") + tag + QLatin1Char('>') + nl;
    xml += in1 + QStringLiteral("</Resumo>") + nl;
    if (afterResumo.isNull()) {
        QString service;
        for (const auto &[tag, value] : tags) {
            if (tag == QLatin1String("CodigoServico"))
                service = value;
        }
        xml += in1 + partiesBlock(roleAllowedIn(service)) + defaultLgpd() + nl;
    } else {
        xml += in1 + afterResumo + nl;
    }
    xml += QStringLiteral("</Ato>") + nl;
    return xml;
}

QString IndexFixture::write(const QString &name, const QString &xml)
{
    QDir().mkpath(folder.path() + QStringLiteral("/xml"));
    const QString path = folder.path() + QStringLiteral("/xml/") + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(xml.toUtf8());
    return path;
}

bool IndexFixture::judge(const QString &path)
{
    validator->context().state.vArquivoXML = path;
    return validator->ValidaArquivoXML(path);
}

QString IndexFixture::historyOf(const QString &fileName) const
{
    const auto record = store.history().findVisible(fileName);
    return record ? record->Erro.value_or(QString()) : QString();
}

std::vector<HistoryRecord> IndexFixture::records() const
{
    return store.history().visibleRecords();
}

void IndexFixture::clearHistory()
{
    store.connection().executeBatch(QStringLiteral("DELETE FROM Arquivos;"));
}

QString IndexFixture::expectedErro(const QList<std::pair<QString, QString>> &entries)
{
    QString text;
    for (const auto &[label, message] : entries)
        text = appendToErro(text, label, message);
    return text;
}

QString IndexFixture::expectedOlu(const QStringList &messages)
{
    QList<std::pair<QString, QString>> entries;
    for (const QString &message : messages)
        entries.push_back({QStringLiteral("OLU"), message});
    return expectedErro(entries);
}

} // namespace tramora::test
