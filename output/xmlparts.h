#pragma once

#include <vector>
#include <string>
#include <string_view>

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

class ZipArchive;

// Helpers for the XML parts of a workbook package. Parts may use any namespace prefix, so
// elements are matched by their local names and new ones take the prefix of their parent.

namespace ooxml {

inline constexpr const char *RelationshipsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char *DrawingRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr const char *ImageRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
inline constexpr const char *CalcChainRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain";
inline constexpr const char *StylesRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char *WorksheetRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char *OfficeDocumentRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";

}  // namespace ooxml

// Parses a part; error names the part and the parser's complaint.
[[nodiscard]] bool parseXml(const QByteArray &bytes, pugi::xml_document &doc, const QString &partName, QString *error);
// The document as UTF-8 bytes with an XML declaration.
[[nodiscard]] QByteArray xmlBytes(const pugi::xml_document &doc);

[[nodiscard]] std::string_view localName(const pugi::xml_node &node);
[[nodiscard]] pugi::xml_node firstChild(const pugi::xml_node &parent, std::string_view local);
// The element name local takes among node's children: node's own prefix in front.
[[nodiscard]] std::string childName(const pugi::xml_node &node, std::string_view local);
// Adds a child named local (with the parent's prefix) before the first child whose local name is
// one of followers, which keeps the order a schema fixes; appends when there is none.
pugi::xml_node insertInOrder(pugi::xml_node parent, std::string_view local,
                             const std::vector<std::string_view> &followers);
// The prefix bound to namespace uri on node (searching up to the root), declaring prefix there when
// none is; returns the prefix to use, without the colon.
std::string namespacePrefix(pugi::xml_node node, const char *uri, const char *preferred);

[[nodiscard]] QString relsPathOf(const QString &part);
[[nodiscard]] QString resolveTarget(const QString &sourcePart, const QString &target);
[[nodiscard]] QString relativeTarget(const QString &sourcePart, const QString &targetPart);
// The smallest numbered name "<stem>N<suffix>" (N from 1) that the archive does not hold yet.
[[nodiscard]] QString freePartName(const ZipArchive &archive, const QString &stem, const QString &suffix);

// The relationship part of one package part.
class Relationships {
public:
    // Reads the relationships of part; a part without any starts empty.
    [[nodiscard]] bool load(const ZipArchive &archive, const QString &part, QString *error);
    // The part the first relationship of that type (or with that id) points to; empty when none.
    [[nodiscard]] QString targetOfType(const char *type) const;
    [[nodiscard]] QString targetOfId(const QString &id) const;
    [[nodiscard]] QString idOfType(const char *type) const;
    // Adds a relationship to targetPart and returns its new id.
    QString add(const char *type, const QString &targetPart);
    void removeType(const char *type);
    void store(ZipArchive &archive) const;

private:
    QString m_part;
    pugi::xml_document m_doc;
};

// [Content_Types].xml.
class ContentTypes {
public:
    [[nodiscard]] bool load(const ZipArchive &archive, QString *error);
    void ensureDefault(const QString &extension, const char *contentType);
    void setOverride(const QString &part, const char *contentType);
    void removeOverride(const QString &part);
    void store(ZipArchive &archive) const;

private:
    pugi::xml_document m_doc;
};
