// Copying parts and size/cost rows to the clipboard: the header line, hidden
// and moved columns, the private rows a paste reads back, the notes field,
// and the duplicate that leaves the clipboard alone.
#include "PartsGridTestSupport.h"
#include "RawMaterialsTestSupport.h"

#include "grids/CGDMRowCopy.h"
#include "grids/CSGSCGDM.h"
#include "model/CClipboardParser.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

using PartRowCopy = CGDMRowCopy<CMilledPart, PartStorage>;
using SizeCostRowCopy = CGDMRowCopy<ISGSC, sgsc::Storage>;

QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

ParseFieldRows PrivateRows(const QString& format)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(format))
        return {};
    return CClipboardParser::ReadPrivateForm(data->data(format));
}

// Row notes beside the columns, as a manager whose rows carry their own.
class NotedPartRowCopy : public PartRowCopy
{
public:
    using PartRowCopy::PartRowCopy;

protected:
    bool HasRowNotes() const override { return true; }
    QString GetRowNote(CMilledPart* const& item) const override { return item->GetSpecialNotes(); }
};

class PartRowCopyTest : public PartsGridTest
{
protected:
    void SetUp() override
    {
        PartsGridTest::SetUp();
        m_parts = AddParts({ "Apron", "Leg", "Rail" });
        Attach();
        m_mgr->LayOutColumns();
    }

    std::vector<CMilledPart*> m_parts;
};

TEST_F(PartRowCopyTest, SelectedRowsGiveTheHeaderLineAndPrivateRowsWithHiddenColumns)
{
    m_mgr->SetColumnHidden(kPartColMaterial, true);
    // The user dragged Copies in front of Description.
    m_grid->SetColumnMapping(1, kPartColCopies);
    m_grid->SetColumnMapping(2, kPartColDescription);
    Select({ 0, 2 });
    PartRowCopy(*m_mgr).Copy();

    const QStringList lines = ClipboardText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    const QStringList header = lines[0].split(QLatin1Char('\t'));
    EXPECT_EQ(header.value(0), m_mgr->GetColumn(kPartColID)->GetHeadingText());
    EXPECT_EQ(header.value(1), m_mgr->GetColumn(kPartColCopies)->GetHeadingText());
    EXPECT_EQ(header.value(2), m_mgr->GetColumn(kPartColDescription)->GetHeadingText());
    EXPECT_FALSE(header.contains(m_mgr->GetColumn(kPartColMaterial)->GetHeadingText()));
    EXPECT_EQ(header.size(), m_mgr->GetVisibleColumnCount());
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).value(2), QStringLiteral("Apron"));
    EXPECT_EQ(lines[2].split(QLatin1Char('\t')).value(2), QStringLiteral("Rail"));

    // The private rows: no header, every descriptor in registration order.
    const ParseFieldRows rows = PrivateRows(kClipboardFormatMilledPart);
    ASSERT_EQ(rows.size(), 2U);
    for (const ParseFieldRow& row : rows)
        EXPECT_EQ(row.GetFieldCount(), kPartColumnCount);
    EXPECT_EQ(rows[0].GetField(kPartColDescription).GetText(), QStringLiteral("Apron"));
    EXPECT_EQ(rows[1].GetField(kPartColDescription).GetText(), QStringLiteral("Rail"));
    EXPECT_EQ(rows[0].GetField(kPartColMaterial).GetText(), QStringLiteral("Oak"));

    // The fields themselves: hidden marked and without a grid column, the
    // moved ones with the grid column that shows them, alignments kept.
    const ParseFieldRows collected = PartRowCopy(*m_mgr).CollectRows(true);
    ASSERT_EQ(collected.size(), 3U);
    for (const ParseFieldRow& row : collected) {
        EXPECT_EQ(row.GetField(kPartColMaterial).GetExclude(), 1U);
        EXPECT_EQ(row.GetField(kPartColMaterial).GetColumn(), -1);
        EXPECT_EQ(row.GetField(kPartColCopies).GetColumn(), 1);
        EXPECT_EQ(row.GetField(kPartColDescription).GetColumn(), 2);
        EXPECT_EQ(row.GetField(kPartColCopies).GetKind(), m_mgr->GetColumn(kPartColCopies)->GetAlignment());
    }
}

TEST_F(PartRowCopyTest, NoSelectionCopiesTheHeaderOnlyAndAllRowsCopiesEveryRow)
{
    m_grid->ClearSelections();
    PartRowCopy(*m_mgr).Copy();
    EXPECT_EQ(ClipboardText().count(QStringLiteral("\r\n")), 1);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(kClipboardFormatMilledPart));
    EXPECT_TRUE(PrivateRows(kClipboardFormatMilledPart).empty());

    PartRowCopy(*m_mgr, true).Copy();
    EXPECT_EQ(PrivateRows(kClipboardFormatMilledPart).size(), 3U);
}

TEST_F(PartRowCopyTest, RowNotesAddAFieldAfterTheColumns)
{
    m_parts[1]->SetSpecialNotes(QStringLiteral("glue first"));
    Select({ 1 });
    const ParseFieldRows rows = NotedPartRowCopy(*m_mgr).CollectRows(true);
    ASSERT_EQ(rows.size(), 2U);
    for (const ParseFieldRow& row : rows) {
        ASSERT_EQ(row.GetFieldCount(), kPartColumnCount + 1);
        const CParseField& notes = row.GetField(kPartColumnCount);
        EXPECT_EQ(notes.GetKind(), 1);
        EXPECT_EQ(notes.GetColumn(), kPartColumnCount);
        EXPECT_TRUE(notes.HasText());
    }
    EXPECT_EQ(rows[0].GetField(kPartColumnCount).GetText(), QStringLiteral("Notes"));
    EXPECT_EQ(rows[1].GetField(kPartColumnCount).GetText(), QStringLiteral("glue first"));
}

TEST_F(PartRowCopyTest, DuplicateInsertsCopiesAndLeavesTheClipboardAsItWas)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));
    Select({ 1, 2 });
    m_mgr->DuplicateSelectedRows();
    EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Rail", "Leg", "Rail" }));
    EXPECT_EQ(ClipboardText(), QStringLiteral("the user's own text"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(kClipboardFormatMilledPart));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);

    HistoryUndo();
    EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Rail" }));
    HistoryRedo();
    EXPECT_EQ(Descriptions(), (QStringList { "Apron", "Leg", "Rail", "Leg", "Rail" }));
    EXPECT_EQ(ClipboardText(), QStringLiteral("the user's own text"));
}

class SizeCostRowCopyTest : public RawMaterialsTest
{
protected:
    void SetUp() override
    {
        RawMaterialsTest::SetUp();
        m_birch = AddMaterial(QStringLiteral("Birch"));
        AddRow(*m_birch, 0.75, 48, 96);
        m_half = AddRow(*m_birch, 0.5, 60, 120);
        m_half->SetSpecialNotes(QStringLiteral("B/BB face"));
        m_mgr = std::make_unique<CSGSCGDM>(&m_host, m_doc.get());
        m_grid = std::make_unique<CUGRowMode>();
        m_grid->CreateGrid(0, platform::Rect(0, 0, 900, 300), nullptr, 1);
        m_grid->SetDataSource(m_grid->AddDataSource(m_mgr.get()));
        m_mgr->SetSheetGood(m_birch);
        m_mgr->RefreshRowCount();
        m_mgr->SortByDefaultColumn();
        m_mgr->LayOutColumns();
        GetCmdHistory()->Clear();
    }
    void TearDown() override
    {
        m_grid.reset();
        m_mgr.reset();
        RawMaterialsTest::TearDown();
    }

    std::shared_ptr<CSheetGoodEx> m_birch;
    std::shared_ptr<ISGSC> m_half;
    std::unique_ptr<CSGSCGDM> m_mgr;
    std::unique_ptr<CUGRowMode> m_grid;
};

TEST_F(SizeCostRowCopyTest, ACopiedRowPastesBackAsTheSameStockSize)
{
    m_mgr->SetColumnHidden(CSGSCGDM::kNotesColumn, true);
    m_grid->ClearSelections();
    m_grid->SelectCell(0, m_mgr->FindRow(m_half));
    SizeCostRowCopy(*m_mgr).Copy();

    const QStringList lines = ClipboardText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << ClipboardText().toStdString();
    EXPECT_EQ(lines[0].split(QLatin1Char('\t')).size(), CSGSCGDM::kColumnCount - 1);
    EXPECT_FALSE(lines[1].contains(QStringLiteral("B/BB face")));

    const ParseFieldRows rows = PrivateRows(SizeCostClipboardFormat());
    ASSERT_EQ(rows.size(), 1U);
    ASSERT_EQ(rows[0].GetFieldCount(), CSGSCGDM::kColumnCount);
    EXPECT_EQ(rows[0].GetField(CSGSCGDM::kNotesColumn).GetText(), QStringLiteral("B/BB face"));

    m_mgr->PasteRows();
    ASSERT_EQ(m_birch->GetSizeCosts().size(), 3U);
    const std::shared_ptr<ISGSC> pasted = m_birch->GetSizeCosts().back();
    EXPECT_TRUE(pasted->Matches(*m_half));
    EXPECT_EQ(pasted->GetSpecialNotes(), QStringLiteral("B/BB face"));
}

} // namespace
