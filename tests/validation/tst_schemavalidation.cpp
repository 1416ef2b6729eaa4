#include "OpenWatch.h"
#include "validation/SchemaValidation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tramora::SchemaError;
using tramora::ValidarXmlComXsd;

namespace {

const QByteArray secretContent = "segredo-do-cartorio-4711";

using tramora::test::OpenWatch;

// Every element below the root is declared locally, inside its parent's type, so no element
// but the root can be judged on its own against a global declaration.
const QByteArray registroSchema = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="Registro">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="Cabecalho">
          <xs:complexType>
            <xs:sequence>
              <xs:element name="Versao" type="xs:decimal"/>
              <xs:element name="Data" type="xs:date"/>
            </xs:sequence>
          </xs:complexType>
        </xs:element>
        <xs:element name="Pessoas">
          <xs:complexType>
            <xs:sequence>
              <xs:element name="Pessoa" maxOccurs="unbounded">
                <xs:complexType>
                  <xs:sequence>
                    <xs:element name="Nome" type="xs:string"/>
                    <xs:element name="Idade" type="xs:nonNegativeInteger"/>
                  </xs:sequence>
                  <xs:attribute name="tipo" use="required">
                    <xs:simpleType>
                      <xs:restriction base="xs:string">
                        <xs:enumeration value="A"/>
                        <xs:enumeration value="B"/>
                      </xs:restriction>
                    </xs:simpleType>
                  </xs:attribute>
                </xs:complexType>
              </xs:element>
            </xs:sequence>
          </xs:complexType>
        </xs:element>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
</xs:schema>
)";

// A valid Registro in which CABECALHO, PESSOA1 and PESSOA2 stand for the content of those
// elements, so each case spells out only what it breaks.
QByteArray registro(const QByteArray &cabecalho, const QByteArray &pessoa1,
                    const QByteArray &pessoa2)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<!-- gerado pelo cartório -->\n"
                     "<Registro>\n"
                     "  <Cabecalho>CABECALHO</Cabecalho>\n"
                     "  <?marca 1?>\n"
                     "  <Pessoas>\n"
                     "    <!-- primeira -->\n"
                     "    PESSOA1\n"
                     "    PESSOA2\n"
                     "  </Pessoas>\n"
                     "</Registro>\n";
    xml.replace("CABECALHO", cabecalho);
    xml.replace("PESSOA1", pessoa1);
    xml.replace("PESSOA2", pessoa2);
    return xml;
}

const QByteArray goodCabecalho = "<Versao>3.0</Versao><Data>2021-12-13</Data>";
const QByteArray goodPessoa1 = "<Pessoa tipo=\"A\"><Nome>Ana</Nome><Idade>40</Idade></Pessoa>";
const QByteArray goodPessoa2 = "<Pessoa tipo=\"B\"><Nome>Rui</Nome><Idade>7</Idade></Pessoa>";

} // namespace

class TestSchemaValidation final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void reportsFirstFaultPerElementInWalkOrder_data();
    void reportsFirstFaultPerElementInWalkOrder();
    void givesNothingForWhatDoesNotParse_data();
    void givesNothingForWhatDoesNotParse();
    void neverReadsWhatAnIndexFileNames();
    void refusesUnusableSchema_data();
    void refusesUnusableSchema();
    void followsIncludesOfSchemaFilesOnly();

private:
    QString write(const QString &name, const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestSchemaValidation::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

QString TestSchemaValidation::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_folder->filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture file");
    return path;
}

void TestSchemaValidation::reportsFirstFaultPerElementInWalkOrder_data()
{
    QTest::addColumn<QByteArray>("xml");
    // One entry per expected line, in order: a fragment the line must contain. Lines with the
    // same fragment come from the same fault and must be equal.
    QTest::addColumn<QStringList>("lines");

    const QString data = QStringLiteral("Data");
    const QString idade = QStringLiteral("Idade");
    const QString tipo = QStringLiteral("tipo");
    const QString extra = QStringLiteral("Extra");

    QTest::newRow("valid") << registro(goodCabecalho, goodPessoa1, goodPessoa2) << QStringList();
    QTest::newRow("valid on one line")
        << QByteArray("<Registro><Cabecalho>" + goodCabecalho + "</Cabecalho><Pessoas>"
                      + goodPessoa1 + "</Pessoas></Registro>")
        << QStringList();

    // Registro, Cabecalho, Data; then Pessoas, the second Pessoa, Idade.
    QTest::newRow("faults in two branches")
        << registro("<Versao>3.0</Versao><Data>13/12/2021</Data>", goodPessoa1,
                    "<Pessoa tipo=\"B\"><Nome>Rui</Nome><Idade>-7</Idade></Pessoa>")
        << QStringList{data, data, data, idade, idade, idade};

    // The attribute fault comes first inside the first Pessoa, so its ancestors carry it, and
    // Idade still answers for its own.
    QTest::newRow("an element's first fault is its ancestors' too")
        << registro(goodCabecalho, "<Pessoa><Nome>Ana</Nome><Idade>x</Idade></Pessoa>", goodPessoa2)
        << QStringList{tipo, tipo, tipo, idade};

    QTest::newRow("attribute value") << registro(
        goodCabecalho, goodPessoa1, "<Pessoa tipo=\"Z\"><Nome>Rui</Nome><Idade>7</Idade></Pessoa>")
                                     << QStringList{tipo, tipo, tipo};

    QTest::newRow("faulty siblings in document order")
        << registro(goodCabecalho, "<Pessoa tipo=\"A\"><Nome>Ana</Nome><Idade>x</Idade></Pessoa>",
                    "<Pessoa tipo=\"B\"><Nome>Rui</Nome><Idade>7</Idade><Extra/></Pessoa>")
        << QStringList{idade, idade, idade, idade, extra, extra};

    QTest::newRow("child missing at the end")
        << registro("<Versao>3.0</Versao>", goodPessoa1, goodPessoa2)
        << QStringList{QStringLiteral("Cabecalho"), QStringLiteral("Cabecalho")};

    QTest::newRow("undeclared root")
        << QByteArray("<Registros><Cabecalho><Data>x</Data></Cabecalho></Registros>")
        << QStringList{QStringLiteral("Registros")};
}

void TestSchemaValidation::reportsFirstFaultPerElementInWalkOrder()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, lines);
    const QString schema = write(QStringLiteral("Registro.xsd"), registroSchema);

    const QString faults = ValidarXmlComXsd(write(QStringLiteral("registro.xml"), xml), schema);

    if (lines.isEmpty()) {
        QCOMPARE(faults, QString());
        return;
    }
    QVERIFY(!faults.endsWith(QLatin1Char('\n')));
    const QStringList actual = faults.split(QStringLiteral("\r\n"));
    QCOMPARE(actual.size(), lines.size());
    QHash<QString, QString> lineOfFragment;
    for (qsizetype i = 0; i < actual.size(); ++i) {
        const QString &line = actual.at(i);
        QVERIFY2(line.contains(lines.at(i)), qPrintable(line));
        QCOMPARE(line, line.trimmed());
        QCOMPARE(lineOfFragment.value(lines.at(i), line), line);
        lineOfFragment.insert(lines.at(i), line);
    }
}

void TestSchemaValidation::givesNothingForWhatDoesNotParse_data()
{
    QTest::addColumn<QByteArray>("xml");

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not well-formed") << QByteArray("<Registro><Cabecalho></Registro>");
    QTest::newRow("DOCTYPE") << QByteArray("<!DOCTYPE Registro><Registro/>");
}

void TestSchemaValidation::givesNothingForWhatDoesNotParse()
{
    QFETCH(QByteArray, xml);
    const QString schema = write(QStringLiteral("Registro.xsd"), registroSchema);

    QCOMPARE(ValidarXmlComXsd(write(QStringLiteral("registro.xml"), xml), schema), QString());
    QCOMPARE(ValidarXmlComXsd(m_folder->filePath(QStringLiteral("ausente.xml")), schema),
             QString());
}

void TestSchemaValidation::neverReadsWhatAnIndexFileNames()
{
    const QString schema = write(QStringLiteral("Registro.xsd"), registroSchema);
    // Named like a schema, the one kind of file the entity loader lets through.
    const QString secret = write(QStringLiteral("segredo.xsd"), secretContent);
    const OpenWatch watch(secret);
    QVERIFY(watch.isValid());
    const QByteArray url = QFile::encodeName(QStringLiteral("file://") + secret);
    const QString xml
        = write(QStringLiteral("registro.xml"),
                "<!DOCTYPE Registro [<!ENTITY s SYSTEM \"" + url + "\">]><Registro>&s;</Registro>");

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(ValidarXmlComXsd(xml, schema), QString());
    QVERIFY(timer.elapsed() < 250);
    QVERIFY(!watch.touched());
}

void TestSchemaValidation::refusesUnusableSchema_data()
{
    QTest::addColumn<QByteArray>("schema");

    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("not well-formed") << QByteArray("<xs:schema");
    QTest::newRow("not a schema") << QByteArray("<Registro/>");
    QTest::newRow("unknown type") << QByteArray(
        "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
        "<xs:element name=\"Registro\" type=\"Desconhecido\"/></xs:schema>");
    QTest::newRow("missing include")
        << QByteArray("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
                      "<xs:include schemaLocation=\"ausente.xsd\"/></xs:schema>");
}

void TestSchemaValidation::refusesUnusableSchema()
{
    QFETCH(QByteArray, schema);
    const QString xml
        = write(QStringLiteral("registro.xml"), registro(goodCabecalho, goodPessoa1, goodPessoa2));
    const QString path = schema.isNull() ? m_folder->filePath(QStringLiteral("ausente.xsd"))
                                         : write(QStringLiteral("Registro.xsd"), schema);

    QVERIFY_THROWS_EXCEPTION(SchemaError, ValidarXmlComXsd(xml, path));
    // Whether the XML file exists does not matter: the schema is looked at first.
    QVERIFY_THROWS_EXCEPTION(SchemaError,
                             ValidarXmlComXsd(m_folder->filePath(QStringLiteral("a.xml")), path));
}

void TestSchemaValidation::followsIncludesOfSchemaFilesOnly()
{
    // The workspace may live in a folder whose name has blanks and accents.
    const QString folder = QStringLiteral("Meus Documentos/Configuração/Schema/");
    const auto including = [](const char *location) {
        return "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"><xs:include "
               "schemaLocation=\""
            + QByteArray(location)
            + "\"/><xs:element name=\"Registro\" type=\"TipoRegistro\"/></xs:schema>";
    };
    const QByteArray types = "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">"
                             "<xs:complexType name=\"TipoRegistro\"><xs:sequence>"
                             "<xs:element name=\"Livro\" type=\"xs:positiveInteger\"/>"
                             "</xs:sequence></xs:complexType></xs:schema>";
    const QString schema
        = write(folder + QStringLiteral("Registro.xsd"), including("tipos-comuns.xsd"));
    write(folder + QStringLiteral("tipos-comuns.xsd"), types);

    QCOMPARE(ValidarXmlComXsd(
                 write(QStringLiteral("a.xml"), "<Registro><Livro>12</Livro></Registro>"), schema),
             QString());
    const QStringList faults
        = ValidarXmlComXsd(write(QStringLiteral("b.xml"), "<Registro><Livro>0</Livro></Registro>"),
                           schema)
              .split(QStringLiteral("\r\n"));
    QCOMPARE(faults.size(), 2);
    QVERIFY(faults.at(1).contains(QLatin1String("Livro")));

    // The same content under another extension is not a schema file and is never loaded.
    write(folder + QStringLiteral("tipos-comuns.xml"), types);
    const QString other
        = write(folder + QStringLiteral("Outro.xsd"), including("tipos-comuns.xml"));
    QVERIFY_THROWS_EXCEPTION(SchemaError,
                             ValidarXmlComXsd(m_folder->filePath(QStringLiteral("a.xml")), other));
}

QTEST_GUILESS_MAIN(TestSchemaValidation)
#include "tst_schemavalidation.moc"
