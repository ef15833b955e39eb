#pragma once

#include <qzXml/XElement.h>
#include <qzxmlutility_export.h>

#include <string>

class TiXmlDocument;

namespace qzXml {

// One XML document, built element by element and saved to a file. It starts
// with the declaration version "1.0", encoding "utf-8"; every text is
// written as UTF-8. Moving a document leaves the source empty; an empty
// document adds nothing and does not save.
class QZXMLUTILITY_EXPORT XDoc
{
public:
    XDoc();
    XDoc(XDoc&& other) noexcept;
    XDoc& operator=(XDoc&& other) noexcept;
    XDoc(const XDoc&) = delete;
    XDoc& operator=(const XDoc&) = delete;
    ~XDoc();

    // A new element linked as the last top-level child.
    XElement AddChild(const std::u16string& name);

    // Writes the document (UTF-8, no byte-order mark, CR LF line ends).
    // False when the file cannot be opened or written, or when the document
    // lost content for want of memory.
    bool Save(const std::u16string& path) const;
    // The same for a file named by the system's own bytes, used as they are:
    // a name that is not UTF-8 (a folder named in Latin-1) cannot pass
    // through text without losing the bytes that make it.
    bool Save(const std::string& fileName) const;

    std::u16string GetErrorMsg() const;

private:
    void AddDeclaration();

    TiXmlDocument* m_doc;
};

} // namespace qzXml
