#pragma once

#include <platform/ArchiveError.h>

#include <QString>

// Data written by a newer program: a bad-schema archive error whose file
// name holds the thrower's message, with both version texts for the report.
class FutureSchemaException : public platform::ArchiveError
{
public:
    FutureSchemaException(const QString& fileVersion, const QString& programVersion, const QString& message);

    QString GetFileVersion() const { return m_fileVersion; }
    QString GetProgramVersion() const { return m_programVersion; }
    QString GetMessage() const { return QString::fromStdString(fileName()); }

private:
    QString m_fileVersion;
    QString m_programVersion;
};
