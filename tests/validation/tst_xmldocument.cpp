#include "OpenWatch.h"
#include "validation/XmlDocument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tramora::XmlDocument;
using tramora::XmlError;
using tramora::XmlNode;

namespace {

const QByteArray secretContent = "segredo-do-cartorio-4711";

using tramora::test::OpenWatch;

QString textOrThrown(const XmlNode &node)
{
    try {
        return node.Text();
    } catch (const XmlError &) {
        return QStringLiteral("<XmlError>");
    }
}

// The children of node from firstChild on, walked with findChild and nextSibling as the rule
// code walks them: each line names a node, its child count and, for an element that holds at
// most one node, its text.
QStringList shapeOf(const XmlNode &node, const QString &firstChild)
{
    QStringList shape;
    for (XmlNode child = node.findChild(firstChild); child; child = child.nextSibling()) {
        QString line = child.name() + QLatin1Char(' ') + QString::number(child.childCount());
        if (child.isElement() && child.childCount() <= 1)
            line += QLatin1Char(' ') + textOrThrown(child);
        shape << line;
    }
    return shape;
}

} // namespace

class TestXmlDocument final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void refusesHostileDocuments_data();
    void refusesHostileDocuments();
    void refusesWhatIsNoDocument_data();
    void refusesWhatIsNoDocument();
    void readsIndentedFileAsOneLine();
    void readsText_data();
    void readsText();
    void givesEmptyElementAnEmptyTextChild_data();
    void givesEmptyElementAnEmptyTextChild();
    void findsChildElementsExactly_data();
    void findsChildElementsExactly();
    void setsTextLiterally();
    void createsDetachedElements();

private:
    QString write(const QString &name, const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestXmlDocument::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

QString TestXmlDocument::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_folder->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture file");
    return path;
}

void TestXmlDocument::refusesHostileDocuments_data()
{
    QTest::addColumn<QByteArray>("document");

    // SECRET stands for the file:// URL of a local file whose content must never be read.
    QTest::newRow("external entity in content")
        << QByteArray("<!DOCTYPE r [<!ENTITY s SYSTEM \"SECRET\">]><r>&s;</r>");
    QTest::newRow("external entity in an attribute")
        << QByteArray("<!DOCTYPE r [<!ENTITY s SYSTEM \"SECRET\">]><r a=\"&s;\"/>");
    QTest::newRow("external parameter entity")
        << QByteArray("<!DOCTYPE r [<!ENTITY % s SYSTEM \"SECRET\"> %s;]><r/>");
    QTest::newRow("external DTD") << QByteArray("<!DOCTYPE r SYSTEM \"SECRET\"><r/>");
    QTest::newRow("bare DOCTYPE") << QByteArray("<!DOCTYPE r><r/>");

    QByteArray laughs = "<!DOCTYPE r [<!ENTITY l0 \"ha\">";
    for (int i = 1; i <= 12; ++i) {
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            laughs += "&l" + QByteArray::number(i - 1) + ';';
        laughs += "\">";
    }
    laughs += "]>";
    QTest::newRow("billion laughs in content") << laughs + "<r>&l12;</r>";
    QTest::newRow("billion laughs in an attribute") << laughs + "<r a=\"&l12;\"/>";

    const QByteArray blowup = "<!DOCTYPE r [<!ENTITY b \"" + QByteArray(100000, 'x') + "\">]>";
    QTest::newRow("quadratic blowup in content")
        << blowup + "<r>" + QByteArray("&b;").repeated(20000) + "</r>";
    QTest::newRow("quadratic blowup in an attribute")
        << blowup + "<r a=\"" + QByteArray("&b;").repeated(20000) + "\"/>";

    QTest::newRow("10000 nested elements")
        << QByteArray("<a>").repeated(10000) + QByteArray("</a>").repeated(10000);
}

void TestXmlDocument::refusesHostileDocuments()
{
    QFETCH(QByteArray, document);
    // The secret even looks like a schema, the one kind of file the entity loader lets through.
    const QString secret = write(QStringLiteral("segredo.xsd"), secretContent);
    const OpenWatch watch(secret);
    QVERIFY(watch.isValid());
    document.replace("SECRET", QFile::encodeName(QStringLiteral("file://") + secret));
    const QString path = write(QStringLiteral("indice.xml"), document);

    QElapsedTimer timer;
    timer.start();
    QString error;
    try {
        XmlDocument::load(path);
    } catch (const XmlError &e) {
        error = QString::fromUtf8(e.what());
    }
    const qint64 elapsed = timer.elapsed();

    QVERIFY2(!error.isEmpty(), "the document was accepted");
    QVERIFY2(elapsed < 250, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
    QVERIFY(!error.contains(QString::fromLatin1(secretContent)));
    QVERIFY(!watch.touched());
}

void TestXmlDocument::refusesWhatIsNoDocument_data()
{
    QTest::addColumn<QByteArray>("document");

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only a declaration") << QByteArray("<?xml version=\"1.0\"?>");
    QTest::newRow("plain text") << QByteArray("3.0");
    QTest::newRow("unclosed element") << QByteArray("<r><a></r>");
    QTest::newRow("two roots") << QByteArray("<r/><r/>");
    QTest::newRow("undeclared entity") << QByteArray("<r>&nbsp;</r>");
    QTest::newRow("bytes that are not UTF-8") << QByteArray("<r>Concei\xE7\xE3o</r>");
}

void TestXmlDocument::refusesWhatIsNoDocument()
{
    QFETCH(QByteArray, document);
    QVERIFY_THROWS_EXCEPTION(XmlError, XmlDocument::load(write(QStringLiteral("a.xml"), document)));
}

void TestXmlDocument::readsIndentedFileAsOneLine()
{
    const QByteArray indented = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                "<Ato>\r\n"
                                "  <Versao>3.0</Versao>\r\n"
                                "  <Resumo>\r\n"
                                "\t<Livro> 12 </Livro>\r\n"
                                "\t<Folha>\r\n"
                                "\t</Folha>\r\n"
                                "\t<Selo><![CDATA[A<1>]]></Selo>\r\n"
                                "  </Resumo>\r\n"
                                "  <!-- partes -->\r\n"
                                "  <Partes>\r\n"
                                "    <Dados><Nome>Ana</Nome></Dados>\r\n"
                                "    <Dados><Nome>Rui</Nome></Dados>\r\n"
                                "  </Partes>\r\n"
                                "</Ato>\r\n";
    const QByteArray oneLine = "<Ato><Versao>3.0</Versao><Resumo><Livro> 12 </Livro><Folha/>"
                               "<Selo><![CDATA[A<1>]]></Selo></Resumo><!-- partes --><Partes>"
                               "<Dados><Nome>Ana</Nome></Dados><Dados><Nome>Rui</Nome></Dados>"
                               "</Partes></Ato>";
    const auto a = XmlDocument::load(write(QStringLiteral("indentado.xml"), indented));
    const auto b = XmlDocument::load(write(QStringLiteral("linha.xml"), oneLine));

    const QStringList top{QStringLiteral("Versao 1 3.0"), QStringLiteral("Resumo 3"),
                          QStringLiteral("comment 0"), QStringLiteral("Partes 2")};
    const QStringList resumo{QStringLiteral("Livro 1  12 "), QStringLiteral("Folha 0 "),
                             QStringLiteral("Selo 1 A<1>")};
    const QStringList partes{QStringLiteral("Dados 1 <XmlError>"),
                             QStringLiteral("Dados 1 <XmlError>")};
    for (const auto *document : {a.get(), b.get()}) {
        const XmlNode root = document->root();
        QCOMPARE(root.childCount(), 4);
        QCOMPARE(shapeOf(root, QStringLiteral("Versao")), top);
        QCOMPARE(shapeOf(root.findChild(QStringLiteral("Resumo")), QStringLiteral("Livro")),
                 resumo);
        QCOMPARE(shapeOf(root.findChild(QStringLiteral("Partes")), QStringLiteral("Dados")),
                 partes);
    }
    QCOMPARE(a->root().markup(), b->root().markup());
}

void TestXmlDocument::readsText_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("expected");

    const QString refused = QStringLiteral("<XmlError>");
    QTest::newRow("plain") << QByteArray("<r><a>3.0</a></r>") << QStringLiteral("3.0");
    QTest::newRow("blanks inside text kept")
        << QByteArray("<r><a>\n  Ana  Rui \n</a></r>") << QStringLiteral("\n  Ana  Rui \n");
    QTest::newRow("references resolved")
        << QByteArray("<r><a>a &amp; b &lt;c&gt; &#233;&#x20AC;</a></r>")
        << QStringLiteral("a & b <c> é€");
    QTest::newRow("CDATA") << QByteArray("<r><a><![CDATA[<b>&amp;</b>]]></a></r>")
                           << QStringLiteral("<b>&amp;</b>");
    QTest::newRow("CDATA of blanks")
        << QByteArray("<r><a><![CDATA[  ]]></a></r>") << QStringLiteral("  ");
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF<r><a>Concei\xC3\xA7\xC3\xA3o</a></r>")
        << QStringLiteral("Conceição");
    QTest::newRow("declared ISO-8859-1") << QByteArray(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><a>Concei\xE7\xE3o</a></r>")
                                         << QStringLiteral("Conceição");
    QTest::newRow("declared windows-1252") << QByteArray(
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r><a>\x80 \x93x\x94</a></r>")
                                           << QStringLiteral("€ “x”");

    QTest::newRow("child element") << QByteArray("<r><a><b>1</b></a></r>") << refused;
    QTest::newRow("text and element") << QByteArray("<r><a>1<b/></a></r>") << refused;
    QTest::newRow("text and comment") << QByteArray("<r><a>1<!-- c --></a></r>") << refused;
    QTest::newRow("text and CDATA") << QByteArray("<r><a>1<![CDATA[2]]></a></r>") << refused;
    QTest::newRow("only a comment") << QByteArray("<r><a><!-- 1 --></a></r>") << refused;
    QTest::newRow("only an instruction") << QByteArray("<r><a><?p 1?></a></r>") << refused;
}

void TestXmlDocument::readsText()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, expected);
    const auto xml = XmlDocument::load(write(QStringLiteral("a.xml"), document));
    QCOMPARE(textOrThrown(xml->root().findChild(QStringLiteral("a"))), expected);
}

void TestXmlDocument::givesEmptyElementAnEmptyTextChild_data()
{
    QTest::addColumn<QByteArray>("document");

    QTest::newRow("self-closing") << QByteArray("<r><a/></r>");
    QTest::newRow("start and end tag") << QByteArray("<r><a></a></r>");
    QTest::newRow("only line breaks and tabs") << QByteArray("<r><a>\r\n\t \n</a></r>");
}

void TestXmlDocument::givesEmptyElementAnEmptyTextChild()
{
    QFETCH(QByteArray, document);
    const auto xml = XmlDocument::load(write(QStringLiteral("a.xml"), document));
    const XmlNode a = xml->root().findChild(QStringLiteral("a"));

    QCOMPARE(a.childCount(), 0);
    QCOMPARE(a.Text(), QString());
    QCOMPARE(a.childCount(), 1);
    QCOMPARE(a.Text(), QString());
    QCOMPARE(a.childCount(), 1);
}

void TestXmlDocument::findsChildElementsExactly_data()
{
    QTest::addColumn<QString>("tagName");
    QTest::addColumn<QString>("expected");

    const QString none = QStringLiteral("<none>");
    QTest::newRow("first of two") << QStringLiteral("Resumo") << QStringLiteral("2");
    QTest::newRow("other case") << QStringLiteral("resumo") << QStringLiteral("1");
    QTest::newRow("capitals") << QStringLiteral("RESUMO") << none;
    QTest::newRow("prefix of a name") << QStringLiteral("Resum") << none;
    QTest::newRow("trailing blank") << QStringLiteral("Resumo ") << none;
    QTest::newRow("grandchild") << QStringLiteral("Livro") << none;
    QTest::newRow("non-ASCII name") << QStringLiteral("Situação") << QStringLiteral("4");
    QTest::newRow("qualified name") << QStringLiteral("x:Partes") << QStringLiteral("5");
    QTest::newRow("local part of a qualified name") << QStringLiteral("Partes") << none;
    QTest::newRow("name of a text node") << QStringLiteral("text") << none;
    QTest::newRow("name of a comment") << QStringLiteral("comment") << none;
    QTest::newRow("empty") << QString() << none;
}

void TestXmlDocument::findsChildElementsExactly()
{
    QFETCH(QString, tagName);
    QFETCH(QString, expected);
    const auto xml = XmlDocument::load(
        write(QStringLiteral("a.xml"),
              "<r xmlns:x=\"urn:x\">text<!--Resumo--><?Resumo?><resumo>1</resumo><Resumo>2</Resumo>"
              "<Resumo><Livro>3</Livro></Resumo><Situa\xC3\xA7\xC3\xA3o>4</Situa\xC3\xA7\xC3\xA3o>"
              "<x:Partes>5</x:Partes></r>"));

    const XmlNode found = xml->root().findChild(tagName);
    QCOMPARE(found ? found.Text() : QStringLiteral("<none>"), expected);
    if (found)
        QCOMPARE(found.name(), tagName);
}

void TestXmlDocument::setsTextLiterally()
{
    const auto xml = XmlDocument::load(write(
        QStringLiteral("a.xml"), "<r><Resumo><Livro>1</Livro><!-- c --><Folha/></Resumo></r>"));
    const XmlNode resumo = xml->root().findChild(QStringLiteral("Resumo"));
    const QString text = QStringLiteral("a & b <c> \"José\" &amp;");

    resumo.setText(text);
    QCOMPARE(resumo.childCount(), 1);
    QCOMPARE(resumo.Text(), text);
    QVERIFY(!resumo.findChild(QStringLiteral("Livro")));
    QCOMPARE(resumo.markup(),
             QStringLiteral("<Resumo>a &amp; b &lt;c&gt; \"José\" &amp;amp;</Resumo>"));

    resumo.setText(QString());
    QCOMPARE(resumo.childCount(), 1);
    QCOMPARE(resumo.Text(), QString());
    QCOMPARE(xml->root().markup(), QStringLiteral("<r><Resumo></Resumo></r>"));
}

void TestXmlDocument::createsDetachedElements()
{
    const auto xml = XmlDocument::load(write(QStringLiteral("a.xml"), "<r><a>1</a></r>"));
    const QString before = xml->root().markup();

    const XmlNode livro = xml->createElement(QStringLiteral("Livro"));
    const XmlNode unused = xml->createElement(QStringLiteral("Folha"));
    QVERIFY(livro.isElement());
    QVERIFY(livro != unused);
    QCOMPARE(livro.name(), QStringLiteral("Livro"));
    QCOMPARE(livro.childCount(), 0);
    QVERIFY(!livro.nextSibling());

    livro.setText(QStringLiteral("12 & 13"));
    QCOMPARE(livro.Text(), QStringLiteral("12 & 13"));
    QCOMPARE(livro.markup(), QStringLiteral("<Livro>12 &amp; 13</Livro>"));
    QCOMPARE(unused.Text(), QString());

    QVERIFY(!xml->root().findChild(QStringLiteral("Livro")));
    QCOMPARE(xml->root().markup(), before);
}

QTEST_GUILESS_MAIN(TestXmlDocument)
#include "tst_xmldocument.moc"
