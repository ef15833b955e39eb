#pragma once
// The program's help for one test: a contents page (or none) and topic pages
// in a temporary folder, and the documents the program opens recorded
// instead of shown.

#include "foundation/DocumentOpener.h"
#include "foundation/ProgramHelp.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <initializer_list>

class ScopedProgramHelp
{
public:
    // installed: whether the contents page exists; topics: the topics that
    // have a page of their own.
    explicit ScopedProgramHelp(bool installed, std::initializer_list<int> topics = {})
    {
        QDir(m_folder.path()).mkpath(QStringLiteral("help"));
        if (installed)
            Write(Contents());
        for (int topic : topics)
            Write(Page(topic));
        SetHelpFilePath(Contents());
        m_previous = SetDocumentOpener([this](const QUrl& url) {
            opened << url.toLocalFile();
            return true;
        });
    }
    ~ScopedProgramHelp()
    {
        SetDocumentOpener(m_previous);
        SetHelpFilePath(QString());
    }
    ScopedProgramHelp(const ScopedProgramHelp&) = delete;
    ScopedProgramHelp& operator=(const ScopedProgramHelp&) = delete;

    QString Contents() const { return m_folder.filePath(QStringLiteral("help/index.html")); }
    QString Page(int topic) const { return m_folder.filePath(QStringLiteral("help/%1.html").arg(topic)); }

    // The local files opened, in order.
    QStringList opened;

private:
    static void Write(const QString& path)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("<html><body>Help</body></html>\n");
    }

    QTemporaryDir m_folder;
    DocumentOpener m_previous;
};
