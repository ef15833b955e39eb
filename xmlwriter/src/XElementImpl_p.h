#pragma once

#include <qzXml/XElement.h>

class TiXmlElement;
class TiXmlNode;

namespace qzXml {

// The separately allocated cell of a handle: the handle owns the cell, the
// document owns the element.
struct XElement::Impl
{
    TiXmlElement* element = nullptr;
};

namespace detail {
// Marks the node's document as having lost content, so that it refuses to
// save rather than write a partial file.
void MarkLostContent(TiXmlNode* node) noexcept;
} // namespace detail

} // namespace qzXml
