#include <platform/ArchiveError.h>

namespace platform {

namespace {

const char* causeText(ArchiveError::Cause cause)
{
    switch (cause) {
    case ArchiveError::None:
        return "no error";
    case ArchiveError::Generic:
        return "archive error";
    case ArchiveError::ReadOnly:
        return "archive is loading, cannot write";
    case ArchiveError::EndOfFile:
        return "unexpected end of file";
    case ArchiveError::WriteOnly:
        return "archive is storing, cannot read";
    case ArchiveError::BadIndex:
        return "bad object reference";
    case ArchiveError::BadClass:
        return "bad object class";
    case ArchiveError::BadSchema:
        return "unsupported version";
    }
    return "archive error";
}

std::string message(ArchiveError::Cause cause, const std::string& fileName, const std::string& detail)
{
    std::string text = causeText(cause);
    if (!detail.empty())
        text += " (" + detail + ")";
    if (!fileName.empty())
        text += ": " + fileName;
    return text;
}

} // namespace

ArchiveError::ArchiveError(Cause cause, std::string fileName)
    : ArchiveError(cause, std::move(fileName), std::string())
{ }

ArchiveError::ArchiveError(Cause cause, std::string fileName, const std::string& detail)
    : std::runtime_error(message(cause, fileName, detail))
    , m_cause(cause)
    , m_fileName(std::move(fileName))
{ }

} // namespace platform
