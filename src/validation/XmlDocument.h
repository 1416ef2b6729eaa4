#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace tramora {

// A document that cannot be loaded, or a text read from an element that holds more than text.
class XmlError final : public std::runtime_error
{
public:
    explicit XmlError(const QString &text)
        : std::runtime_error(text.toStdString())
    { }
};

// A reference to one node of a loaded document, or none. It does not own the node: the
// document does, and the reference is valid while the document lives.
class XmlNode final
{
public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode *node)
        : m_node(node)
    { }

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }
    QString name() const;
    bool isElement() const;

    // The first child element whose name equals tagName exactly, or none.
    XmlNode findChild(const QString &tagName) const;
    // The node that follows this one under the same parent, whatever it is, or none.
    XmlNode nextSibling() const;
    // Child nodes of any kind: elements, text, comments.
    int childCount() const;

    // The element's text when its only child is one text or CDATA node; "" for an element
    // without children, which then gets an empty text child. Anything else raises XmlError.
    QString Text() const;
    // Replaces the node's content by the text.
    void setText(const QString &text) const;
    // The element serialised with its whole content.
    QString markup() const;

    _xmlNode *raw() const { return m_node; }
    friend bool operator==(const XmlNode &, const XmlNode &) = default;

private:
    _xmlNode *m_node = nullptr;
};

// A parsed XML document read as an untrusted file: no DTD, no external entity, no network.
// White-space-only text between elements is dropped, so an indented file reads exactly like
// the same file written on one line.
class XmlDocument final
{
public:
    ~XmlDocument();
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    // Raises XmlError when the file is missing or not well-formed, or carries a DTD.
    static std::unique_ptr<XmlDocument> load(const QString &path);
    static std::unique_ptr<XmlDocument> parse(const QByteArray &bytes, const QString &name);

    XmlNode root() const;
    // A new element that is not attached to the tree; the document keeps it alive.
    XmlNode createElement(const QString &tagName);

    _xmlDoc *raw() const { return m_doc; }

private:
    explicit XmlDocument(_xmlDoc *doc);

    _xmlDoc *m_doc = nullptr;
    std::vector<_xmlNode *> m_detached;
};

} // namespace tramora
