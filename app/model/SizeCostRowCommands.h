#pragma once
// The size/cost grid's own row commands: the edit of one row, taken from the
// grid's edited copy, and the delete of selected rows; and the row-note
// operations of the raw-materials page that go through the edit.

#include "model/MaterialCmd.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CSheetGoodEx;
class ISGSC;

template <class Material, class Row> class CMaterialSCEdit;
template <class Material, class Row> class CMaterialSCDelete;

// The row object itself takes the edited values, so that the grid, the
// optimizer and the pinned layouts that hold it keep holding the same row.
template <> class CMaterialSCEdit<CSheetGoodEx, ISGSC> : public MaterialCmd
{
public:
    // after: the edited copy; the target's values of now are kept for undo.
    CMaterialSCEdit(
        std::shared_ptr<CSheetGoodEx> material, std::shared_ptr<ISGSC> target, std::shared_ptr<ISGSC> after);
    QString GetName() const override; // "Edit Size-Cost Info"
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

    const std::shared_ptr<ISGSC>& GetTarget() const { return m_target; }

private:
    std::shared_ptr<CSheetGoodEx> m_material;
    std::shared_ptr<ISGSC> m_target;
    std::shared_ptr<ISGSC> m_before;
    std::shared_ptr<ISGSC> m_after;
};

// The rows are held by the command: once the grid lets go of a deleted row,
// nothing else may keep it, and undo must bring that same object back.
template <> class CMaterialSCDelete<CSheetGoodEx, ISGSC> : public MaterialCmd
{
public:
    CMaterialSCDelete(std::shared_ptr<CSheetGoodEx> material, std::vector<std::shared_ptr<ISGSC>> rows);
    QString GetName() const override; // "Delete Size-Cost Info"
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

private:
    std::shared_ptr<CSheetGoodEx> m_material;
    std::vector<std::shared_ptr<ISGSC>> m_rows;
};

using SheetGoodRowEditCmd = CMaterialSCEdit<CSheetGoodEx, ISGSC>;
using SheetGoodRowDeleteCmd = CMaterialSCDelete<CSheetGoodEx, ISGSC>;

// An edited copy that equals its row in every value and refers to the same
// vendor: committing it would change nothing.
bool IsUnchangedSizeCostEdit(const ISGSC& target, const ISGSC& edited);

// Records the edit that gives the row of the material the note; nothing
// without a material or row, or when the note is the row's already.
bool MakeRowNoteEdit(
    const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row, const QString& note);
// The note editor gets the row's note and answers whether the user confirmed.
using RowNoteEditor = std::function<bool(QString& note)>;
bool EditRowNote(const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row,
    const RowNoteEditor& editor);
bool DeleteRowNote(const std::shared_ptr<CSheetGoodEx>& material, const std::shared_ptr<ISGSC>& row);
