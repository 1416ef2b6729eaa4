#include "pdf/PdfScanner.h"

#include <limits>

namespace tramora::pdf {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

bool PdfScanner::moveTo(qint64 position)
{
    if (position < 0 || position > m_buffer.size())
        return false;
    m_position = static_cast<qsizetype>(position);
    return true;
}

void PdfScanner::SkipBlankSpace()
{
    while (!atEnd() && isBlank(current()))
        ++m_position;
}

void PdfScanner::skipWhiteSpace()
{
    while (!atEnd()) {
        const char c = current();
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t' && c != '\f' && c != '\0')
            return;
        ++m_position;
    }
}

std::optional<qint32> PdfScanner::GetNumber()
{
    SkipBlankSpace();
    qint64 value = 0;
    qsizetype digits = 0;
    while (!atEnd() && isDigit(current())) {
        value = value * 10 + (current() - '0');
        if (value > std::numeric_limits<qint32>::max())
            throw CountAborted{};
        ++m_position;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return static_cast<qint32>(value);
}

bool PdfScanner::IsString(QByteArrayView token)
{
    if (m_buffer.size() - m_position < token.size()
        || m_buffer.sliced(m_position, token.size()) != token)
        return false;
    m_position += token.size();
    return true;
}

bool PdfScanner::FindStrInDict(QByteArrayView key)
{
    if (key.isEmpty())
        return false;
    int depth = 0;
    const qsizetype size = m_buffer.size();
    while (m_position < size) {
        const char c = m_buffer[m_position];
        const bool doubled = m_position + 1 < size && m_buffer[m_position + 1] == c;
        if (c == '<') {
            if (doubled)
                ++depth;
            m_position += doubled ? 2 : 1;
        } else if (c == '>') {
            if (doubled && --depth <= 0)
                return false;
            m_position += doubled ? 2 : 1;
        } else if (c == key[0] && depth < 2 && IsString(key)) {
            return true;
        } else {
            ++m_position;
        }
    }
    return false;
}

bool PdfScanner::FindEndOfDict()
{
    int depth = 1;
    const qsizetype size = m_buffer.size();
    while (m_position < size) {
        const char c = m_buffer[m_position];
        const bool doubled = m_position + 1 < size && m_buffer[m_position + 1] == c;
        if (c == '<' && doubled) {
            ++depth;
            m_position += 2;
        } else if (c == '>' && doubled) {
            m_position += 2;
            if (--depth == 0)
                return true;
        } else {
            ++m_position;
        }
    }
    return false;
}

bool PdfScanner::findBackward(QByteArrayView token)
{
    if (token.isEmpty())
        return false;
    const char last = token.back();
    for (qsizetype at = m_buffer.size() - 5; at > 0; --at) {
        if (m_buffer[at] != last)
            continue;
        const qsizetype begin = at - token.size() + 1;
        if (begin >= 0 && m_buffer.sliced(begin, token.size()) == token) {
            m_position = at + 1;
            return true;
        }
    }
    return false;
}

bool PdfScanner::moveToNext(char c)
{
    const qsizetype found = m_buffer.sliced(m_position).indexOf(c);
    if (found < 0)
        return false;
    m_position += found;
    return true;
}

bool PdfScanner::referenceMarkFollows()
{
    const qsizetype start = m_position;
    bool found = false;
    if (GetNumber()) {
        // Any white space may part the generation from R, not only one blank.
        SkipBlankSpace();
        found = IsString("R");
    }
    m_position = start;
    return found;
}

} // namespace tramora::pdf
