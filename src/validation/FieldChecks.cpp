#include "validation/FieldChecks.h"

#include <algorithm>

namespace tramora {

namespace {

// A forward reader over a text; past the end it yields U+0000, which no rule accepts.
class Cursor
{
public:
    explicit Cursor(QStringView text)
        : m_text(text)
    { }

    char16_t peek(qsizetype ahead = 0) const
    {
        const qsizetype at = m_pos + ahead;
        return at < m_text.size() ? m_text[at].unicode() : u'\0';
    }
    void advance(qsizetype count = 1) { m_pos += count; }
    bool atEnd() const { return m_pos >= m_text.size(); }

    // Only the space counts as a blank, as in the conversions the office tools were built on.
    void skipBlanks()
    {
        while (peek() == u' ')
            advance();
    }

    bool take(char16_t c)
    {
        if (atEnd() || peek() != c)
            return false;
        advance();
        return true;
    }

    // Reads at most maxDigits ASCII digits; a further digit makes the part too long.
    std::optional<int> digits(int maxDigits, int *count = nullptr)
    {
        int value = 0;
        int read = 0;
        while (isDigit(peek())) {
            if (read == maxDigits)
                return std::nullopt;
            value = value * 10 + (peek() - u'0');
            ++read;
            advance();
        }
        if (read == 0)
            return std::nullopt;
        if (count)
            *count = read;
        return value;
    }

    static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Non-digits weigh nothing in the check-digit sums, and a position past the end is a non-digit.
int digitAt(const QString &text, qsizetype position)
{
    const qsizetype index = position - 1;
    if (index < 0 || index >= text.size())
        return 0;
    const char16_t c = text[index].unicode();
    return Cursor::isDigit(c) ? c - u'0' : 0;
}

bool isRunOfOneDigit(const QString &text)
{
    if (text.isEmpty() || !Cursor::isDigit(text[0].unicode()))
        return false;
    return std::all_of(text.cbegin(), text.cend(), [&text](QChar c) { return c == text[0]; });
}

QChar digitChar(int value)
{
    return QChar(u'0' + value);
}

bool validCpf(const QString &numero)
{
    if (numero.size() != 11 || isRunOfOneDigit(numero))
        return false;

    // 10 and 11 both fold to a zero check digit.
    const auto reduce = [](int sum) {
        const int r = 11 - sum % 11;
        return r >= 10 ? 0 : r;
    };
    int sum = 0;
    for (int position = 1; position <= 9; ++position)
        sum += digitAt(numero, position) * (11 - position);
    const int first = reduce(sum);

    // The written tenth character takes part, not the digit just computed.
    sum = 0;
    for (int position = 1; position <= 10; ++position)
        sum += digitAt(numero, position) * (12 - position);
    const int second = reduce(sum);

    return numero[9] == digitChar(first) && numero[10] == digitChar(second);
}

bool validCnpj(const QString &numero)
{
    if (numero.size() != 14 || isRunOfOneDigit(numero))
        return false;

    // Weights climb from 2 at the rightmost character and wrap back to 2 after 9.
    const auto checkDigit = [&numero](int lastPosition) {
        int sum = 0;
        int weight = 2;
        for (int position = lastPosition; position >= 1; --position) {
            sum += digitAt(numero, position) * weight;
            weight = weight == 9 ? 2 : weight + 1;
        }
        const int r = sum % 11;
        return r < 2 ? 0 : 11 - r;
    };
    return numero[12] == digitChar(checkDigit(12)) && numero[13] == digitChar(checkDigit(13));
}

bool validPis(const QString &numero)
{
    // Blank as a trim would see it: every control character counts too.
    const bool blank
        = std::all_of(numero.cbegin(), numero.cend(), [](QChar c) { return c.unicode() <= u' '; });
    if (blank)
        return false;

    static constexpr int weights[10] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int sum = 0;
    for (int position = 1; position <= 10; ++position)
        sum += digitAt(numero, position) * weights[position - 1];
    int d = 11 - sum % 11;
    if (d > 9)
        d = 0;
    return d == digitAt(numero, 11);
}

} // namespace

QString dayFirstText(const QString &oluDate)
{
    return oluDate.mid(8, 2) + QLatin1Char('/') + oluDate.mid(5, 2) + QLatin1Char('/')
        + oluDate.left(4);
}

std::optional<QDate> readDayFirstDate(const QString &DateString, const QDate &today)
{
    Cursor in(DateString);

    in.skipBlanks();
    const std::optional<int> day = in.digits(2);
    in.skipBlanks();
    if (!day || !in.take(u'/'))
        return std::nullopt;

    in.skipBlanks();
    const std::optional<int> month = in.digits(2);
    in.skipBlanks();
    if (!month || !in.take(u'/'))
        return std::nullopt;

    in.skipBlanks();
    int yearDigits = 0;
    std::optional<int> year = in.digits(4, &yearDigits);
    in.skipBlanks();
    if (!year || !in.atEnd())
        return std::nullopt;

    if (yearDigits <= 2) {
        const int centuryBase = today.year() - 50;
        *year += centuryBase / 100 * 100;
        if (*year < centuryBase)
            *year += 100;
    }
    if (*year < 1 || *year > 9999 || !QDate::isValid(*year, *month, *day))
        return std::nullopt;
    return QDate(*year, *month, *day);
}

bool IsDateOLU(const QString &DateString, const QDate &today)
{
    return readDayFirstDate(DateString, today).has_value();
}

std::optional<qint32> readInteger(const QString &TestaString)
{
    Cursor in(TestaString);
    in.skipBlanks();

    bool negative = false;
    if (in.take(u'-'))
        negative = true;
    else
        in.take(u'+');

    int base = 10;
    // The upper-case X is read as well, as the Pascal run-time conversion did.
    if (in.take(u'$') || in.take(u'x') || in.take(u'X')) {
        base = 16;
    } else if (in.peek() == u'0' && (in.peek(1) == u'x' || in.peek(1) == u'X')) {
        base = 16;
        in.advance(2);
    }

    // Hexadecimal is held to the signed range too: "$FFFFFFFF" is not -1 here.
    const qint64 limit = negative ? Q_INT64_C(2147483648) : Q_INT64_C(2147483647);
    qint64 magnitude = 0;
    bool any = false;
    while (!in.atEnd()) {
        const int digit = base == 16 ? hexValue(in.peek())
                                     : (Cursor::isDigit(in.peek()) ? in.peek() - u'0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
        any = true;
        in.advance();
    }
    if (!any)
        return std::nullopt;
    return qint32(negative ? -magnitude : magnitude);
}

bool IsInteger(const QString &TestaString)
{
    return readInteger(TestaString).has_value();
}

bool IsNumberText(const QString &text, QChar decimalSeparator)
{
    Cursor in(text);
    in.skipBlanks();
    if (!in.take(u'+'))
        in.take(u'-');

    int mantissaDigits = 0;
    const auto skipDigits = [&in] {
        int count = 0;
        for (; Cursor::isDigit(in.peek()); in.advance())
            ++count;
        return count;
    };
    mantissaDigits += skipDigits();
    if (in.take(u'.') || in.take(decimalSeparator.unicode()))
        mantissaDigits += skipDigits();
    // A lone separator or sign is no number, nor is an exponent without digits.
    if (mantissaDigits == 0)
        return false;

    if (in.take(u'e') || in.take(u'E')) {
        if (!in.take(u'+'))
            in.take(u'-');
        if (skipDigits() == 0)
            return false;
    }
    in.skipBlanks();
    return in.atEnd();
}

CharSet decimalDigits()
{
    CharSet digits;
    for (char c = '0'; c <= '9'; ++c)
        digits.set(static_cast<unsigned char>(c));
    return digits;
}

QString FilterChars(const QString &S, const CharSet &ValidChars)
{
    QString kept;
    kept.reserve(S.size());
    for (const QChar c : S) {
        // Codes above 255 must not be narrowed to a byte: U+0131 would pass as "1".
        if (c.unicode() <= 255 && ValidChars.test(c.unicode()))
            kept += c;
    }
    return kept;
}

bool ValidaCnpjCnpfPis(const QString &Numero, int Tipo, const QString &cnjCartorio)
{
    if (cnjCartorio == QLatin1String("000000"))
        return true;
    switch (Tipo) {
    case 0:
        return validCpf(Numero);
    case 1:
        return validCnpj(Numero);
    case 2:
        return validPis(Numero);
    default:
        return false;
    }
}

int TipoCpfCnpj(const QString &numero)
{
    return FilterChars(numero, decimalDigits()).size() >= 14 ? 1 : 0;
}

bool passesList(const QString &value, const QString &listText)
{
    if (value.isEmpty())
        return false;
    return listText.toUpper().contains(value.toUpper());
}

namespace {

// Moves the 26 unaccented letters from one case to the other; everything else stays.
QString shiftAsciiCase(const QString &text, char16_t first, char16_t last, char16_t target)
{
    QString result = text;
    for (QChar &c : result) {
        if (c.unicode() >= first && c.unicode() <= last)
            c = QChar(c.unicode() - first + target);
    }
    return result;
}

} // namespace

QString asciiUpper(const QString &text)
{
    return shiftAsciiCase(text, u'a', u'z', u'A');
}

QString asciiLower(const QString &text)
{
    return shiftAsciiCase(text, u'A', u'Z', u'a');
}

} // namespace tramora
