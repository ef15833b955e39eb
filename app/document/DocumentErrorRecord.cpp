#include "document/DocumentErrorRecord.h"

#include "document/DocumentStrings.h"
#include "document/IDocumentShell.h"

#include "foundation/FutureSchemaException.h"
#include "model/ModelStrings.h"
#include "model/ModelUiHook.h"

void DocumentErrorRecord::RecordNewerFile(const FutureSchemaException& error, const QString& firstTextOfFile)
{
    kind = DocumentErrorKind::NewerFile;
    firstText = firstTextOfFile;
    fileVersionText = error.GetFileVersion();
    programVersionText = error.GetProgramVersion();
}

void DocumentErrorRecord::RecordReadError()
{
    if (kind == DocumentErrorKind::None)
        kind = DocumentErrorKind::ReadError;
}

void DocumentErrorRecord::RecordFileError(const QString& why)
{
    kind = DocumentErrorKind::FileError;
    reason = why;
}

QString DocumentErrorRecord::Message() const
{
    switch (kind) {
    case DocumentErrorKind::NewerFile:
        return UiText(kStrNewerFileVersion).arg(fileVersionText, programVersionText);
    case DocumentErrorKind::ReadError:
        return UiText(kStrDocumentReadError);
    case DocumentErrorKind::FileError:
        return UiText(kStrFileNotOpened) + QStringLiteral("\n\n") + reason;
    case DocumentErrorKind::None:
        break;
    }
    return {};
}

DocumentErrorRecord& TheDocumentErrorRecord()
{
    static DocumentErrorRecord record;
    return record;
}

void ReportDocumentError()
{
    const QString message = TheDocumentErrorRecord().Message();
    if (!message.isEmpty())
        ShowModelMessage(message);
}

void DeliverDocumentError(IDocumentShell* shell)
{
    if (!shell || !shell->PostDocumentErrorReport())
        ReportDocumentError();
}
