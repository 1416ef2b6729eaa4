#include "validation/XmlSafety.h"

#include <QByteArray>
#include <QString>

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <mutex>

namespace tramora {

namespace {

// Schemas may include their neighbours; nothing else an index file names is ever read.
xmlParserInputPtr refuseAllButSchemas(const char *url, const char *id, xmlParserCtxtPtr context)
{
    const QString target = QString::fromUtf8(url ? url : "");
    const bool network = target.contains(QLatin1String("://"))
        && !target.startsWith(QLatin1String("file://"), Qt::CaseInsensitive);
    if (!network && target.endsWith(QLatin1String(".xsd"), Qt::CaseInsensitive)) {
        QString path = target;
        if (path.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
            path = path.mid(7);
        const QByteArray local = path.toUtf8();
        return xmlNewInputFromFile(context, local.constData());
    }
    Q_UNUSED(id);
    return nullptr;
}

void ignoreGenericError(void *, const char *, ...) { }

} // namespace

void prepareXmlLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseAllButSchemas);
        xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
    });
}

int untrustedParseOptions()
{
    // Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay unexpanded,
    // no DTD is fetched, and the parser's depth and size limits stay in force.
    return XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
}

} // namespace tramora
