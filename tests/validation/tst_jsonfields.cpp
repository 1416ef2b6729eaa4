#include "validation/JsonFields.h"

#include <QTest>

using tramora::GetCamposJsonString;
using tramora::JsonStructureError;

class TestJsonFields final : public QObject
{
    Q_OBJECT

private slots:
    void findsField_data();
    void findsField();
    void givesArrayText_data();
    void givesArrayText();
    void refusesWhatIsNotOneObject_data();
    void refusesWhatIsNotOneObject();
    void boundsNesting();
};

void TestJsonFields::findsField_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("expected");

    const QString sinter = QStringLiteral(R"({"AtoNotarial":{"cns":"123456","versao":"1.8"}})");
    QTest::newRow("inside a nested object")
        << sinter << QStringLiteral("versao") << QStringLiteral("1.8");
    QTest::newRow("field name in capitals")
        << sinter << QStringLiteral("VERSAO") << QStringLiteral("1.8");
    QTest::newRow("key with blanks around it")
        << QStringLiteral(R"({"AtoNotarial":{" versao  ":"1.8"}})") << QStringLiteral("versao")
        << QStringLiteral("1.8");
    QTest::newRow("ASCII letters fold")
        << QStringLiteral(R"({"AÇÃO":"1"})") << QStringLiteral("aÇÃo") << QStringLiteral("1");
    QTest::newRow("other letters do not")
        << QStringLiteral(R"({"AÇÃO":"1"})") << QStringLiteral("ação") << QString();
    QTest::newRow("non-ASCII key and value")
        << QStringLiteral(R"({"versão":"Conceição 😀"})") << QStringLiteral("versão")
        << QStringLiteral("Conceição 😀");
    QTest::newRow("escapes decoded") << QStringLiteral(R"({"versao":"a\"b\\c\/d\u00e7\n"})")
                                     << QStringLiteral("versao") << QStringLiteral("a\"b\\c/dç\n");
    QTest::newRow("absent field") << sinter << QStringLiteral("livro") << QString();
    QTest::newRow("later sibling object")
        << QStringLiteral(R"({"a":{"b":"1"},"c":{"d":{"versao":"2.0"}}})")
        << QStringLiteral("versao") << QStringLiteral("2.0");

    // An object member's own key is never compared: only what it holds is searched.
    QTest::newRow("key of an object is not a find")
        << QStringLiteral(R"({"versao":{"cns":"1"}})") << QStringLiteral("versao") << QString();

    // The empty find stops the inner scan before its second versao, then the outer scan goes on.
    QTest::newRow("empty find ends its own object only")
        << QStringLiteral(R"({"a":{"versao":"","b":{"versao":"9"}},"versao":"2.0"})")
        << QStringLiteral("versao") << QStringLiteral("2.0");
    QTest::newRow("empty find ends the top-level scan")
        << QStringLiteral(R"({"versao":"","versao":"2.0"})") << QStringLiteral("versao")
        << QString();
    QTest::newRow("first of duplicate keys") << QStringLiteral(R"({"versao":"1.0","versao":"2.0"})")
                                             << QStringLiteral("versao") << QStringLiteral("1.0");

    QTest::newRow("array ends the search before the field")
        << QStringLiteral(R"({"lista":[1,2],"versao":"3.0"})") << QStringLiteral("versao")
        << QStringLiteral("[1,2]");
    QTest::newRow("array inside an earlier object")
        << QStringLiteral(R"({"a":{"l":[ ]},"versao":"3.0"})") << QStringLiteral("versao")
        << QStringLiteral("[]");
    QTest::newRow("empty object is passed over")
        << QStringLiteral(R"({"a":{},"versao":"3.0"})") << QStringLiteral("versao")
        << QStringLiteral("3.0");

    const auto number = [](const char *written) {
        const QString text = QLatin1String(written);
        QTest::addRow("number %s", written)
            << QStringLiteral(R"({"n" : )") + text + QStringLiteral(" }") << QStringLiteral("n")
            << text;
    };
    for (const char *written :
         {"1.80", "1e5", "-2.5E-3", "0", "-0", "-0.0", "17", "-17", "18446744073709551615",
          "-9223372036854775808", "123456789012345678901234567890"})
        number(written);
    QTest::newRow("number last before the brace")
        << QStringLiteral(R"({"n":-0})") << QStringLiteral("n") << QStringLiteral("-0");

    QTest::newRow("true") << QStringLiteral(R"({"v":true})") << QStringLiteral("v")
                          << QStringLiteral("true");
    QTest::newRow("false") << QStringLiteral(R"({"v":false})") << QStringLiteral("v")
                           << QStringLiteral("false");
    QTest::newRow("null") << QStringLiteral(R"({"v":null})") << QStringLiteral("v")
                          << QStringLiteral("null");
}

void TestJsonFields::findsField()
{
    QFETCH(QString, json);
    QFETCH(QString, campo);
    QFETCH(QString, expected);
    QCOMPARE(GetCamposJsonString(json, campo), expected);
}

void TestJsonFields::givesArrayText_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<QString>("expected");

    QTest::newRow("compact, numbers as written")
        << QStringLiteral(R"([ 1 , -0, 1.50, 2e3, true, false, null, [ ], { } ])")
        << QStringLiteral("[1,-0,1.50,2e3,true,false,null,[],{}]");
    QTest::newRow("objects keep order and duplicates")
        << QStringLiteral(R"([{"b":1,"a":2,"b":{"c":[3]}}])")
        << QStringLiteral(R"([{"b":1,"a":2,"b":{"c":[3]}}])");
    // Lowercase hex throughout.
    QTest::newRow("above U+007F") << QStringLiteral(R"(["ç", "Ação"])")
                                  << QStringLiteral(R"(["\u00e7","A\u00e7\u00e3o"])");
    QTest::newRow("outside the BMP as a surrogate pair")
        << QStringLiteral(R"(["😀"])") << QStringLiteral(R"(["\ud83d\ude00"])");
    QTest::newRow("keys escaped too")
        << QStringLiteral(R"([{"ção":"x"}])") << QStringLiteral(R"([{"\u00e7\u00e3o":"x"}])");
    QTest::newRow("below U+0020 always as \\u")
        << QStringLiteral(R"(["\n\t\r\b\f\u0000\u001f"])")
        << QStringLiteral(R"(["\u000a\u0009\u000d\u0008\u000c\u0000\u001f"])");
    QTest::newRow("quote and backslash, nothing else")
        << QStringLiteral(R"(["a\"b\\c\/d\u007f e"])")
        << QStringLiteral("[\"a\\\"b\\\\c/d\u007f e\"]");
}

void TestJsonFields::givesArrayText()
{
    QFETCH(QString, array);
    QFETCH(QString, expected);
    QCOMPARE(GetCamposJsonString(QStringLiteral(R"({"versao":)") + array + QLatin1Char('}'),
                                 QStringLiteral("outro")),
             expected);
}

void TestJsonFields::refusesWhatIsNotOneObject_data()
{
    QTest::addColumn<QString>("json");

    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral(" \r\n ");
    QTest::newRow("array") << QStringLiteral(R"([{"versao":"1.8"}])");
    QTest::newRow("string") << QStringLiteral(R"("versao")");
    QTest::newRow("number") << QStringLiteral("1.8");
    QTest::newRow("null") << QStringLiteral("null");
    QTest::newRow("not JSON") << QStringLiteral("versao=1.8");
    QTest::newRow("cut short") << QStringLiteral(R"({"versao":"1.8")");
    QTest::newRow("trailing text") << QStringLiteral(R"({"versao":"1.8"} x)");
    QTest::newRow("two objects") << QStringLiteral(R"({"a":1}{"versao":"1.8"})");
    QTest::newRow("trailing comma") << QStringLiteral(R"({"versao":"1.8",})");
    QTest::newRow("comment") << QStringLiteral("{/* x */\"versao\":\"1.8\"}");
    QTest::newRow("single quotes") << QStringLiteral("{'versao':'1.8'}");
    QTest::newRow("leading zero") << QStringLiteral(R"({"versao":01})");
    QTest::newRow("lone surrogate escape") << QStringLiteral(R"({"versao":"\ud800"})");
    // What a side file saved as UTF-8 with a byte-order mark reads as in the ANSI code page.
    QTest::newRow("byte-order mark read as ANSI")
        << QStringLiteral("\u00ef\u00bb\u00bf{\"versao\":\"1.8\"}");
}

void TestJsonFields::refusesWhatIsNotOneObject()
{
    QFETCH(QString, json);
    QVERIFY_THROWS_EXCEPTION(JsonStructureError,
                             GetCamposJsonString(json, QStringLiteral("versao")));
}

void TestJsonFields::boundsNesting()
{
    const auto nested = [](int levels) {
        return QStringLiteral(R"({"a":)").repeated(levels) + QStringLiteral(R"({"versao":"1.8"})")
            + QStringLiteral("}").repeated(levels);
    };
    QCOMPARE(GetCamposJsonString(nested(200), QStringLiteral("versao")), QStringLiteral("1.8"));
    QVERIFY_THROWS_EXCEPTION(JsonStructureError,
                             GetCamposJsonString(nested(1000000), QStringLiteral("versao")));
}

QTEST_APPLESS_MAIN(TestJsonFields)
#include "tst_jsonfields.moc"
