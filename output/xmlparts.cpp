#include "output/xmlparts.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include <QStringList>

#include "output/ziparchive.h"

namespace {

constexpr const char *ContentTypesPart = "[Content_Types].xml";

class ByteWriter : public pugi::xml_writer {
public:
    void write(const void *data, size_t size) override { bytes.append(static_cast<const char *>(data), qsizetype(size)); }
    QByteArray bytes;
};

std::string prefixOf(const pugi::xml_node &node)
{
    const std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

QStringList folderSegments(const QString &part)
{
    QStringList segments = part.split(u'/', Qt::SkipEmptyParts);
    if (!segments.isEmpty())
        segments.removeLast();
    return segments;
}

// A prefix that can stand before a name in a start tag: the parser takes "xmlns:2r" as an attribute
// name but refuses "2r:id", so the template's own declaration of such a prefix cannot be reused.
bool usablePrefix(std::string_view prefix)
{
    const auto letter = [](unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; };
    if (prefix.empty() || !letter(static_cast<unsigned char>(prefix.front())))
        return false;
    return std::all_of(prefix.begin(), prefix.end(), [&](char c) {
        const auto u = static_cast<unsigned char>(c);
        return letter(u) || std::isdigit(u) || c == '-' || c == '.';
    });
}

}  // namespace

bool parseXml(const QByteArray &bytes, pugi::xml_document &doc, const QString &partName, QString *error)
{
    const pugi::xml_parse_result result = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                                          pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single);
    if (!result) {
        *error = QStringLiteral("%1: %2").arg(partName, QString::fromUtf8(result.description()));
        return false;
    }
    if (!doc.document_element()) {
        *error = QStringLiteral("%1: no root element").arg(partName);
        return false;
    }
    return true;
}

QByteArray xmlBytes(const pugi::xml_document &doc)
{
    ByteWriter writer;
    if (doc.first_child().type() != pugi::node_declaration)
        writer.bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return writer.bytes;
}

std::string_view localName(const pugi::xml_node &node)
{
    const std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node firstChild(const pugi::xml_node &parent, std::string_view local)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && localName(child) == local)
            return child;
    return {};
}

std::string childName(const pugi::xml_node &node, std::string_view local)
{
    return prefixOf(node) + std::string(local);
}

pugi::xml_node insertInOrder(pugi::xml_node parent, std::string_view local, const std::vector<std::string_view> &followers)
{
    const std::string name = childName(parent, local);
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        for (std::string_view follower : followers)
            if (localName(child) == follower)
                return parent.insert_child_before(name.c_str(), child);
    }
    return parent.append_child(name.c_str());
}

std::string namespacePrefix(pugi::xml_node node, const char *uri, const char *preferred)
{
    for (pugi::xml_node n = node; n && n.type() == pugi::node_element; n = n.parent())
        for (pugi::xml_attribute attribute : n.attributes()) {
            const std::string_view name = attribute.name();
            if (name.starts_with("xmlns:") && std::string_view(attribute.value()) == uri && usablePrefix(name.substr(6)))
                return std::string(name.substr(6));
        }
    pugi::xml_node root = node;
    while (root.parent() && root.parent().type() == pugi::node_element)
        root = root.parent();
    // Another namespace may already hold the preferred prefix; a numbered one is free.
    std::string prefix = preferred;
    for (int n = 1; root.attribute(("xmlns:" + prefix).c_str()); ++n)
        prefix = std::string(preferred) + std::to_string(n);
    root.append_attribute(("xmlns:" + prefix).c_str()) = uri;
    return prefix;
}

QString relsPathOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

QString resolveTarget(const QString &sourcePart, const QString &target)
{
    QStringList segments = target.startsWith(u'/') ? QStringList() : folderSegments(sourcePart);
    for (const QString &segment : target.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u"..") {
            if (!segments.isEmpty())
                segments.removeLast();
        } else if (segment != u".") {
            segments.append(segment);
        }
    }
    return segments.join(u'/');
}

QString relativeTarget(const QString &sourcePart, const QString &targetPart)
{
    const QStringList from = folderSegments(sourcePart);
    const QStringList to = targetPart.split(u'/', Qt::SkipEmptyParts);
    qsizetype common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common])
        ++common;
    QStringList path;
    for (qsizetype i = common; i < from.size(); ++i)
        path.append(QStringLiteral(".."));
    path.append(to.mid(common));
    return path.join(u'/');
}

QString freePartName(const ZipArchive &archive, const QString &stem, const QString &suffix)
{
    for (int n = 1;; ++n) {
        const QString name = stem + QString::number(n) + suffix;
        if (!archive.contains(name))
            return name;
    }
}

bool Relationships::load(const ZipArchive &archive, const QString &part, QString *error)
{
    m_part = part;
    const QString path = relsPathOf(part);
    if (const ZipArchive::Part *rels = archive.find(path))
        return parseXml(rels->data, m_doc, path, error);
    m_doc.reset();
    m_doc.append_child("Relationships").append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/relationships";
    return true;
}

QString Relationships::targetOfType(const char *type) const
{
    for (pugi::xml_node r : m_doc.document_element().children())
        if (localName(r) == "Relationship" && std::string_view(r.attribute("Type").value()) == type
            && std::string_view(r.attribute("TargetMode").value()) != "External")
            return resolveTarget(m_part, QString::fromUtf8(r.attribute("Target").value()));
    return {};
}

QString Relationships::targetOfId(const QString &id) const
{
    const QByteArray wanted = id.toUtf8();
    for (pugi::xml_node r : m_doc.document_element().children())
        if (localName(r) == "Relationship" && wanted == r.attribute("Id").value())
            return resolveTarget(m_part, QString::fromUtf8(r.attribute("Target").value()));
    return {};
}

QString Relationships::idOfType(const char *type) const
{
    for (pugi::xml_node r : m_doc.document_element().children())
        if (localName(r) == "Relationship" && std::string_view(r.attribute("Type").value()) == type)
            return QString::fromUtf8(r.attribute("Id").value());
    return {};
}

QString Relationships::add(const char *type, const QString &targetPart)
{
    pugi::xml_node root = m_doc.document_element();
    QString id;
    for (int n = 1; id.isEmpty(); ++n) {
        const QByteArray candidate = "rId" + QByteArray::number(n);
        bool taken = false;
        for (pugi::xml_node r : root.children())
            taken = taken || candidate == r.attribute("Id").value();
        if (!taken)
            id = QString::fromLatin1(candidate);
    }
    pugi::xml_node r = root.append_child(childName(root, "Relationship").c_str());
    r.append_attribute("Id") = id.toUtf8().constData();
    r.append_attribute("Type") = type;
    r.append_attribute("Target") = relativeTarget(m_part, targetPart).toUtf8().constData();
    return id;
}

void Relationships::removeType(const char *type)
{
    pugi::xml_node root = m_doc.document_element();
    for (pugi::xml_node r = root.first_child(); r;) {
        const pugi::xml_node next = r.next_sibling();
        if (std::string_view(r.attribute("Type").value()) == type)
            root.remove_child(r);
        r = next;
    }
}

void Relationships::store(ZipArchive &archive) const
{
    archive.put(relsPathOf(m_part), xmlBytes(m_doc));
}

bool ContentTypes::load(const ZipArchive &archive, QString *error)
{
    const ZipArchive::Part *part = archive.find(QString::fromLatin1(ContentTypesPart));
    if (!part) {
        *error = QStringLiteral("%1 is missing").arg(QString::fromLatin1(ContentTypesPart));
        return false;
    }
    return parseXml(part->data, m_doc, QString::fromLatin1(ContentTypesPart), error);
}

void ContentTypes::ensureDefault(const QString &extension, const char *contentType)
{
    pugi::xml_node root = m_doc.document_element();
    for (pugi::xml_node d : root.children())
        if (localName(d) == "Default" && QString::fromUtf8(d.attribute("Extension").value()).compare(extension, Qt::CaseInsensitive) == 0)
            return;
    // Defaults come before overrides by convention; readers accept either order.
    pugi::xml_node d = root.prepend_child(childName(root, "Default").c_str());
    d.append_attribute("Extension") = extension.toUtf8().constData();
    d.append_attribute("ContentType") = contentType;
}

void ContentTypes::setOverride(const QString &part, const char *contentType)
{
    removeOverride(part);
    pugi::xml_node root = m_doc.document_element();
    pugi::xml_node o = root.append_child(childName(root, "Override").c_str());
    o.append_attribute("PartName") = ('/' + part.toUtf8()).constData();
    o.append_attribute("ContentType") = contentType;
}

void ContentTypes::removeOverride(const QString &part)
{
    pugi::xml_node root = m_doc.document_element();
    const QString name = u'/' + part;
    for (pugi::xml_node o = root.first_child(); o;) {
        const pugi::xml_node next = o.next_sibling();
        if (localName(o) == "Override" && QString::fromUtf8(o.attribute("PartName").value()).compare(name, Qt::CaseInsensitive) == 0)
            root.remove_child(o);
        o = next;
    }
}

void ContentTypes::store(ZipArchive &archive) const
{
    archive.put(QString::fromLatin1(ContentTypesPart), xmlBytes(m_doc));
}
