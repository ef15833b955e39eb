#include "foundation/FutureSchemaException.h"

FutureSchemaException::FutureSchemaException(
    const QString& fileVersion, const QString& programVersion, const QString& message)
    : platform::ArchiveError(BadSchema, message.toStdString())
    , m_fileVersion(fileVersion)
    , m_programVersion(programVersion)
{ }
