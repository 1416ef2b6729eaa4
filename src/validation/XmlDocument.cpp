#include "validation/XmlDocument.h"

#include "validation/XmlSafety.h"

#include <QFile>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

namespace tramora {

namespace {

QString fromXml(const xmlChar *text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString();
}

QByteArray toXml(const QString &text)
{
    return text.toUtf8();
}

const xmlChar *xmlText(const QByteArray &bytes)
{
    return reinterpret_cast<const xmlChar *>(bytes.constData());
}

// Whether the element's name as the file writes it ("x:Resumo" when prefixed) is wanted.
bool hasQualifiedName(const xmlNode *node, const QByteArray &wanted)
{
    const char *local = reinterpret_cast<const char *>(node->name);
    if (!node->ns || !node->ns->prefix)
        return wanted == local;
    const QByteArrayView prefix(reinterpret_cast<const char *>(node->ns->prefix));
    const QByteArrayView name(wanted);
    return name.size() > prefix.size() && name.startsWith(prefix) && name[prefix.size()] == ':'
        && name.sliced(prefix.size() + 1) == QByteArrayView(local);
}

// The name as the file writes it: a prefixed element is "x:Resumo", never plain "Resumo".
QByteArray qualifiedName(const xmlNode *node)
{
    QByteArray name(reinterpret_cast<const char *>(node->name));
    if (node->type == XML_ELEMENT_NODE && node->ns && node->ns->prefix)
        name.prepend(reinterpret_cast<const char *>(node->ns->prefix) + QByteArray(":"));
    return name;
}

bool isBlankText(const xmlNode *node)
{
    if (node->type != XML_TEXT_NODE || !node->content)
        return false;
    for (const xmlChar *c = node->content; *c; ++c) {
        if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n')
            return false;
    }
    return true;
}

// Removes white-space-only text nodes everywhere, as a DOM reader that does not preserve
// white space does. Iterative: the parser bounds the depth, but the walk need not rely on it.
void dropBlankText(xmlNode *root)
{
    std::vector<xmlNode *> pending{root};
    while (!pending.empty()) {
        xmlNode *node = pending.back();
        pending.pop_back();
        for (xmlNode *child = node->children; child;) {
            xmlNode *next = child->next;
            if (isBlankText(child)) {
                xmlUnlinkNode(child);
                xmlFreeNode(child);
            } else if (child->type == XML_ELEMENT_NODE) {
                pending.push_back(child);
            }
            child = next;
        }
    }
}

QString lastErrorText(xmlParserCtxtPtr context)
{
    const xmlError *error = xmlCtxtGetLastError(context);
    if (!error || !error->message)
        return QStringLiteral("documento XML mal formado");
    return QString::fromUtf8(error->message).trimmed()
        + QStringLiteral(" (linha %1)").arg(error->line);
}

} // namespace

QString XmlNode::name() const
{
    return m_node ? QString::fromUtf8(qualifiedName(m_node)) : QString();
}

bool XmlNode::isElement() const
{
    return m_node && m_node->type == XML_ELEMENT_NODE;
}

XmlNode XmlNode::findChild(const QString &tagName) const
{
    if (!m_node)
        return {};
    const QByteArray wanted = toXml(tagName);
    for (xmlNode *child = m_node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && hasQualifiedName(child, wanted))
            return XmlNode(child);
    }
    return {};
}

XmlNode XmlNode::nextSibling() const
{
    return m_node ? XmlNode(m_node->next) : XmlNode();
}

int XmlNode::childCount() const
{
    int count = 0;
    if (m_node && m_node->type == XML_ELEMENT_NODE) {
        for (xmlNode *child = m_node->children; child; child = child->next)
            ++count;
    }
    return count;
}

QString XmlNode::Text() const
{
    if (!m_node)
        throw XmlError(QStringLiteral("leitura de texto sem nó"));
    if (m_node->type != XML_ELEMENT_NODE)
        return fromXml(m_node->content);
    xmlNode *child = m_node->children;
    if (!child) {
        xmlAddChild(m_node, xmlNewDocText(m_node->doc, xmlText(QByteArray(""))));
        return QString();
    }
    if (child->next == nullptr
        && (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE))
        return fromXml(child->content);
    throw XmlError(
        QStringLiteral("A tag <%1> contém outros elementos e não pode ser lida como texto")
            .arg(name()));
}

void XmlNode::setText(const QString &text) const
{
    if (!m_node)
        return;
    if (m_node->type != XML_ELEMENT_NODE) {
        xmlNodeSetContent(m_node, nullptr);
        const QByteArray bytes = toXml(text);
        xmlNodeAddContentLen(m_node, xmlText(bytes), int(bytes.size()));
        return;
    }
    while (xmlNode *child = m_node->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
    // A new text node takes the text literally; content setters would read "&" as markup.
    const QByteArray bytes = toXml(text);
    xmlAddChild(m_node, xmlNewDocTextLen(m_node->doc, xmlText(bytes), int(bytes.size())));
}

QString XmlNode::markup() const
{
    if (!m_node)
        return QString();
    xmlBufferPtr buffer = xmlBufferCreate();
    xmlNodeDump(buffer, m_node->doc, m_node, 0, 0);
    const QString text = fromXml(xmlBufferContent(buffer));
    xmlBufferFree(buffer);
    return text;
}

XmlDocument::XmlDocument(xmlDoc *doc)
    : m_doc(doc)
{ }

XmlDocument::~XmlDocument()
{
    for (xmlNode *node : m_detached)
        xmlFreeNode(node);
    xmlFreeDoc(m_doc);
}

std::unique_ptr<XmlDocument> XmlDocument::load(const QString &path)
{
    QFile file(path);
    // Unbuffered: the whole file is read at once, so Qt's own buffer would only add a copy.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw XmlError(QStringLiteral("Não foi possível abrir o arquivo %1: %2")
                           .arg(path, file.errorString()));
    return parse(file.readAll(), path);
}

std::unique_ptr<XmlDocument> XmlDocument::parse(const QByteArray &bytes, const QString &name)
{
    prepareXmlLibrary();
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    if (!context)
        throw XmlError(QStringLiteral("memória insuficiente para ler %1").arg(name));
    const QByteArray url = QFile::encodeName(name);
    xmlDoc *doc = xmlCtxtReadMemory(context, bytes.constData(), int(bytes.size()), url.constData(),
                                    nullptr, untrustedParseOptions());
    const bool wellFormed = doc && context->wellFormed;
    const QString error = wellFormed ? QString() : lastErrorText(context);
    xmlFreeParserCtxt(context);

    if (!wellFormed) {
        xmlFreeDoc(doc);
        throw XmlError(QStringLiteral("O arquivo %1 não é um XML válido: %2").arg(name, error));
    }
    // Office software never writes a DTD; one in an index file can only serve entity tricks.
    if (doc->intSubset || doc->extSubset) {
        xmlFreeDoc(doc);
        throw XmlError(
            QStringLiteral("O arquivo %1 contém uma declaração DOCTYPE, que não é aceita")
                .arg(name));
    }
    if (!xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        throw XmlError(QStringLiteral("O arquivo %1 não tem elemento raiz").arg(name));
    }
    dropBlankText(xmlDocGetRootElement(doc));
    return std::unique_ptr<XmlDocument>(new XmlDocument(doc));
}

XmlNode XmlDocument::root() const
{
    return XmlNode(xmlDocGetRootElement(m_doc));
}

XmlNode XmlDocument::createElement(const QString &tagName)
{
    const QByteArray name = toXml(tagName);
    xmlNode *node = xmlNewDocNode(m_doc, nullptr, xmlText(name), nullptr);
    m_detached.push_back(node);
    return XmlNode(node);
}

} // namespace tramora
