#pragma once
// Deleting a material from the library, and pasting size/cost rows from the
// clipboard into a material, both undoable; the raw-materials page's
// operations that issue them.

#include "model/MaterialCmd.h"

#include <QString>

#include <memory>
#include <vector>

class CParseField;
class CSheetGoodEx;
class IDoc;
class ISGSC;
class ParseFieldRow;

// A row leaves its material marked removed, so that what still refers to it
// knows; attaching clears the mark and appends it at the end again.
void DetachSizeCostRow(CSheetGoodEx& material, const std::shared_ptr<ISGSC>& row);
void AttachSizeCostRow(CSheetGoodEx& material, const std::shared_ptr<ISGSC>& row);

class CMaterialDelete : public MaterialCmd
{
public:
    explicit CMaterialDelete(std::shared_ptr<CSheetGoodEx> material);
    QString GetName() const override; // "Delete Material"
    void Execute() override;
    void Undo() override;
    void Redo() override { Execute(); }

private:
    std::shared_ptr<CSheetGoodEx> m_material;
};

class CSCGDMRowPaste : public MaterialCmd
{
public:
    CSCGDMRowPaste(std::shared_ptr<CSheetGoodEx> material, std::vector<std::shared_ptr<ISGSC>> rows);
    QString GetName() const override; // "Insert <kind>"
    void Execute() override;
    void Undo() override;
    void Redo() override;

private:
    void ShowPastedRows();

    std::shared_ptr<CSheetGoodEx> m_material;
    std::vector<std::shared_ptr<ISGSC>> m_rows;
};

// The size/cost grid's columns as a paste fills them; the grid implements it.
class ISizeCostPasteColumns
{
public:
    virtual ~ISizeCostPasteColumns() = default;
    virtual int GetColumnCount() const = 0;
    // The column's edit with the pasted text; false refuses the row.
    virtual bool ApplyPastedField(int column, ISGSC& row, const CParseField& field) = 0;
    // A refused row: the grid forgets any pending new row.
    virtual void DiscardPendingRow() = 0;
};

// "KWC_SGSIZECOST": the clipboard format of size/cost rows.
QString SizeCostClipboardFormat();

// Every column takes its field of the row; the first refusal answers false.
bool ApplyParsedRow(ISizeCostPasteColumns& columns, ISGSC& row, const ParseFieldRow& fields);
// The size/cost rows on the clipboard, each filled through the columns;
// refused rows are dropped. False when the clipboard holds none.
bool ReadSizeCostRowsFromClipboard(ISizeCostPasteColumns& columns, std::vector<std::shared_ptr<ISGSC>>& rows);
// Records a paste of the clipboard's rows into the material (one step even
// when every row was refused); nothing when the clipboard holds none.
bool BuildSizeCostRowPaste(ISizeCostPasteColumns& columns, const std::shared_ptr<CSheetGoodEx>& material);

// Deletes the material, unless an unlocked project pins it (then the user
// is told why and nothing happens). Answers whether the delete was recorded.
bool DeleteMaterial(IDoc* document, const std::shared_ptr<CSheetGoodEx>& material);
