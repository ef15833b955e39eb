#include <qzXml/XDoc.h>

#include <platform/Utf.h>

#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>

namespace qzXml {

namespace {

// The printed document with CR LF line ends, the form the export files have
// whichever machine wrote them. Text and attribute values carry their own
// line feeds as character references, so every line feed here is one of the
// printer's line ends.
// A memory stream and its buffer, both freed however printing ends (the
// printer may run out of memory part-way and throw).
class MemoryStream
{
public:
    MemoryStream() noexcept
        : m_file(open_memstream(&m_buffer, &m_size))
    { }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    ~MemoryStream()
    {
        close();
        std::free(m_buffer);
    }

    FILE* file() const noexcept { return m_file; }
    // Closes the stream; the buffer then holds everything printed.
    bool close() noexcept
    {
        if (!m_file)
            return false;
        const bool ok = std::ferror(m_file) == 0;
        std::fclose(m_file);
        m_file = nullptr;
        return ok;
    }
    const char* data() const noexcept { return m_buffer; }
    std::size_t size() const noexcept { return m_size; }

private:
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    FILE* m_file = nullptr;
};

bool PrintDocument(const TiXmlDocument& doc, std::string& out)
{
    MemoryStream memory;
    if (!memory.file())
        return false;
    doc.Print(memory.file(), 0);
    if (!memory.close())
        return false;
    out.reserve(memory.size() + memory.size() / 16);
    for (std::size_t i = 0; i < memory.size(); ++i) {
        if (memory.data()[i] == '\n')
            out += '\r';
        out += memory.data()[i];
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
    try {
        return Save(platform::ToUtf8(path));
    } catch (...) {
        return false;
    }
}

bool XDoc::Save(const std::string& fileName) const
{
    // Content lost for want of memory: a partial file would pass for a whole one.
    if (!m_doc || (m_doc->Error() && m_doc->ErrorId() == TiXmlBase::TIXML_ERROR))
        return false;
    try {
        std::string text;
        if (!PrintDocument(*m_doc, text))
            return false;
        // A NUL inside the name would make the system write another file.
        FILE* file = fileName.find('\0') == std::string::npos ? std::fopen(fileName.c_str(), "wb") : nullptr;
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
