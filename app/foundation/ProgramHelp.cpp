#include "foundation/ProgramHelp.h"

#include "foundation/DocumentOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const char* const kContentsPage = "help/index.html";

QString& HelpFileOverride()
{
    static QString path;
    return path;
}

} // namespace

QString GetHelpFilePath()
{
    if (!HelpFileOverride().isEmpty())
        return HelpFileOverride();
    const QDir program(QCoreApplication::applicationDirPath());
    const QString contents = QString::fromLatin1(kContentsPage);
    if (program.exists(contents))
        return program.filePath(contents);
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/kwlsolo/") + contents));
}

bool IsHelpInstalled()
{
    return QFileInfo(GetHelpFilePath()).isFile();
}

bool ShowHelp(int topic)
{
    if (!IsHelpInstalled())
        return false;
    const QFileInfo contents(GetHelpFilePath());
    const QFileInfo page(contents.dir(), QStringLiteral("%1.html").arg(topic));
    const bool hasPage = topic != 0 && page.isFile();
    return OpenWithDesktop(QUrl::fromLocalFile(hasPage ? page.filePath() : contents.filePath()));
}

void SetHelpFilePath(const QString& path)
{
    HelpFileOverride() = path;
}
