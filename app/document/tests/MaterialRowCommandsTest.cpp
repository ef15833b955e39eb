#include "ProjectDocumentFixture.h"

#include "foundation/CParseField.h"
#include "foundation/CmdHistory.h"
#include "model/CClipboardParser.h"
#include "model/CMilledPart.h"
#include "model/ISGSC.h"
#include "model/MaterialRowCommands.h"
#include "model/ParseFieldRow.h"
#include "model/SizeCostFactory.h"
#include "optimization/DiagramIndex.h"
#include "optimization/MaterialBOM.h"
#include "optimization/TopLevelBOM.h"

#include <gtest/gtest.h>

namespace {

// Two columns: notes, and a column that refuses the text "bad".
class FakeColumns : public ISizeCostPasteColumns
{
public:
    int GetColumnCount() const override { return 2; }
    bool ApplyPastedField(int column, ISGSC& row, const CParseField& field) override
    {
        if (column == 0)
            row.SetSpecialNotes(field.GetText());
        return field.GetText() != QStringLiteral("bad");
    }
    void DiscardPendingRow() override { ++discarded; }
    int discarded = 0;
};

class MaterialRowCommandsTest : public ProjectDocumentTest
{
protected:
    void PutRowsOnClipboard(const QStringList& notes, const QStringList& second)
    {
        ParseFieldRows rows;
        for (qsizetype i = 0; i < notes.size(); ++i)
            AppendTwoFieldRow(rows, notes[i], second[i]);
        CClipboardParser().CopyRowsToClipboard(rows, false, SizeCostClipboardFormat());
    }

    std::vector<QString> Notes(const CSheetGoodEx& material) const
    {
        std::vector<QString> notes;
        for (const auto& row : const_cast<CSheetGoodEx&>(material).GetSizeCosts())
            notes.push_back(row->GetSpecialNotes());
        return notes;
    }
};

TEST_F(MaterialRowCommandsTest, ADeletedMaterialComesBackAtTheEndWithItsRows)
{
    CMilledPart* part = Append(m_oak, 10, 20, 1, QStringLiteral("Rail"));
    GetCmdHistory()->Clear();
    ASSERT_TRUE(DeleteMaterial(m_doc.get(), m_oak));
    EXPECT_EQ(part->GetMaterialName(), QStringLiteral("Not Specified"));
    EXPECT_EQ(part->GetMaterial(), m_oak);
    EXPECT_EQ(std::count(m_library->GetMaterials().begin(), m_library->GetMaterials().end(), m_oak), 0);
    HistoryUndo();
    ASSERT_FALSE(m_library->GetMaterials().empty());
    EXPECT_EQ(m_library->GetMaterials().back(), m_oak);
    EXPECT_EQ(m_oak->GetSizeCosts().size(), 1U);
    EXPECT_EQ(part->GetMaterialName(), QStringLiteral("Oak"));
}

// The project's parts are saved without a material deleted from the
// library: the delete (and its undo) modifies the project, closing asks, and
// the saved project brings the material back neither to its parts nor to
// the library.
TEST_F(MaterialRowCommandsTest, DeletingAMaterialThatPartsUseModifiesTheProjectAndASaveKeepsItGone)
{
    CMilledPart* rail = Append(m_oak, 10, 20, 2, QStringLiteral("Rail"));
    const QString path = PathOf(QStringLiteral("Rail.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    GetCmdHistory()->Clear();

    // A material that no part uses leaves the project as it was.
    ASSERT_TRUE(DeleteMaterial(m_doc.get(), m_ash));
    EXPECT_FALSE(m_doc->IsModified());

    ASSERT_TRUE(DeleteMaterial(m_doc.get(), m_oak));
    EXPECT_TRUE(m_doc->IsModified());
    m_shell.answer = IDocumentShell::Answer::Cancel;
    EXPECT_FALSE(m_doc->SaveModified());
    EXPECT_EQ(m_shell.questions, QStringList { QStringLiteral("Save changes to Rail.kwxe?") });

    m_doc->SetModifiedFlag(false);
    HistoryUndo();
    EXPECT_EQ(rail->GetMaterialName(), QStringLiteral("Oak"));
    EXPECT_TRUE(m_doc->IsModified());
    m_doc->SetModifiedFlag(false);
    HistoryRedo();
    EXPECT_TRUE(m_doc->IsModified());

    m_shell.answer = IDocumentShell::Answer::Yes;
    ASSERT_TRUE(m_doc->SaveModified());
    CKWLDoc reopened;
    reopened.SetShell(&m_shell);
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    ASSERT_EQ(reopened.GetPartList().size(), 1U);
    EXPECT_TRUE(reopened.GetPartList()[0]->GetMaterial()->IsDefaultMaterial());
    EXPECT_FALSE(m_library->FindMaterial(QStringLiteral("Oak")));
}

// The results as the pages show them: each diagram stack's material and
// sheet count, and each part's placed copies.
QStringList DescribeResults(CKWLDoc& doc)
{
    QStringList lines;
    StackList stacks;
    doc.GetBOMOptMgr()->GetAllDiagrams(stacks);
    for (const StackPtr& stack : stacks)
        lines << QStringLiteral("sheet %1 x%2").arg(stack->GetStockSpec().GetMaterialName()).arg(stack->GetCount());
    for (const CMilledPart* part : doc.GetPartList())
        lines << QStringLiteral("part %1 placed %2").arg(part->GetDescription()).arg(part->GetPlacedCopies());
    // The pages list the bills by name, whatever order they were made in.
    QStringList bills;
    if (const auto top = doc.GetBOMOptMgr()->GetTopLevelBOMByKind(IOptimizableMaterial::kKindSheetGood))
        for (unsigned i = 0; i < top->GetCount(); ++i)
            bills << QStringLiteral("bill '%1'").arg(top->GetMaterialBOM(static_cast<int>(i))->GetName());
    bills.sort();
    return lines + bills;
}

TEST_F(MaterialRowCommandsTest, DeletingAMaterialThatPartsUseDropsItsResultsAsAReopenShows)
{
    Append(m_oak, 10, 20, 2, QStringLiteral("Rail"));
    Append(m_ash, 10, 20, 1, QStringLiteral("Shelf"));
    RunJobs(*m_doc);
    ASSERT_TRUE(DescribeResults(*m_doc).contains(QStringLiteral("part Rail placed 2")));
    GetCmdHistory()->Clear();

    ASSERT_TRUE(DeleteMaterial(m_doc.get(), m_oak));
    EXPECT_FALSE(m_doc->IsFullyOptimized());
    RunJobs(*m_doc);
    const QStringList session = DescribeResults(*m_doc);
    EXPECT_FALSE(session.contains(QStringLiteral("part Rail placed 2"))) << session.join(u';').toStdString();

    const QString path = PathOf(QStringLiteral("Deleted.kwxe"));
    ASSERT_TRUE(m_doc->DoSave(path, true));
    CKWLDoc reopened;
    reopened.SetShell(&m_shell);
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    RunJobs(reopened);
    EXPECT_EQ(DescribeResults(reopened).join(u';').toStdString(), session.join(u';').toStdString());
}

// The parts keep their link to a deleted material: they are optimized as
// parts without a material, and an undo puts them back on its sheets.
TEST_F(MaterialRowCommandsTest, PartsOfADeletedMaterialGoBackToItsSheetsOnUndo)
{
    CMilledPart* rail = Append(m_oak, 10, 20, 2, QStringLiteral("Rail"));
    RunJobs(*m_doc);
    const QStringList before = DescribeResults(*m_doc);
    GetCmdHistory()->Clear();

    ASSERT_TRUE(DeleteMaterial(m_doc.get(), m_oak));
    RunJobs(*m_doc);
    EXPECT_EQ(rail->GetMaterial(), m_oak);
    EXPECT_EQ(FormatPartDiagramList(*rail), QString());
    StackList stacks;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
    EXPECT_TRUE(stacks.empty());

    HistoryUndo();
    RunJobs(*m_doc);
    EXPECT_EQ(DescribeResults(*m_doc), before);
}

TEST_F(MaterialRowCommandsTest, AMaterialOfAPinnedDiagramIsNotDeleted)
{
    Append(m_oak, 10, 20, 1, QStringLiteral("Rail"));
    RunJobs(*m_doc);
    StackList stacks;
    m_doc->GetBOMOptMgr()->GetAllDiagrams(stacks);
    ASSERT_FALSE(stacks.empty());
    m_doc->GetBOMOptMgr()->PinDiagram(stacks.front());
    GetCmdHistory()->Clear();
    m_shown.clear();
    EXPECT_FALSE(DeleteMaterial(m_doc.get(), m_oak));
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown.front().startsWith(QStringLiteral("This material is used by a pinned layout diagram.")));
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 0U);
}

TEST_F(MaterialRowCommandsTest, PastedRowsUndoExactlyAndRedoAtTheEnd)
{
    FakeColumns columns;
    PutRowsOnClipboard({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                       {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    GetCmdHistory()->Clear();
    ASSERT_TRUE(BuildSizeCostRowPaste(columns, m_oak));
    EXPECT_EQ(Notes(*m_oak), (std::vector<QString> {QString(), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    const auto pasted = std::vector<std::shared_ptr<ISGSC>>(m_oak->GetSizeCosts().begin() + 1, m_oak->GetSizeCosts().end());
    HistoryUndo();
    EXPECT_EQ(m_oak->GetSizeCosts().size(), 1U);
    for (const auto& row : pasted)
        EXPECT_TRUE(row->IsRemoved());
    // A row added meanwhile stays before the pasted ones when they come back.
    m_oak->GetSizeCosts().push_back(MakeSheetGoodSizeCost());
    HistoryRedo();
    ASSERT_EQ(m_oak->GetSizeCosts().size(), 5U);
    EXPECT_EQ(Notes(*m_oak).back(), QStringLiteral("c"));
    for (const auto& row : pasted)
        EXPECT_FALSE(row->IsRemoved());
}

TEST_F(MaterialRowCommandsTest, RowsAllRefusedStillMakeOneStep)
{
    FakeColumns columns;
    PutRowsOnClipboard({QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("bad"), QStringLiteral("bad")});
    GetCmdHistory()->Clear();
    m_library->SetModified(false);
    ASSERT_TRUE(BuildSizeCostRowPaste(columns, m_oak));
    EXPECT_EQ(columns.discarded, 2);
    EXPECT_EQ(m_oak->GetSizeCosts().size(), 1U);
    EXPECT_EQ(GetCmdHistory()->GetStepCount(), 1U);
    EXPECT_TRUE(m_library->IsModified());
}

} // namespace

#include "model/MaterialsRestore.h"

#include <QDir>

namespace {

TEST_F(MaterialRowCommandsTest, RestoringFromABackupFolderReplacesTheLibrary)
{
    QTemporaryDir own;
    QTemporaryDir backup;
    QTemporaryDir empty;
    m_library->SetFolder(own.path());
    m_library->Store();
    ASSERT_TRUE(m_library->SaveCopyTo(backup.path()));
    AddMaterial(QStringLiteral("Pine"));
    m_shown.clear();

    EXPECT_FALSE(RestoreMaterialsFrom(empty.path()));
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Pine")));
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown.front().startsWith(QStringLiteral("There was a problem reading from the backup folder.")));

    EXPECT_TRUE(RestoreMaterialsFrom(backup.path()));
    EXPECT_FALSE(m_library->FindMaterial(QStringLiteral("Pine")));
    EXPECT_TRUE(m_library->FindMaterial(QStringLiteral("Oak")));
    EXPECT_EQ(m_shown.back(), QStringLiteral("Your raw materials database has been restored."));
}

} // namespace
