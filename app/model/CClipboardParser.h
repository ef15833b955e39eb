#pragma once

#include "model/ParseFieldRow.h"

#include <QByteArray>
#include <QString>

// Private clipboard formats of the grids (MIME types of the clipboard data).
inline const QString kClipboardFormatMilledPart = QStringLiteral("KWC_MILLED_PART");
inline const QString kClipboardFormatSizeCost = QStringLiteral("KWC_SGSIZECOST");

// Copies grid rows to the clipboard in two forms at once: tab-separated text
// for other programs, and a private binary form that keeps every field for
// pasting back into the program.
class CClipboardParser
{
public:
    virtual ~CClipboardParser() = default;

    // Puts the text form of all rows (headings included) and, with a format
    // name, the private form (without the first row when skipFirstRow).
    void CopyRowsToClipboard(const ParseFieldRows& rows, bool skipFirstRow, const QString& privateFormat) const;
    // Appends the rows of the private form on the clipboard; false when the
    // format is not there or cannot be read (the list is then unchanged).
    bool PasteRowsFromClipboard(ParseFieldRows& rows, const QString& privateFormat) const;

    // Tab-separated cells, every line ended by CR LF.
    static QString RowsToText(const ParseFieldRows& rows);
    // Quotes a cell that a spreadsheet would otherwise split or misread.
    static QString QuoteCell(const QString& text);
    static QByteArray WritePrivateForm(const ParseFieldRows& rows, bool skipFirstRow);
    // Reads a private block; throws the archive error on damaged data.
    static ParseFieldRows ReadPrivateForm(const QByteArray& block);
};
