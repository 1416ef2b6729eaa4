#include "validation/JsonFields.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace tramora {

namespace {

// Side files are a few levels deep; the bound only keeps a hostile text from exhausting the
// stack in the walk below.
constexpr std::size_t maximumDepth = 512;

// Our own tree rather than nlohmann's: its objects keep one member per key and its numbers
// lose the text they were written with, and a find must return both as they stand.
struct JsonNode
{
    enum class Kind { Object, Array, String, Number, Literal };

    Kind kind = Kind::Object;
    // A string's content, a number as written, or true, false or null.
    QString text;
    // An object's keys, one per item, in document order.
    std::vector<QString> keys;
    std::vector<JsonNode> items;
};

// Hands the parser one byte at a time while noting how far it has read. The parser reports an
// integer only by value, which would turn -0 into 0; with the read position its text can be
// taken from the input itself.
class TrackedByte
{
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char *;
    using reference = const char &;

    TrackedByte(const char *at, const char **readUpTo)
        : m_at(at)
        , m_readUpTo(readUpTo)
    { }

    reference operator*() const { return *m_at; }
    TrackedByte &operator++()
    {
        *m_readUpTo = ++m_at;
        return *this;
    }
    TrackedByte operator++(int)
    {
        TrackedByte before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackedByte &other) const { return m_at == other.m_at; }

private:
    const char *m_at;
    const char **m_readUpTo;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

class TreeBuilder
{
public:
    TreeBuilder(const char *begin, const char *const *readUpTo)
        : m_begin(begin)
        , m_readUpTo(readUpTo)
    { }

    bool null() { return add(JsonNode::Kind::Literal, QStringLiteral("null")) != nullptr; }
    bool boolean(bool value)
    {
        return add(JsonNode::Kind::Literal,
                   value ? QStringLiteral("true") : QStringLiteral("false"))
            != nullptr;
    }
    bool number_integer(nlohmann::json::number_integer_t)
    {
        return add(JsonNode::Kind::Number, integerAsWritten()) != nullptr;
    }
    bool number_unsigned(nlohmann::json::number_unsigned_t)
    {
        return add(JsonNode::Kind::Number, integerAsWritten()) != nullptr;
    }
    bool number_float(nlohmann::json::number_float_t, const std::string &written)
    {
        return add(JsonNode::Kind::Number,
                   QString::fromLatin1(written.data(), qsizetype(written.size())))
            != nullptr;
    }
    bool string(std::string &value)
    {
        return add(JsonNode::Kind::String, fromUtf8(value)) != nullptr;
    }
    bool binary(nlohmann::json::binary_t &) { return false; }
    bool start_object(std::size_t) { return open(JsonNode::Kind::Object); }
    bool key(std::string &name)
    {
        m_open.back()->keys.push_back(fromUtf8(name));
        return true;
    }
    bool end_object()
    {
        m_open.pop_back();
        return true;
    }
    bool start_array(std::size_t) { return open(JsonNode::Kind::Array); }
    bool end_array()
    {
        m_open.pop_back();
        return true;
    }
    bool parse_error(std::size_t position, const std::string &, const nlohmann::json::exception &)
    {
        m_failure = QStringLiteral("O texto não é um JSON válido (erro no byte %1)").arg(position);
        return false;
    }

    const JsonNode &root() const { return m_root; }
    const QString &failure() const { return m_failure; }

private:
    JsonNode *add(JsonNode::Kind kind, QString text = QString())
    {
        if (m_open.empty()) {
            if (kind != JsonNode::Kind::Object) {
                m_failure = QStringLiteral("O texto JSON não é um objeto");
                return nullptr;
            }
            return &m_root;
        }
        // Only the innermost open node grows, so the pointers to the nodes around it stay valid.
        std::vector<JsonNode> &siblings = m_open.back()->items;
        siblings.push_back({kind, std::move(text), {}, {}});
        return &siblings.back();
    }

    bool open(JsonNode::Kind kind)
    {
        if (m_open.size() == maximumDepth) {
            m_failure = QStringLiteral("O texto JSON tem mais de %1 níveis").arg(maximumDepth);
            return false;
        }
        JsonNode *node = add(kind);
        if (node == nullptr)
            return false;
        m_open.push_back(node);
        return true;
    }

    // The parser reads one byte past an integer to see where it ends, unless the input ends
    // first; before the integer there is always a byte that cannot belong to it.
    QString integerAsWritten() const
    {
        const char *end = *m_readUpTo;
        if (end != m_begin && !isDigit(end[-1]))
            --end;
        const char *start = end;
        while (start != m_begin && (isDigit(start[-1]) || start[-1] == '-'))
            --start;
        return QString::fromLatin1(start, end - start);
    }

    const char *const m_begin;
    const char *const *const m_readUpTo;
    JsonNode m_root;
    std::vector<JsonNode *> m_open;
    QString m_failure;
};

bool sameIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a.at(i).unicode()) != lower(b.at(i).unicode()))
            return false;
    }
    return true;
}

// Lowercase hex digits, so one array always gives one text.
void appendQuoted(const QString &text, QString &out)
{
    static constexpr char16_t hex[] = u"0123456789abcdef";
    out += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'"' || unit == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (unit < 0x20 || unit > 0x7F) {
            out += QLatin1String("\\u");
            out += QChar(hex[(unit >> 12) & 0xF]);
            out += QChar(hex[(unit >> 8) & 0xF]);
            out += QChar(hex[(unit >> 4) & 0xF]);
            out += QChar(hex[unit & 0xF]);
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
}

void appendCompact(const JsonNode &node, QString &out)
{
    switch (node.kind) {
    case JsonNode::Kind::Object:
        out += QLatin1Char('{');
        for (std::size_t i = 0; i < node.items.size(); ++i) {
            if (i != 0)
                out += QLatin1Char(',');
            appendQuoted(node.keys[i], out);
            out += QLatin1Char(':');
            appendCompact(node.items[i], out);
        }
        out += QLatin1Char('}');
        break;
    case JsonNode::Kind::Array:
        out += QLatin1Char('[');
        for (std::size_t i = 0; i < node.items.size(); ++i) {
            if (i != 0)
                out += QLatin1Char(',');
            appendCompact(node.items[i], out);
        }
        out += QLatin1Char(']');
        break;
    case JsonNode::Kind::String:
        appendQuoted(node.text, out);
        break;
    case JsonNode::Kind::Number:
    case JsonNode::Kind::Literal:
        out += node.text;
        break;
    }
}

QString TrataObjeto(const JsonNode &object, const QString &Campo)
{
    QString result;
    for (std::size_t i = 0; i < object.items.size() && result.isEmpty(); ++i) {
        const JsonNode &value = object.items[i];
        switch (value.kind) {
        case JsonNode::Kind::Object:
            result = TrataObjeto(value, Campo);
            break;
        case JsonNode::Kind::Array:
            appendCompact(value, result);
            break;
        case JsonNode::Kind::String:
        case JsonNode::Kind::Number:
        case JsonNode::Kind::Literal:
            if (sameIgnoringAsciiCase(object.keys[i].trimmed(), Campo))
                return value.text;
            break;
        }
    }
    return result;
}

} // namespace

QString GetCamposJsonString(const QString &JSON, const QString &Campo)
{
    const QByteArray utf8 = JSON.toUtf8();
    const char *const begin = utf8.constData();
    const char *readUpTo = begin;
    TreeBuilder builder(begin, &readUpTo);
    if (!nlohmann::json::sax_parse(TrackedByte(begin, &readUpTo),
                                   TrackedByte(begin + utf8.size(), &readUpTo), &builder))
        throw JsonStructureError(builder.failure());
    return TrataObjeto(builder.root(), Campo);
}

} // namespace tramora
