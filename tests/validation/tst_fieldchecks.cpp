#include "validation/FieldChecks.h"

#include <QTest>

using namespace tramora;

namespace {

// Fixed so that the two-digit-year window is 1975 to 2074.
const QDate today(2025, 6, 15);

const QString realCns = QStringLiteral("123456");

} // namespace

class TestFieldChecks final : public QObject
{
    Q_OBJECT

private slots:
    void readsDayFirstDates_data();
    void readsDayFirstDates();
    void composesDayFirstTextFromOluDate_data();
    void composesDayFirstTextFromOluDate();
    void readsIntegers_data();
    void readsIntegers();
    void readsNumberTexts_data();
    void readsNumberTexts();
    void filtersCharacters_data();
    void filtersCharacters();
    void neverKeepsCharactersAbove255();
    void checksTaxpayerAndSocialNumbers_data();
    void checksTaxpayerAndSocialNumbers();
    void testCnsAcceptsEverything();
    void choosesCpfOrCnpj_data();
    void choosesCpfOrCnpj();
    void listTest_data();
    void listTest();
    void normalisesOnlyAsciiLetters_data();
    void normalisesOnlyAsciiLetters();
};

void TestFieldChecks::readsDayFirstDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("expected"); // invalid: not a date

    const QDate none;
    QTest::newRow("plain") << QStringLiteral("15/06/2024") << today << QDate(2024, 6, 15);
    QTest::newRow("single digits") << QStringLiteral("5/2/2023") << today << QDate(2023, 2, 5);
    QTest::newRow("blanks around every part")
        << QStringLiteral("  5 / 2 /  2023  ") << today << QDate(2023, 2, 5);
    QTest::newRow("a year ahead is still a date")
        << QStringLiteral("15/06/2026") << today << QDate(2026, 6, 15);
    QTest::newRow("29 Feb of a leap year")
        << QStringLiteral("29/02/2024") << today << QDate(2024, 2, 29);
    QTest::newRow("29 Feb of a common year") << QStringLiteral("29/02/2023") << today << none;
    QTest::newRow("29 Feb 1900, century") << QStringLiteral("29/02/1900") << today << none;
    QTest::newRow("29 Feb 2000, fourth century")
        << QStringLiteral("29/02/2000") << today << QDate(2000, 2, 29);
    QTest::newRow("31 April") << QStringLiteral("31/04/2024") << today << none;
    QTest::newRow("day 0") << QStringLiteral("0/01/2024") << today << none;
    QTest::newRow("month 13") << QStringLiteral("01/13/2024") << today << none;

    QTest::newRow("four-digit year as written")
        << QStringLiteral("01/01/0020") << today << QDate(20, 1, 1);
    QTest::newRow("three-digit year as written")
        << QStringLiteral("01/01/020") << today << QDate(20, 1, 1);
    QTest::newRow("first year of the window")
        << QStringLiteral("01/01/75") << today << QDate(1975, 1, 1);
    QTest::newRow("year before the window wraps ahead")
        << QStringLiteral("01/01/74") << today << QDate(2074, 1, 1);
    QTest::newRow("one-digit year") << QStringLiteral("01/01/5") << today << QDate(2005, 1, 1);
    QTest::newRow("00 as 2000 is leap")
        << QStringLiteral("29/02/00") << today << QDate(2000, 2, 29);
    QTest::newRow("00 as 2100 is not leap")
        << QStringLiteral("29/02/00") << QDate(2060, 1, 1) << none;
    QTest::newRow("year 1") << QStringLiteral("01/01/0001") << today << QDate(1, 1, 1);
    QTest::newRow("year 9999") << QStringLiteral("31/12/9999") << today << QDate(9999, 12, 31);
    QTest::newRow("year 0") << QStringLiteral("01/01/0000") << today << none;

    QTest::newRow("empty") << QString() << today << none;
    QTest::newRow("blanks only") << QStringLiteral("   ") << today << none;
    QTest::newRow("no year") << QStringLiteral("15/06") << today << none;
    QTest::newRow("empty year") << QStringLiteral("15/06/") << today << none;
    QTest::newRow("empty day") << QStringLiteral("/06/2024") << today << none;
    QTest::newRow("hyphens") << QStringLiteral("15-06-2024") << today << none;
    QTest::newRow("letter after the year") << QStringLiteral("15/06/2024x") << today << none;
    QTest::newRow("time of day after the year")
        << QStringLiteral("15/06/2024 10:00") << today << none;
    QTest::newRow("three-digit day") << QStringLiteral("015/06/2024") << today << none;
    QTest::newRow("five-digit year") << QStringLiteral("15/06/02024") << today << none;
    QTest::newRow("signed day") << QStringLiteral("+5/02/2023") << today << none;
    QTest::newRow("tab is not a blank") << QStringLiteral("\t5/02/2023") << today << none;
}

void TestFieldChecks::readsDayFirstDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, today);
    QFETCH(QDate, expected);

    const std::optional<QDate> read = readDayFirstDate(text, today);
    QCOMPARE(read.value_or(QDate()), expected);
    QCOMPARE(IsDateOLU(text, today), expected.isValid());
}

void TestFieldChecks::composesDayFirstTextFromOluDate_data()
{
    QTest::addColumn<QString>("oluDate");
    QTest::addColumn<QString>("dayFirst");
    QTest::addColumn<bool>("isDate");

    QTest::newRow("plain") << QStringLiteral("2024-02-29") << QStringLiteral("29/02/2024") << true;
    QTest::newRow("day 30 in February")
        << QStringLiteral("2023-02-30") << QStringLiteral("30/02/2023") << false;
    QTest::newRow("separators and time are ignored")
        << QStringLiteral("2024x02y29T10:15:00") << QStringLiteral("29/02/2024") << true;
    QTest::newRow("no leading zeros")
        << QStringLiteral("2023-2-5") << QStringLiteral("/2-/2023") << false;
    QTest::newRow("year only") << QStringLiteral("2024") << QStringLiteral("//2024") << false;
    QTest::newRow("empty") << QString() << QStringLiteral("//") << false;
}

void TestFieldChecks::composesDayFirstTextFromOluDate()
{
    QFETCH(QString, oluDate);
    QFETCH(QString, dayFirst);
    QFETCH(bool, isDate);

    QCOMPARE(dayFirstText(oluDate), dayFirst);
    QCOMPARE(IsDateOLU(dayFirstText(oluDate), today), isDate);
}

void TestFieldChecks::readsIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("value");

    QTest::newRow("negative") << QStringLiteral("-5") << true << -5;
    QTest::newRow("plus sign") << QStringLiteral("+7") << true << 7;
    QTest::newRow("leading blanks") << QStringLiteral("  42") << true << 42;
    QTest::newRow("leading zeros") << QStringLiteral("0009") << true << 9;
    QTest::newRow("largest") << QStringLiteral("2147483647") << true << 2147483647;
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << true << int(-2147483647 - 1);
    QTest::newRow("dollar hex") << QStringLiteral("$1F") << true << 31;
    QTest::newRow("x hex") << QStringLiteral("x1f") << true << 31;
    QTest::newRow("0x hex") << QStringLiteral("0x10") << true << 16;
    QTest::newRow("signed hex") << QStringLiteral("-$10") << true << -16;
    QTest::newRow("largest hex") << QStringLiteral("$7FFFFFFF") << true << 2147483647;
    QTest::newRow("smallest hex") << QStringLiteral("-$80000000") << true << int(-2147483647 - 1);

    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("blanks only") << QStringLiteral("   ") << false << 0;
    QTest::newRow("sign only") << QStringLiteral("-") << false << 0;
    QTest::newRow("letter after digits") << QStringLiteral("12a") << false << 0;
    QTest::newRow("trailing blank") << QStringLiteral("12 ") << false << 0;
    QTest::newRow("blank after sign") << QStringLiteral("- 5") << false << 0;
    QTest::newRow("decimal point") << QStringLiteral("1.0") << false << 0;
    QTest::newRow("one past largest") << QStringLiteral("2147483648") << false << 0;
    QTest::newRow("one past smallest") << QStringLiteral("-2147483649") << false << 0;
    QTest::newRow("beyond 64 bits") << QStringLiteral("99999999999999999999999") << false << 0;
    QTest::newRow("hex past largest") << QStringLiteral("$80000000") << false << 0;
    QTest::newRow("hex all ones is not -1") << QStringLiteral("$FFFFFFFF") << false << 0;
    QTest::newRow("prefix without digits") << QStringLiteral("$") << false << 0;
    QTest::newRow("0x without digits") << QStringLiteral("0x") << false << 0;
    QTest::newRow("hex digit without prefix") << QStringLiteral("1F") << false << 0;
    QTest::newRow("non-ASCII digit") << QStringLiteral("1\u0663") << false << 0;
}

void TestFieldChecks::readsIntegers()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(int, value);

    const std::optional<qint32> read = readInteger(text);
    QCOMPARE(read.has_value(), converts);
    if (converts)
        QCOMPARE(*read, value);
    QCOMPARE(IsInteger(text), converts);
}

void TestFieldChecks::readsNumberTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("isNumber");

    const QChar comma(u',');
    const QChar point(u'.');
    QTest::newRow("digits") << QStringLiteral("123456789012345678901") << comma << true;
    QTest::newRow("blanks around") << QStringLiteral("  42  ") << comma << true;
    QTest::newRow("locale separator") << QStringLiteral("-1,5") << comma << true;
    QTest::newRow("point besides the locale's") << QStringLiteral("+1.5") << comma << true;
    QTest::newRow("leading separator") << QStringLiteral(".5") << comma << true;
    QTest::newRow("trailing separator") << QStringLiteral("5,") << comma << true;
    QTest::newRow("exponent") << QStringLiteral("1E5") << comma << true;
    QTest::newRow("signed exponent") << QStringLiteral("2,5e-10") << comma << true;

    QTest::newRow("empty") << QString() << comma << false;
    QTest::newRow("blanks only") << QStringLiteral("   ") << comma << false;
    QTest::newRow("comma is not the point locale's") << QStringLiteral("1,5") << point << false;
    QTest::newRow("two separators") << QStringLiteral("1.5,5") << comma << false;
    QTest::newRow("separator only") << QStringLiteral(",") << comma << false;
    QTest::newRow("sign only") << QStringLiteral("-") << comma << false;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << comma << false;
    QTest::newRow("exponent without mantissa") << QStringLiteral("e5") << comma << false;
    QTest::newRow("fraction in exponent") << QStringLiteral("1e5.5") << comma << false;
    QTest::newRow("letter") << QStringLiteral("12A34") << comma << false;
    QTest::newRow("inner blank") << QStringLiteral("12 34") << comma << false;
    QTest::newRow("hyphen") << QStringLiteral("2024-001") << comma << false;
    QTest::newRow("hex") << QStringLiteral("0x10") << comma << false;
}

void TestFieldChecks::readsNumberTexts()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, isNumber);

    QCOMPARE(IsNumberText(text, separator), isNumber);
}

void TestFieldChecks::filtersCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");

    QTest::newRow("formatted CPF")
        << QStringLiteral("123.456.789-09") << QStringLiteral("12345678909");
    QTest::newRow("no digits") << QStringLiteral("abc-./ ") << QString();
    // U+0130 and U+0131 end in the bytes of "0" and "1".
    QTest::newRow("wide characters are not narrowed")
        << QStringLiteral("9\u0130\u01318") << QStringLiteral("98");
}

void TestFieldChecks::filtersCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);

    QCOMPARE(FilterChars(text, decimalDigits()), digits);
}

void TestFieldChecks::neverKeepsCharactersAbove255()
{
    CharSet everything;
    everything.set();
    QCOMPARE(FilterChars(QStringLiteral("aé\u20ACÿ\u0100"), everything), QStringLiteral("aéÿ"));
}

void TestFieldChecks::checksTaxpayerAndSocialNumbers_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("valid");

    QTest::newRow("CPF valid, first digit from r = 10")
        << QStringLiteral("12345678909") << 0 << true;
    QTest::newRow("CPF valid, first digit from r = 11")
        << QStringLiteral("10000000604") << 0 << true;
    QTest::newRow("CPF wrong second digit") << QStringLiteral("12345678908") << 0 << false;
    QTest::newRow("CPF wrong first digit") << QStringLiteral("12345678919") << 0 << false;
    // Runs of one digit carry consistent check digits, so only the list refuses them.
    QTest::newRow("CPF of ones") << QStringLiteral("11111111111") << 0 << false;
    QTest::newRow("CPF of zeros") << QStringLiteral("00000000000") << 0 << false;
    QTest::newRow("CPF of 12 digits") << QStringLiteral("123456789090") << 0 << false;
    QTest::newRow("CPF formatted") << QStringLiteral("123.456.789-09") << 0 << false;
    QTest::newRow("CPF empty") << QString() << 0 << false;

    QTest::newRow("CNPJ valid") << QStringLiteral("11222333000181") << 1 << true;
    QTest::newRow("CNPJ valid, first digit from r = 1")
        << QStringLiteral("11222333000009") << 1 << true;
    QTest::newRow("CNPJ wrong second digit") << QStringLiteral("11222333000182") << 1 << false;
    QTest::newRow("CNPJ wrong first digit") << QStringLiteral("11222333000191") << 1 << false;
    QTest::newRow("CNPJ of zeros") << QStringLiteral("00000000000000") << 1 << false;
    QTest::newRow("CNPJ of ones") << QStringLiteral("11111111111111") << 1 << false;
    QTest::newRow("CNPJ of 13 digits") << QStringLiteral("1122233300018") << 1 << false;
    QTest::newRow("CPF is not a CNPJ") << QStringLiteral("12345678909") << 1 << false;

    QTest::newRow("PIS of zeros") << QStringLiteral("00000000000") << 2 << true;
    QTest::newRow("PIS valid") << QStringLiteral("10000000008") << 2 << true;
    QTest::newRow("PIS wrong digit") << QStringLiteral("10000000007") << 2 << false;
    QTest::newRow("PIS missing digits count as 0") << QStringLiteral("1234567890") << 2 << true;
    QTest::newRow("PIS short, check digit not 0") << QStringLiteral("1") << 2 << false;
    QTest::newRow("PIS letter as check digit counts as 0")
        << QStringLiteral("1234567890A") << 2 << true;
    QTest::newRow("PIS ignores what follows") << QStringLiteral("10000000008999") << 2 << true;
    QTest::newRow("PIS of blanks") << QStringLiteral("   ") << 2 << false;
    QTest::newRow("PIS empty") << QString() << 2 << false;

    QTest::newRow("unknown kind") << QStringLiteral("12345678909") << 3 << false;
    QTest::newRow("negative kind") << QStringLiteral("00000000000") << -1 << false;
}

void TestFieldChecks::checksTaxpayerAndSocialNumbers()
{
    QFETCH(QString, numero);
    QFETCH(int, tipo);
    QFETCH(bool, valid);

    QCOMPARE(ValidaCnpjCnpfPis(numero, tipo, realCns), valid);
}

void TestFieldChecks::testCnsAcceptsEverything()
{
    const QString testCns = QStringLiteral("000000");
    QVERIFY(ValidaCnpjCnpfPis(QStringLiteral("abc"), 0, testCns));
    QVERIFY(ValidaCnpjCnpfPis(QStringLiteral("11111111111111"), 1, testCns));
    QVERIFY(ValidaCnpjCnpfPis(QString(), 2, testCns));
    QVERIFY(ValidaCnpjCnpfPis(QStringLiteral("1"), 9, testCns));

    // Only the exact text is the test office.
    QVERIFY(!ValidaCnpjCnpfPis(QStringLiteral("abc"), 0, QStringLiteral(" 000000")));
    QVERIFY(!ValidaCnpjCnpfPis(QStringLiteral("abc"), 0, QStringLiteral("0000000")));
}

void TestFieldChecks::choosesCpfOrCnpj_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<int>("tipo");

    QTest::newRow("formatted CNPJ") << QStringLiteral("11.222.333/0001-81") << 1;
    QTest::newRow("formatted CPF") << QStringLiteral("123.456.789-09") << 0;
    QTest::newRow("13 digits") << QStringLiteral("1122233300018") << 0;
    QTest::newRow("15 digits") << QStringLiteral("112223330001810") << 1;
    QTest::newRow("letters do not count") << QStringLiteral("1122233300018X") << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestFieldChecks::choosesCpfOrCnpj()
{
    QFETCH(QString, numero);
    QFETCH(int, tipo);

    QCOMPARE(TipoCpfCnpj(numero), tipo);
}

void TestFieldChecks::listTest_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("passes");

    const QString status = QStringLiteral("|cancelado|");
    QTest::newRow("entry") << QStringLiteral("cancelado") << status << true;
    QTest::newRow("entry in capitals") << QStringLiteral("CANCELADO") << status << true;
    QTest::newRow("fragment of an entry") << QStringLiteral("cancel") << status << true;
    QTest::newRow("a bar alone") << QStringLiteral("|") << status << true;
    QTest::newRow("across entries") << QStringLiteral("I|E") << QStringLiteral("|I|E|") << true;
    QTest::newRow("no closing bar")
        << QStringLiteral("ativo") << QStringLiteral("|cancelado|ativo") << true;
    QTest::newRow("no leading bar") << QStringLiteral("1") << QStringLiteral("13|14|") << true;
    QTest::newRow("accented capitals")
        << QStringLiteral("CRIANÇA") << QStringLiteral("|criança|filiação|declarante|") << true;
    QTest::newRow("tilde folds") << QStringLiteral("FILIAÇÃO")
                                 << QStringLiteral("|criança|filiação|declarante|") << true;
    QTest::newRow("half-normalised by lower case")
        << QStringLiteral("crianÇa") << QStringLiteral("|criança|filiação|declarante|") << true;
    QTest::newRow("absent") << QStringLiteral("X") << QStringLiteral("|I|E|") << false;
    QTest::newRow("longer than the entry") << QStringLiteral("canceladoo") << status << false;
    QTest::newRow("empty value") << QString() << status << false;
}

void TestFieldChecks::listTest()
{
    QFETCH(QString, value);
    QFETCH(QString, list);
    QFETCH(bool, passes);

    QCOMPARE(passesList(value, list), passes);
}

void TestFieldChecks::normalisesOnlyAsciiLetters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");

    QTest::newRow("capital cedilla")
        << QStringLiteral("CRIANÇA") << QStringLiteral("CRIANÇA") << QStringLiteral("crianÇa");
    QTest::newRow("small accents")
        << QStringLiteral("filiação") << QStringLiteral("FILIAçãO") << QStringLiteral("filiação");
    QTest::newRow("neither letters")
        << QStringLiteral("12/@[`{") << QStringLiteral("12/@[`{") << QStringLiteral("12/@[`{");
    QTest::newRow("empty") << QString() << QString() << QString();
}

void TestFieldChecks::normalisesOnlyAsciiLetters()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);

    QCOMPARE(asciiUpper(text), upper);
    QCOMPARE(asciiLower(text), lower);
}

QTEST_APPLESS_MAIN(TestFieldChecks)
#include "tst_fieldchecks.moc"
