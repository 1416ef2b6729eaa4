#include "PdfFixtures.h"

#include "PdfWriter.h"

#include <algorithm>

namespace tramora::test {

namespace {

const QByteArray catalog = "<< /Type /Catalog /Pages 2 0 R >>";
const QByteArray threePages = "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 3 >>";

QByteArray page()
{
    return "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>";
}

void writePages(PdfWriter &writer, const QByteArray &tree = threePages)
{
    writer.object(1, catalog);
    writer.object(2, tree);
    for (int number = 3; number <= 5; ++number)
        writer.object(number, page());
}

QByteArray classic(const QByteArray &tree = threePages)
{
    PdfWriter writer;
    writePages(writer, tree);
    writer.classicSection("/Root 1 0 R");
    return writer.bytes();
}

QByteArray classicWithCount(const QByteArray &count)
{
    PdfWriter writer;
    writePages(writer, "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count " + count + " >>");
    writer.object(12, "7");
    writer.classicSection("/Root 1 0 R");
    return writer.bytes();
}

QByteArray replaced(QByteArray image, const QByteArray &before, const QByteArray &after)
{
    return image.replace(before, after);
}

// Objects 1 to 5 uncompressed, or those named in members kept in object stream 10, and a
// cross-reference stream 11 over objects 0 to 11.
struct StreamFile
{
    int w1 = 1;
    int w2 = 2;
    int w3 = 1;
    QByteArray decodeParms;
    bool pngUp = false;
    QByteArray filter = "/FlateDecode";
    int windowBits = 15;
    QByteArray index;
    std::vector<std::pair<int, QByteArray>> members;
    QByteArray objectStreamDictionary;
    QByteArray length;
    QByteArray rawData;
    bool extraByte = false;
};

QByteArray streamFile(const StreamFile &file)
{
    PdfWriter writer;
    std::vector<XrefRow> rows(12, XrefRow{0, 0, 0});
    const QByteArray objects[] = {{}, catalog, threePages, page(), page(), page()};
    for (int number = 1; number <= 5; ++number) {
        const auto member = std::find_if(file.members.begin(), file.members.end(),
                                         [&](const auto &m) { return m.first == number; });
        if (member == file.members.end()) {
            writer.object(number, objects[number]);
            rows[number] = {1, quint32(writer.offsetOf(number)), 0};
        }
    }
    for (std::size_t i = 0; i < file.members.size(); ++i)
        rows[file.members[i].first] = {2, 10, quint32(i)};
    if (!file.members.empty()) {
        const qsizetype length = writer.objectStream(10, file.members, file.objectStreamDictionary);
        rows[10] = {1, quint32(writer.offsetOf(10)), 0};
        if (file.objectStreamDictionary.contains("/Length 9 0 R")) {
            writer.object(9, QByteArray::number(length));
            rows[9] = {1, quint32(writer.offsetOf(9)), 0};
        }
    }
    rows[11] = {1, quint32(writer.size()), 0};
    if (!file.index.isEmpty())
        rows.erase(rows.begin() + 6, rows.begin() + 9);
    QByteArray data = xrefRows(rows, file.w1, file.w2, file.w3);
    if (file.extraByte)
        data += '\0';
    if (file.pngUp)
        data = pngUpFiltered(data, file.w1 + file.w2 + file.w3);
    data = file.rawData.isEmpty() ? deflated(data, file.windowBits) : file.rawData;
    const QByteArray widths = "/W [" + QByteArray::number(file.w1) + ' '
        + QByteArray::number(file.w2) + ' ' + QByteArray::number(file.w3) + ']';
    writer.xrefStream(11,
                      "/Type /XRef /Size 12 /Root 1 0 R /Filter " + file.filter + ' '
                          + file.decodeParms + ' ' + widths + ' ' + file.index + ' ' + file.length,
                      data);
    return writer.bytes();
}

std::vector<std::pair<int, QByteArray>> pagesIn(const std::vector<int> &order,
                                                const QByteArray &tree = threePages)
{
    std::vector<std::pair<int, QByteArray>> members;
    for (int number : order)
        members.emplace_back(number, number == 1 ? catalog : number == 2 ? tree : page());
    return members;
}

QByteArray incremental(const QByteArray &newestTrailer)
{
    PdfWriter writer;
    writePages(writer);
    writer.classicSection("/Root 1 0 R");
    writer.object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>");
    writer.classicSection(newestTrailer);
    return writer.bytes();
}

// A classic file whose newest section names previous sections that lead back to itself.
QByteArray prevCycle(int sections)
{
    PdfWriter writer;
    writePages(writer);
    writer.classicSection("/Root 1 0 R");
    const qint64 first = writer.size();
    constexpr qint64 sectionSize = 80;
    for (int i = 0; i < sections; ++i) {
        const qint64 previous = first + ((i + 1) % sections) * sectionSize;
        QByteArray section
            = "xref\n0 1\n0000000000 65535 f \ntrailer\n<< /Size 6 /Root 1 0 R /Prev "
            + QByteArray::number(previous) + " >>\n";
        writer.append(section.leftJustified(sectionSize, ' '));
    }
    writer.end(first);
    return writer.bytes();
}

// An object stream whose header the caller writes, holding the page-tree root.
QByteArray handMadeObjectStream(const QByteArray &header, const QByteArray &texts, int members)
{
    PdfWriter writer;
    writer.object(1, catalog);
    std::vector<XrefRow> rows(12, XrefRow{0, 0, 0});
    rows[1] = {1, quint32(writer.offsetOf(1)), 0};
    rows[2] = {2, 10, 0};
    writer.stream(10,
                  "/Type /ObjStm /N " + QByteArray::number(members) + " /First "
                      + QByteArray::number(header.size()) + " /Filter /FlateDecode",
                  deflated(header + texts));
    rows[10] = {1, quint32(writer.offsetOf(10)), 0};
    rows[11] = {1, quint32(writer.size()), 0};
    writer.xrefStream(11, "/Type /XRef /Size 12 /Root 1 0 R /Filter /FlateDecode /W [1 2 1]",
                      deflated(xrefRows(rows, 1, 2, 1)));
    return writer.bytes();
}

} // namespace

std::vector<PdfFixture> readableFixtures()
{
    std::vector<PdfFixture> fixtures;
    const auto add = [&](const char *name, const QByteArray &image, int pages) {
        fixtures.push_back({name, image, pages});
    };
    add("classic table", classic(), 3);
    {
        PdfWriter writer;
        writePages(writer);
        writer.object(7, "<< /Producer (hand) >>");
        writer.classicSection("/Root 1 0 R /Info 7 0 R");
        add("classic table in two subsections",
            replaced(writer.bytes(), " 00000 n \n", " 00000 n\r\n"), 3);
    }
    add("classic table, count referenced", classicWithCount("12 0 R"), 7);
    // Any white space may stand before R; the object number 12 is not a page count.
    add("classic table, count referenced with two blanks", classicWithCount("12 0  R"), 7);
    add("classic table, direct count before the kids",
        classic("<< /Type /Pages /Count 3 /Kids [3 0 R 4 0 R 5 0 R] >>"), 3);
    add("incremental update redefines the page tree", incremental("/Root 1 0 R"), 2);
    add("incremental update, root named in the older trailer only", incremental(""), 2);

    add("cross-reference stream", streamFile({}), 3);
    {
        StreamFile file;
        file.decodeParms = "/DecodeParms << /Columns 4 /Predictor 12 >>";
        file.pngUp = true;
        add("cross-reference stream with PNG predictor", streamFile(file), 3);
    }
    {
        StreamFile file;
        file.w2 = 4;
        file.w3 = 2;
        file.index = "/Index [0 6 9 3]";
        add("cross-reference stream with wide fields and index ranges", streamFile(file), 3);
    }
    {
        StreamFile file;
        // A 512-byte window makes the first zlib byte 0x18, which is not a blank.
        file.windowBits = 9;
        add("cross-reference stream with a small zlib window", streamFile(file), 3);
    }
    {
        StreamFile file;
        file.members = pagesIn({2, 3, 4, 5});
        add("page-tree root first in an object stream", streamFile(file), 3);
        file.members = pagesIn({3, 2, 4, 5});
        add("page-tree root in the middle of an object stream", streamFile(file), 3);
        file.members = pagesIn({3, 4, 5, 2});
        add("page-tree root last in an object stream", streamFile(file), 3);
        file.objectStreamDictionary = " /Length 9 0 R";
        add("object stream with a referenced length", streamFile(file), 3);
        file.objectStreamDictionary = " /DecodeParms << /Columns 4 >>";
        add("object stream with columns but no predictor", streamFile(file), 3);
    }
    {
        StreamFile file;
        file.members
            = pagesIn({3, 2, 4, 5}, "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 6 0 R >>");
        file.members.emplace_back(6, "3");
        add("page-tree root in an object stream, count referenced", streamFile(file), 3);
    }
    {
        // The linearization count is taken without any cross-reference being read while the
        // file has the length the dictionary gives.
        const auto linearized = [](const QByteArray &length) {
            PdfWriter writer("%PDF-1.7\n9 0 obj\n<< /Linearized 1 /L " + length
                             + " /N 7 /T 4000 >>\nendobj\n");
            writePages(writer);
            writer.classicSection("/Root 1 0 R");
            return writer.bytes();
        };
        const qsizetype size = linearized("0000").size();
        add("linearized", linearized(QByteArray::number(size).rightJustified(4, '0')), 7);
        // Updated since: the page tree, read as usual, tells the pages of the update.
        add("linearized, then updated", linearized("0001"), 3);
        QByteArray image = linearized("0001");
        add("linearized, then updated, page tree unreadable",
            image.replace("/Pages 2 0 R", "/Pages 8 0 R"), 7);
        add("linearized, without a cross-reference",
            "%PDF-1.7\n1 0 obj\n<< /Linearized 1 /L 9999 /N 7 /T 4000 >>\nendobj\n", 7);
    }
    {
        // Only an object that starts within the first 32 bytes can be the linearization one.
        PdfWriter writer("%PDF-1.7\n%" + QByteArray(40, 'x')
                         + "\n9 0 obj\n<< /Linearized 1 /N 9 >>\nendobj\n");
        writePages(writer);
        writer.classicSection("/Root 1 0 R");
        add("linearization dictionary beyond 32 bytes", writer.bytes(), 3);
    }
    return fixtures;
}

std::vector<PdfFixture> unreadableFixtures()
{
    std::vector<PdfFixture> fixtures;
    const auto add = [&](const char *name, const QByteArray &image) {
        fixtures.push_back({name, image, -1});
    };
    add("empty", {});
    add("too short for startxref", "%PDF-1.7\n%%EOF");
    add("no startxref", replaced(classic(), "startxref", "startxreF"));
    add("startxref beyond the end", replaced(classic(), "startxref\n", "startxref\n9999"));
    add("startxref number too long for 32 bits",
        replaced(classic(), "startxref\n", "startxref\n99999999999"));
    {
        const QByteArray image = classic();
        add("startxref at an object that is no cross-reference stream",
            replaced(image, "startxref\n" + QByteArray::number(image.lastIndexOf("xref\n0 ")),
                     "startxref\n" + QByteArray::number(image.indexOf("3 0 obj"))));
    }
    add("trailer without root", replaced(classic(), "/Root 1 0 R", ""));
    add("count too long for 32 bits", classicWithCount("99999999999"));
    add("count referenced to a missing object", classicWithCount("13 0 R"));
    {
        PdfWriter writer;
        writePages(writer);
        writer.relocate(2, writer.offsetOf(3));
        writer.classicSection("/Root 1 0 R");
        add("another object at the listed place", writer.bytes());
    }
    {
        PdfWriter writer;
        writePages(writer);
        writer.relocate(2, 999999999);
        writer.classicSection("/Root 1 0 R");
        add("listed place beyond the end", writer.bytes());
    }
    add("subsection numbers beyond 32 bits",
        replaced(classic(), "xref\n0 6\n", "xref\n2147483647 6\n"));
    add("section that names itself as previous", prevCycle(1));
    add("sections that name each other as previous", prevCycle(2));
    add("previous section beyond the end",
        replaced(incremental("/Root 1 0 R"), "/Prev ", "/Prev 9"));

    {
        StreamFile file;
        file.w1 = 2;
        file.w2 = 2;
        add("cross-reference stream whose type field is not one byte", streamFile(file));
    }
    {
        StreamFile file;
        file.w3 = 2;
        file.decodeParms = "/DecodeParms << /Predictor 12 /Columns 5 >>";
        file.pngUp = true;
        add("cross-reference stream with the predictor before the columns", streamFile(file));
    }
    {
        StreamFile file;
        file.filter = "[/FlateDecode]";
        add("cross-reference stream with a filter array", streamFile(file));
        file.filter = "/LZWDecode";
        add("cross-reference stream with another filter", streamFile(file));
    }
    {
        StreamFile file;
        file.extraByte = true;
        add("cross-reference stream data not made of whole rows", streamFile(file));
    }
    {
        StreamFile file;
        file.rawData = "\x78\x9c\xff\xff\xff\xff";
        add("cross-reference stream with corrupt data", streamFile(file));
        file.rawData = deflated(QByteArray(48, '\1')).chopped(4);
        add("cross-reference stream cut short", streamFile(file));
    }
    {
        StreamFile file;
        file.length = "/Length 999999";
        add("cross-reference stream longer than the file", streamFile(file));
    }
    {
        StreamFile file;
        file.members = pagesIn({1, 2, 3, 4, 5});
        add("catalog in an object stream", streamFile(file));
    }
    add("object stream member beyond its data", handMadeObjectStream("2 500 ", threePages, 1));
    add("object stream member of another number", handMadeObjectStream("7 0 ", threePages, 1));
    add("object stream members in reverse order",
        handMadeObjectStream("2 40 3 0 ", threePages + "\n" + page(), 2));
    add("object stream index beyond its count", handMadeObjectStream("2 0 ", threePages, 0));
    return fixtures;
}

} // namespace tramora::test
