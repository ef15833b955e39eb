#include "model/CClipboardParser.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <sstream>

namespace {

std::u16string ToU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

QString FromU16(const std::u16string& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void WriteField(platform::BinaryArchive& ar, const CParseField& field)
{
    ar.writeText(ToU16(field.GetText()));
    ar.writeText(ToU16(field.GetSecondText()));
    ar.writeDouble(field.GetNumber());
    ar.write<std::int32_t>(static_cast<std::int32_t>(field.GetFlags()));
    ar.write<std::int32_t>(static_cast<std::int32_t>(field.GetIndex()));
    ar.writeText(ToU16(field.GetThirdText()));
}

// Exclude, column and kind are not part of the private form: a pasted field
// has their defaults.
CParseField ReadField(platform::BinaryArchive& ar)
{
    CParseField field;
    field.SetText(FromU16(ar.readText()));
    field.SetSecondText(FromU16(ar.readText()));
    field.SetNumber(ar.readDouble());
    field.SetFlags(static_cast<unsigned>(ar.read<std::int32_t>()));
    field.SetIndex(static_cast<std::uint32_t>(ar.read<std::int32_t>()));
    field.SetThirdText(FromU16(ar.readText()));
    return field;
}

// The smallest field: three empty texts (4 bytes each), a double and two ints.
constexpr std::uint64_t kMinFieldBytes = 3 * 4 + 8 + 4 + 4;
// The smallest row: index word and two counts.
constexpr std::uint64_t kMinRowBytes = 3 * 4;

std::vector<CParseField> ReadFields(platform::BinaryArchive& ar, std::int32_t count)
{
    if (count < 0)
        throw platform::ArchiveError(platform::ArchiveError::Generic, ar.filePath(), "negative field count");
    // A damaged count must fail before anything is allocated for it.
    ar.requireBytes(static_cast<std::uint64_t>(count), kMinFieldBytes);
    std::vector<CParseField> fields;
    fields.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        fields.push_back(ReadField(ar));
    return fields;
}

} // namespace

QString CClipboardParser::QuoteCell(const QString& text)
{
    if (text.isEmpty())
        return text;
    // Line breaks are quoted too: unquoted, a note with a line break would
    // split the row in two in a spreadsheet.
    const bool needsQuotes = text.contains(u'\t') || text.contains(u'"') || text.contains(u'/')
        || text.contains(u'\r') || text.contains(u'\n');
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CClipboardParser::RowsToText(const ParseFieldRows& rows)
{
    QString text;
    for (const ParseFieldRow& row : rows) {
        std::vector<const CParseField*> cells;
        for (const CParseField& field : row.GetFields()) {
            if (field.GetExclude() == 0)
                cells.push_back(&field);
        }
        // Column order; fields of one column keep their list order.
        std::stable_sort(cells.begin(), cells.end(),
                         [](const CParseField* a, const CParseField* b) { return a->GetColumn() < b->GetColumn(); });
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                text += u'\t';
            text += QuoteCell(cells[i]->GetText());
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

QByteArray CClipboardParser::WritePrivateForm(const ParseFieldRows& rows, bool skipFirstRow)
{
    std::ostringstream out;
    platform::BinaryArchive ar = platform::BinaryArchive::storing(out);
    const std::size_t first = (skipFirstRow && !rows.empty()) ? 1 : 0;
    ar.write<std::uint32_t>(static_cast<std::uint32_t>(rows.size() - first));
    for (std::size_t r = first; r < rows.size(); ++r) {
        const ParseFieldRow& row = rows[r];
        ar.write<std::int32_t>(static_cast<std::int32_t>(row.GetIndex()));
        ar.write<std::int32_t>(static_cast<std::int32_t>(row.GetFields().size()));
        ar.write<std::int32_t>(static_cast<std::int32_t>(row.GetExtraFields().size()));
        for (const CParseField& field : row.GetFields())
            WriteField(ar, field);
        for (const CParseField& field : row.GetExtraFields())
            WriteField(ar, field);
    }
    ar.flush();
    const std::string bytes = out.str();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

ParseFieldRows CClipboardParser::ReadPrivateForm(const QByteArray& block)
{
    std::vector<std::uint8_t> bytes(block.begin(), block.end());
    platform::BinaryArchive ar = platform::BinaryArchive::loading(std::move(bytes));
    const std::uint32_t count = ar.read<std::uint32_t>();
    ar.requireBytes(count, kMinRowBytes);
    ParseFieldRows rows;
    rows.reserve(count);
    for (std::uint32_t r = 0; r < count; ++r) {
        ParseFieldRow row;
        row.SetIndex(static_cast<std::uint32_t>(ar.read<std::int32_t>()));
        const std::int32_t fieldCount = ar.read<std::int32_t>();
        const std::int32_t extraCount = ar.read<std::int32_t>();
        row.GetFieldsForEdit() = ReadFields(ar, fieldCount);
        if (extraCount != 0)
            row.GetExtraFieldsForEdit() = ReadFields(ar, extraCount);
        rows.push_back(std::move(row));
    }
    return rows;
}

void CClipboardParser::CopyRowsToClipboard(const ParseFieldRows& rows, bool skipFirstRow,
                                           const QString& privateFormat) const
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto data = new QMimeData;
    data->setText(RowsToText(rows));
    if (!privateFormat.isEmpty())
        data->setData(privateFormat, WritePrivateForm(rows, skipFirstRow));
    clipboard->setMimeData(data); // the clipboard owns the data
}

bool CClipboardParser::PasteRowsFromClipboard(ParseFieldRows& rows, const QString& privateFormat) const
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || privateFormat.isEmpty())
        return false;
    const QMimeData* data = clipboard->mimeData();
    if (!data || !data->hasFormat(privateFormat))
        return false;
    try {
        // Read everything first: a damaged block adds no row at all.
        ParseFieldRows pasted = ReadPrivateForm(data->data(privateFormat));
        rows.insert(rows.end(), std::make_move_iterator(pasted.begin()), std::make_move_iterator(pasted.end()));
        return true;
    } catch (const platform::ArchiveError&) {
        return false;
    }
}
