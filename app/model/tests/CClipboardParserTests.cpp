#include "model/CClipboardParser.h"

#include <platform/ArchiveError.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

CParseField Cell(const QString& text, int column, unsigned exclude = 0)
{
    CParseField field;
    field.SetText(text);
    field.SetColumn(column);
    field.SetExclude(exclude);
    return field;
}

ParseFieldRow RowOf(std::initializer_list<QString> texts)
{
    ParseFieldRow row;
    int column = 0;
    for (const QString& text : texts)
        row.AppendField(Cell(text, column++));
    return row;
}

// Reads tab-separated text the way a spreadsheet does: a cell that starts
// with a double quote runs to the closing quote (doubled quotes are one),
// whatever tabs and line breaks it holds.
std::vector<QStringList> ReadAsSpreadsheet(const QString& text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"' && cell.isEmpty()) {
            quoted = true;
        } else if (c == u'\t') {
            row << cell;
            cell.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << cell;
            cell.clear();
            rows.push_back(row);
            row.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    return rows;
}

} // namespace

TEST(ClipboardTextForm, QuotesCellsThatASpreadsheetWouldSplitOrMisread)
{
    struct Case
    {
        QString cell;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("Shelf"), QStringLiteral("Shelf")},
        {QString(), QString()},
        {QStringLiteral("1/2"), QStringLiteral("\"1/2\"")},
        {QStringLiteral("a\tb"), QStringLiteral("\"a\tb\"")},
        {QStringLiteral("12\" wide"), QStringLiteral("\"12\"\" wide\"")},
        {QStringLiteral("line one\nline two"), QStringLiteral("\"line one\nline two\"")},
        {QStringLiteral("line one\r\nline two"), QStringLiteral("\"line one\r\nline two\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell.toStdString());
        EXPECT_EQ(CClipboardParser::QuoteCell(c.cell), c.expected);
    }
}

TEST(ClipboardTextForm, NoteWithLineBreakAndTabStaysOneSpreadsheetRow)
{
    ParseFieldRows rows;
    rows.push_back(RowOf({QStringLiteral("Part"), QStringLiteral("Notes")}));
    rows.push_back(RowOf({QStringLiteral("Side"), QStringLiteral("edge band\nfront\tonly")}));

    const QString text = CClipboardParser::RowsToText(rows);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));

    const std::vector<QStringList> sheet = ReadAsSpreadsheet(text);
    ASSERT_EQ(sheet.size(), 2u);
    EXPECT_EQ(sheet[1], (QStringList{QStringLiteral("Side"), QStringLiteral("edge band\nfront\tonly")}));
}

TEST(ClipboardTextForm, TakesCellsInColumnOrderAndLeavesExcludedOnesOut)
{
    ParseFieldRow row;
    row.AppendField(Cell(QStringLiteral("c2"), 2));
    row.AppendField(Cell(QStringLiteral("hidden"), 0, 1));
    row.AppendField(Cell(QStringLiteral("c0"), 0));
    row.AppendField(Cell(QStringLiteral("c1a"), 1));
    row.AppendField(Cell(QString(), 1));
    row.AppendField(Cell(QStringLiteral("c1b"), 1));
    ParseFieldRows rows{row};

    EXPECT_EQ(CClipboardParser::RowsToText(rows), QStringLiteral("c0\tc1a\t\tc1b\tc2\r\n"));
}

TEST(ClipboardPrivateForm, RoundTripsEveryFieldAndSkipsTheHeadingRow)
{
    ParseFieldRows rows;
    rows.push_back(RowOf({QStringLiteral("Heading")}));
    ParseFieldRow second;
    second.SetIndex(7);
    CParseField field = Cell(QStringLiteral("3/4\""), 4, 1);
    field.SetSecondText(QStringLiteral("second"));
    field.SetThirdText(QStringLiteral("third"));
    field.SetNumber(0.75);
    field.SetIndex(42);
    field.SetKind(12);
    second.AppendField(field);
    second.GetExtraFieldsForEdit().push_back(Cell(QStringLiteral("extra"), 9));
    rows.push_back(second);
    rows.push_back(RowOf({QStringLiteral("third row"), QString()}));

    const ParseFieldRows read = CClipboardParser::ReadPrivateForm(CClipboardParser::WritePrivateForm(rows, true));

    ASSERT_EQ(read.size(), 2u);
    const ParseFieldRow& row = read[0];
    EXPECT_EQ(row.GetIndex(), 7u);
    ASSERT_EQ(row.GetFieldCount(), 1);
    const CParseField& pasted = row.GetField(0);
    EXPECT_EQ(pasted.GetText(), QStringLiteral("3/4\""));
    EXPECT_EQ(pasted.GetSecondText(), QStringLiteral("second"));
    EXPECT_EQ(pasted.GetThirdText(), QStringLiteral("third"));
    EXPECT_DOUBLE_EQ(pasted.GetNumber(), 0.75);
    EXPECT_EQ(pasted.GetFlags(), CParseField::TextSet | CParseField::NumberSet);
    EXPECT_EQ(pasted.GetIndex(), 42u);
    // Exclude, column and kind do not travel: a pasted field has the defaults.
    EXPECT_EQ(pasted.GetExclude(), 0u);
    EXPECT_EQ(pasted.GetColumn(), -1);
    EXPECT_EQ(pasted.GetKind(), CParseField::DefaultKind);
    ASSERT_EQ(row.GetExtraFields().size(), 1u);
    EXPECT_EQ(row.GetExtraFields()[0].GetText(), QStringLiteral("extra"));
    EXPECT_EQ(read[1].GetFieldCount(), 2);
    EXPECT_TRUE(read[1].GetField(1).GetText().isEmpty());
}

TEST(ClipboardPrivateForm, DamagedBlocksAreRefusedWithTheArchiveError)
{
    ParseFieldRows rows;
    rows.push_back(RowOf({QStringLiteral("Side"), QStringLiteral("1/2")}));
    rows.push_back(RowOf({QStringLiteral("Top")}));
    const QByteArray good = CClipboardParser::WritePrivateForm(rows, false);

    for (qsizetype size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_THROW(CClipboardParser::ReadPrivateForm(good.left(size)), platform::ArchiveError);
    }

    // Counts far beyond the block fail before anything is allocated for them.
    QByteArray hugeRows = good;
    hugeRows[3] = char(0x7F);
    EXPECT_THROW(CClipboardParser::ReadPrivateForm(hugeRows), platform::ArchiveError);
    QByteArray hugeFields = good;
    hugeFields[4 + 4 + 3] = char(0x7F); // first row's field count
    EXPECT_THROW(CClipboardParser::ReadPrivateForm(hugeFields), platform::ArchiveError);
    QByteArray negativeFields = good;
    negativeFields[4 + 4 + 3] = char(0x80);
    EXPECT_THROW(CClipboardParser::ReadPrivateForm(negativeFields), platform::ArchiveError);
}

class ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    static void PutOnClipboard(const QString& format, const QByteArray& block)
    {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("text"));
        if (!format.isEmpty())
            data->setData(format, block);
        QGuiApplication::clipboard()->setMimeData(data);
    }

    CClipboardParser parser;
};

TEST_F(ClipboardTest, CopyPutsBothFormsAndPasteReadsThePrivateOne)
{
    ParseFieldRows rows;
    rows.push_back(RowOf({QStringLiteral("Part"), QStringLiteral("W")}));
    rows.push_back(RowOf({QStringLiteral("Side"), QStringLiteral("1/2")}));
    rows.push_back(RowOf({QStringLiteral("Top"), QStringLiteral("3")}));
    parser.CopyRowsToClipboard(rows, true, kClipboardFormatMilledPart);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("Part\tW\r\nSide\t\"1/2\"\r\nTop\t3\r\n"));

    ParseFieldRows pasted(1); // pasting appends
    ASSERT_TRUE(parser.PasteRowsFromClipboard(pasted, kClipboardFormatMilledPart));
    ASSERT_EQ(pasted.size(), 3u);
    EXPECT_EQ(pasted[1].GetField(0).GetText(), QStringLiteral("Side"));
    EXPECT_EQ(pasted[2].GetField(0).GetText(), QStringLiteral("Top"));

    // Another grid's format is not there.
    EXPECT_FALSE(parser.PasteRowsFromClipboard(pasted, kClipboardFormatSizeCost));
    EXPECT_EQ(pasted.size(), 3u);
}

TEST_F(ClipboardTest, PasteAnswersByWhatIsOnTheClipboard)
{
    struct Case
    {
        const char* name;
        QString format;
        QByteArray block;
        bool expected;
    };
    const QByteArray zeroRows(4, '\0');
    QByteArray damaged = CClipboardParser::WritePrivateForm({RowOf({QStringLiteral("Side")})}, false);
    damaged.chop(3);
    const Case cases[] = {
        {"text only", QString(), QByteArray(), false},
        {"zero rows", kClipboardFormatSizeCost, zeroRows, true},
        {"damaged block", kClipboardFormatSizeCost, damaged, false},
        {"empty block", kClipboardFormatSizeCost, QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutOnClipboard(c.format, c.block);
        ParseFieldRows rows(2);
        EXPECT_EQ(parser.PasteRowsFromClipboard(rows, kClipboardFormatSizeCost), c.expected);
        EXPECT_EQ(rows.size(), 2u) << "nothing is added";
    }
}

TEST(ParseFieldConversions, IntAndBoolReadTheNumberFirstThenTheText)
{
    struct Case
    {
        QString text;
        bool hasNumber;
        double number;
        int asInt;
        bool asBool;
    };
    const Case cases[] = {
        {QStringLiteral("YES"), false, 0.0, 0, true},
        {QStringLiteral("Ok"), false, 0.0, 0, true},
        {QStringLiteral("-1"), false, 0.0, -1, true},
        {QStringLiteral("true"), false, 0.0, 0, true},
        {QStringLiteral("no"), false, 0.0, 0, false},
        {QStringLiteral("0"), false, 0.0, 0, false},
        {QString(), false, 0.0, 0, false},
        {QStringLiteral("  +42 boards"), false, 0.0, 42, false},
        {QStringLiteral("yes"), true, 0.0, 0, false},
        {QString(), true, -2.9, -2, true},
        {QString(), true, 7.99, 7, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + std::to_string(c.number));
        CParseField field;
        field.SetText(c.text);
        if (c.hasNumber)
            field.SetNumber(c.number);
        EXPECT_EQ(ParseFieldToInt(field), c.asInt);
        EXPECT_EQ(ParseFieldToLong(field), c.asInt);
        EXPECT_EQ(ParseFieldToBool(field), c.asBool);
    }
}
