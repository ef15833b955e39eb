#include <qzXml/XDoc.h>

#include <platform/Utf.h>

#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace qzXml {

namespace {

// The printed document with CR LF line ends, the form the export files have
// whichever machine wrote them. Text and attribute values carry their own
// line feeds as character references, so every line feed here is one of the
// printer's line ends.
bool PrintDocument(const TiXmlDocument& doc, std::string& out)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* memory = open_memstream(&buffer, &size);
    if (!memory)
        return false;
    doc.Print(memory, 0);
    const bool ok = std::ferror(memory) == 0;
    std::fclose(memory);
    const std::unique_ptr<char, decltype(&std::free)> owned(buffer, &std::free);
    if (!ok)
        return false;
    out.reserve(size + size / 16);
    for (std::size_t i = 0; i < size; ++i) {
        if (buffer[i] == '\n')
            out += '\r';
        out += buffer[i];
    }
    return true;
}

} // namespace

XDoc::XDoc()
    : m_doc(new (std::nothrow) TiXmlDocument)
{
    AddDeclaration();
}

XDoc::XDoc(XDoc&& other) noexcept
    : m_doc(std::exchange(other.m_doc, nullptr))
{ }

XDoc& XDoc::operator=(XDoc&& other) noexcept
{
    if (this != &other) {
        delete m_doc;
        m_doc = std::exchange(other.m_doc, nullptr);
    }
    return *this;
}

XDoc::~XDoc()
{
    delete m_doc;
}

void XDoc::AddDeclaration()
{
    if (!m_doc)
        return;
    try {
        m_doc->LinkEndChild(new TiXmlDeclaration("1.0", "utf-8", ""));
    } catch (...) {
        m_doc->SetError(TiXmlBase::TIXML_ERROR, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
    }
}

XElement XDoc::AddChild(const std::u16string& name)
{
    return XElement::LinkNewChild(m_doc, name);
}

bool XDoc::Save(const std::u16string& path) const
{
    // Content lost for want of memory: a partial file would pass for a whole one.
    if (!m_doc || (m_doc->Error() && m_doc->ErrorId() == TiXmlBase::TIXML_ERROR))
        return false;
    try {
        std::string text;
        if (!PrintDocument(*m_doc, text))
            return false;
        // A NUL inside the path would make the system write another file.
        FILE* file = path.find(u'\0') == std::u16string::npos
            ? std::fopen(platform::ToUtf8(path).c_str(), "wb")
            : nullptr;
        if (!file) {
            m_doc->SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
            return false;
        }
        bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        ok = std::fflush(file) == 0 && ok;
        ok = std::fclose(file) == 0 && ok;
        if (ok && m_doc->Error())
            m_doc->ClearError(); // an earlier failure to open is over
        return ok;
    } catch (...) {
        return false;
    }
}

std::u16string XDoc::GetErrorMsg() const
{
    if (!m_doc)
        return {};
    try {
        return platform::FromUtf8(m_doc->ErrorDesc());
    } catch (...) {
        return {};
    }
}

} // namespace qzXml
