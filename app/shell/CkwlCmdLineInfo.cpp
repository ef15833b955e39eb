#include "shell/CkwlCmdLineInfo.h"

namespace {

bool EndsWithExtension(const QString& name, const QString& extension)
{
    return name.size() > extension.size() && name.endsWith(extension, Qt::CaseInsensitive);
}

} // namespace

void CkwlCmdLineInfo::Parse(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() < 2) {
            ParseName(argument);
            continue;
        }
        const QString name = argument.mid(1).toLower();
        if (name == QStringLiteral("i")) {
            m_flags |= ImportFlag;
        } else if (name == QStringLiteral("s")) {
            m_flags |= SFlag;
        } else if (name == QStringLiteral("w")) {
            m_flags |= WFlag;
        } else if (name == QStringLiteral("p")) {
            m_command = ShellCommand::FilePrint;
        } else if (name == QStringLiteral("pt")) {
            m_command = ShellCommand::FilePrintTo;
            if (i + 1 < arguments.size())
                m_printerName = arguments[++i];
        }
        // Other switches mean nothing to this program.
    }
    if (m_command != ShellCommand::FileNew && m_fileName.isEmpty())
        m_command = ShellCommand::FileNew;
}

void CkwlCmdLineInfo::ParseName(const QString& name)
{
    const bool import = (m_flags & ImportFlag) || EndsWithExtension(name, QStringLiteral(".csv"))
        || EndsWithExtension(name, QStringLiteral(".txt"));
    if (!import) {
        if (m_fileName.isEmpty()) {
            m_fileName = name;
            if (m_command == ShellCommand::FileNew)
                m_command = ShellCommand::FileOpen;
        }
        return;
    }
    m_flags |= ImportFlag;
    if (m_firstImport.isEmpty())
        m_firstImport = name;
    else if (m_secondImport.isEmpty())
        m_secondImport = name;
}
