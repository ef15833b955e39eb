#pragma once

#include <qzxmlutility_export.h>

#include <cstdint>
#include <string>
#include <string_view>

class TiXmlNode;

namespace qzXml {

class XDoc;

// A cheap handle on one element of an XDoc. The element belongs to the
// document: a handle never frees it, and must not outlive the document.
// Setters return the handle so that calls chain:
//   root.AddChild(u"Part").WithAttribute(u"Qty", 4).WithAttribute(u"Name", name);
// A handle whose creation ran out of memory is inert; the document then
// refuses to save, so a partial document never reaches a file.
class QZXMLUTILITY_EXPORT XElement
{
public:
    struct Impl;

    XElement(const XElement& other) noexcept;
    XElement& operator=(const XElement& other) noexcept;
    ~XElement();

    // A new element linked as the last child of this one.
    XElement AddChild(const std::u16string& name);
    // The same, holding one text child (also when the text is empty).
    XElement AddChild(const std::u16string& name, const std::u16string& text);

    // Appends a text node to this element.
    XElement& WithValue(const std::u16string& text);

    // Sets an attribute; an existing one of that name keeps its position.
    // An empty text, 0, 0.0 or false sets nothing, so such attributes are
    // absent from the output.
    XElement& WithAttribute(const std::u16string& name, const std::u16string& value);
    // Keeps a literal like u"x" away from the bool overload.
    XElement& WithAttribute(const std::u16string& name, const char16_t* value);
    XElement& WithAttribute(const std::u16string& name, std::int32_t value);
    XElement& WithAttribute(const std::u16string& name, bool value);
    XElement& WithAttribute(const std::u16string& name, long value);
    XElement& WithAttribute(const std::u16string& name, std::uint32_t value);
    XElement& WithAttribute(const std::u16string& name, std::uint64_t value);
    XElement& WithAttribute(const std::u16string& name, double value);

private:
    friend class XDoc;
    QZXMLUTILITY_NO_EXPORT explicit XElement(Impl* impl) noexcept;
    // A new element linked as the last child of `parent` (the document or
    // an element); an inert handle when there is no parent or no memory.
    QZXMLUTILITY_NO_EXPORT static XElement LinkNewChild(
        TiXmlNode* parent, const std::u16string& name) noexcept;
    QZXMLUTILITY_NO_EXPORT XElement& setAttributeText(const std::u16string& name, std::string_view utf8Value);

    Impl* m_impl;
};

} // namespace qzXml
