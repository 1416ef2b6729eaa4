#include "validation/SchemaValidation.h"

#include "validation/XmlDocument.h"
#include "validation/XmlSafety.h"

#include <QFile>
#include <QHash>

#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <memory>
#include <vector>

namespace tramora {

namespace {

struct Fault
{
    xmlNode *element;
    QString reason;
};

struct FaultCollector
{
    std::vector<Fault> faults;
    QString schemaErrors;
};

xmlNode *owningElement(xmlNode *node, xmlDoc *doc)
{
    while (node && node->type != XML_ELEMENT_NODE)
        node = node->parent;
    return node ? node : xmlDocGetRootElement(doc);
}

void collectValidationFault(void *data, xmlErrorPtr error)
{
    auto *collector = static_cast<FaultCollector *>(data);
    auto *node = static_cast<xmlNode *>(error->node);
    collector->faults.push_back(
        {node, QString::fromUtf8(error->message ? error->message : "").trimmed()});
}

void collectSchemaFault(void *data, xmlErrorPtr error)
{
    auto *collector = static_cast<FaultCollector *>(data);
    if (!collector->schemaErrors.isEmpty())
        collector->schemaErrors += QLatin1Char(' ');
    collector->schemaErrors += QString::fromUtf8(error->message ? error->message : "").trimmed();
}

struct SchemaDeleter
{
    void operator()(xmlSchema *schema) const { xmlSchemaFree(schema); }
};

std::unique_ptr<xmlSchema, SchemaDeleter> compileSchema(const QString &FileXsd)
{
    if (!QFile::exists(FileXsd))
        throw SchemaError(QStringLiteral("O schema %1 não foi encontrado").arg(FileXsd));
    FaultCollector collector;
    const QByteArray path = QFile::encodeName(FileXsd);
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(path.constData());
    if (!parser)
        throw SchemaError(QStringLiteral("Não foi possível ler o schema %1").arg(FileXsd));
    xmlSchemaSetParserStructuredErrors(parser, collectSchemaFault, &collector);
    xmlSchema *schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (!schema)
        throw SchemaError(
            QStringLiteral("O schema %1 é inválido: %2").arg(FileXsd, collector.schemaErrors));
    return std::unique_ptr<xmlSchema, SchemaDeleter>(schema);
}

// Each element answers for the first fault found in its own subtree, as validating that
// element alone would; a fault therefore appears on its element and on every ancestor.
QHash<xmlNode *, QString> firstFaultPerElement(const std::vector<Fault> &faults, xmlDoc *doc)
{
    QHash<xmlNode *, QString> first;
    for (const Fault &fault : faults) {
        if (fault.reason.isEmpty())
            continue;
        for (xmlNode *node = owningElement(fault.element, doc);
             node && node->type == XML_ELEMENT_NODE; node = node->parent) {
            if (first.contains(node))
                break; // its ancestors hold an earlier fault already
            first.insert(node, fault.reason);
        }
    }
    return first;
}

// Pre-order walk over the nodes from lastChild backwards to the first: an element, then its
// children, siblings in document order.
void LerXml(xmlNode *lastChild, const QHash<xmlNode *, QString> &reasons, QString &faultText)
{
    std::vector<xmlNode *> pending;
    for (xmlNode *child = lastChild; child; child = child->prev)
        pending.push_back(child);
    while (!pending.empty()) {
        xmlNode *element = pending.back();
        pending.pop_back();
        if (element->type != XML_ELEMENT_NODE)
            continue;
        const QString reason = reasons.value(element);
        if (!reason.isEmpty()) {
            if (!faultText.isEmpty())
                faultText += QLatin1String("\r\n");
            faultText += reason;
        }
        for (xmlNode *child = element->last; child; child = child->prev)
            pending.push_back(child);
    }
}

} // namespace

QString ValidarXmlComXsd(const QString &FileXML, const QString &FileXsd)
{
    prepareXmlLibrary();
    const auto schema = compileSchema(FileXsd);

    std::unique_ptr<XmlDocument> document;
    try {
        document = XmlDocument::load(FileXML);
    } catch (const XmlError &) {
        return QString();
    }

    FaultCollector collector;
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(schema.get());
    if (!validator)
        throw SchemaError(QStringLiteral("Não foi possível criar o validador de %1").arg(FileXsd));
    xmlSchemaSetValidStructuredErrors(validator, collectValidationFault, &collector);
    xmlSchemaValidateDoc(validator, document->raw());
    xmlSchemaFreeValidCtxt(validator);

    QString faultText;
    LerXml(document->raw()->last, firstFaultPerElement(collector.faults, document->raw()),
           faultText);
    return faultText;
}

} // namespace tramora
