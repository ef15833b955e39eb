#include <qzXml/XElement.h>

#include "XElementImpl_p.h"
#include "XmlText_p.h"

#include <tinyxml.h>

#include <cmath>
#include <new>

namespace qzXml {

namespace detail {

void MarkLostContent(TiXmlNode* node) noexcept
{
    if (!node)
        return;
    if (TiXmlDocument* doc = node->GetDocument())
        doc->SetError(TiXmlBase::TIXML_ERROR, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
}

} // namespace detail

namespace {

TiXmlElement* ElementOf(const XElement::Impl* impl)
{
    return impl ? impl->element : nullptr;
}

} // namespace

XElement::XElement(Impl* impl) noexcept
    : m_impl(impl)
{ }

XElement::XElement(const XElement& other) noexcept
    : m_impl(new (std::nothrow) Impl { ElementOf(other.m_impl) })
{
    if (!m_impl)
        detail::MarkLostContent(ElementOf(other.m_impl));
}

XElement& XElement::operator=(const XElement& other) noexcept
{
    if (m_impl)
        m_impl->element = ElementOf(other.m_impl);
    else
        detail::MarkLostContent(ElementOf(other.m_impl));
    return *this;
}

XElement::~XElement()
{
    delete m_impl;
}

XElement XElement::LinkNewChild(TiXmlNode* parent, const std::u16string& name) noexcept
{
    if (!parent)
        return XElement(nullptr);
    // A bad name would make the whole file unreadable: the document refuses
    // to save instead.
    if (!detail::IsXmlName(name)) {
        detail::MarkLostContent(parent);
        return XElement(nullptr);
    }
    TiXmlElement* child = nullptr;
    try {
        child = new TiXmlElement(detail::ToTreeText(name));
        parent->LinkEndChild(child);
        return XElement(new Impl { child });
    } catch (...) {
        // The child may already be linked; the document owns it then.
        if (child && child->Parent() == nullptr)
            delete child;
        detail::MarkLostContent(parent);
        return XElement(nullptr);
    }
}

XElement XElement::AddChild(const std::u16string& name)
{
    return LinkNewChild(ElementOf(m_impl), name);
}

XElement XElement::AddChild(const std::u16string& name, const std::u16string& text)
{
    XElement child = AddChild(name);
    if (TiXmlElement* element = ElementOf(child.m_impl)) {
        try {
            element->LinkEndChild(new TiXmlText(detail::ToTreeText(text)));
        } catch (...) {
            detail::MarkLostContent(element);
        }
    }
    return child;
}

XElement& XElement::WithValue(const std::u16string& text)
{
    if (TiXmlElement* element = ElementOf(m_impl)) {
        try {
            element->LinkEndChild(new TiXmlText(detail::ToTreeText(text)));
        } catch (...) {
            detail::MarkLostContent(element);
        }
    }
    return *this;
}

XElement& XElement::setAttributeText(const std::u16string& name, std::string_view utf8Value)
{
    if (TiXmlElement* element = ElementOf(m_impl)) {
        if (!detail::IsXmlName(name)) {
            detail::MarkLostContent(element);
            return *this;
        }
        try {
            element->SetAttribute(detail::ToTreeText(name), std::string(utf8Value));
        } catch (...) {
            detail::MarkLostContent(element);
        }
    }
    return *this;
}

XElement& XElement::WithAttribute(const std::u16string& name, const std::u16string& value)
{
    if (value.empty())
        return *this;
    try {
        return setAttributeText(name, detail::ToTreeText(value));
    } catch (...) {
        detail::MarkLostContent(ElementOf(m_impl));
        return *this;
    }
}

XElement& XElement::WithAttribute(const std::u16string& name, const char16_t* value)
{
    if (!value || *value == u'\0')
        return *this;
    try {
        return WithAttribute(name, std::u16string(value));
    } catch (...) {
        detail::MarkLostContent(ElementOf(m_impl));
        return *this;
    }
}

XElement& XElement::WithAttribute(const std::u16string& name, std::int32_t value)
{
    return value == 0 ? *this : setAttributeText(name, detail::FormatSigned(value).view());
}

XElement& XElement::WithAttribute(const std::u16string& name, bool value)
{
    return value ? setAttributeText(name, "1") : *this;
}

XElement& XElement::WithAttribute(const std::u16string& name, long value)
{
    return value == 0 ? *this : setAttributeText(name, detail::FormatSigned(value).view());
}

XElement& XElement::WithAttribute(const std::u16string& name, std::uint32_t value)
{
    return value == 0 ? *this : setAttributeText(name, detail::FormatUnsigned(value).view());
}

XElement& XElement::WithAttribute(const std::u16string& name, std::uint64_t value)
{
    return value == 0 ? *this : setAttributeText(name, detail::FormatUnsigned(value).view());
}

XElement& XElement::WithAttribute(const std::u16string& name, double value)
{
    // Exactly zero is the "not set" value; -0.0 counts as zero too.
    if (std::fpclassify(value) == FP_ZERO)
        return *this;
    return setAttributeText(name, detail::FormatReal(value).view());
}

} // namespace qzXml
