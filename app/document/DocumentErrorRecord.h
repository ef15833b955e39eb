#pragma once
// What went wrong while a project file was read. The load catches its own
// failures and records them here; the message is shown once the load has
// unwound, so no dialog opens in the middle of reading.

#include <QString>

class FutureSchemaException;

enum class DocumentErrorKind : int {
    None = 0,
    NewerFile = 2,  // stored data newer than the program
    ReadError = 3,  // any other read failure
    FileError = 4,  // the file could not be taken off the disk: not found or not readable
};

struct DocumentErrorRecord
{
    DocumentErrorKind kind = DocumentErrorKind::None;
    QString firstText;        // text 1 of the refused file
    QString fileVersionText;  // the version text stored in the refused file
    // The version text of this program as the refusing reader gave it.
    QString programVersionText;
    // For a file error: the line that says why, naming the file.
    QString reason;

    void Reset() { *this = DocumentErrorRecord(); }
    void RecordNewerFile(const FutureSchemaException& error, const QString& firstTextOfFile);
    // Keeps a newer-file verdict: a later failure of the same load is only
    // a consequence of it.
    void RecordReadError();
    // A file that could not be read at all is not called damaged: its
    // message says the project could not be opened, and why.
    void RecordFileError(const QString& why);
    // The message to show for the record; empty for no error.
    QString Message() const;
};

// The program's one record.
DocumentErrorRecord& TheDocumentErrorRecord();

// Shows the recorded error in a message box (through the model's message
// hook); nothing when no error is recorded.
void ReportDocumentError();
