#pragma once
// The ten columns of the parts grid: how a part's number, texts, copies,
// sizes, material and diagram list show in cells, sort, take typed values
// and travel in clipboard rows.

#include "foundation/GridUpdateHint.h"
#include "grids/CGridColumnInfo.h"
#include "model/CMilledPart.h"

#include <memory>

using PartStorage = GDMStorageRawPtr<CMilledPart>;
using PartColumnInfo = CGridColumnInfo<CMilledPart, PartStorage>;

// The data-column indexes of the parts grid.
enum PartsGridColumn : int {
    kPartColID = 0,
    kPartColDescription = 1,
    kPartColCopies = 2,
    kPartColThickness = 3,
    kPartColWidth = 4,
    kPartColLength = 5,
    kPartColMaterial = 6,
    kPartColUserInfo = 7,
    kPartColDiagramList = 8,
    kPartColNotes = 9,
    kPartColumnCount = 10,
};

// Paste options of ApplyParseField: 2 rows of the program's own clipboard
// format (take the second text), 4 rows of an import.
enum PartFieldFlags : int {
    kPartFieldOwnRows = 2,
    kPartFieldImport = 4,
};

// What every column of the parts grid shares: its heading id (shown through
// the abbreviation-aware lookup, named plainly for import), paste and import
// may write it.
class PartColumnBase : public PartColumnInfo
{
public:
    PartColumnBase(void* context, int headingId, int fieldId)
        : PartColumnInfo(context)
        , m_headingId(headingId)
        , m_fieldId(fieldId)
    { }
    bool IsImportTarget() const override { return true; }
    int GetFieldId() const override { return m_fieldId; }
    QString GetFieldName() const override;
    QString GetHeadingText() const override;

private:
    int m_headingId;
    int m_fieldId;
};

class CColInfoPartID : public PartColumnBase
{
public:
    explicit CColInfoPartID(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
    bool CanUserHide() const override { return false; }
    // The grid's note cell type, which carries a part's notes on this cell.
    void SetNoteCellType(int type) { m_noteCellType = type; }

private:
    int m_noteCellType = -1;
};

class CColInfoPartDescription : public PartColumnBase
{
public:
    explicit CColInfoPartDescription(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoCopies : public PartColumnBase
{
public:
    explicit CColInfoCopies(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
    int GetAlignment() const override { return kAlignRightMiddle; }
};

// Thickness, width and length: one rule, three accessors.
class PartDimensionColumn : public PartColumnBase
{
public:
    using PartColumnBase::PartColumnBase;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
    int GetAlignment() const override;

protected:
    virtual const CDimension& Get(const CMilledPart& part) const = 0;
    virtual void Set(CMilledPart& part, const CDimension& value) const = 0;
};

class CColInfoThickness : public PartDimensionColumn
{
public:
    explicit CColInfoThickness(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;

protected:
    const CDimension& Get(const CMilledPart& part) const override { return part.GetThickness(); }
    void Set(CMilledPart& part, const CDimension& value) const override { part.SetThickness(value); }
};

class CColInfoWidth : public PartDimensionColumn
{
public:
    explicit CColInfoWidth(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;

protected:
    const CDimension& Get(const CMilledPart& part) const override { return part.GetWidth(); }
    void Set(CMilledPart& part, const CDimension& value) const override { part.SetWidth(value); }
};

class CColInfoLength : public PartDimensionColumn
{
public:
    explicit CColInfoLength(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;

protected:
    const CDimension& Get(const CMilledPart& part) const override { return part.GetLength(); }
    void Set(CMilledPart& part, const CDimension& value) const override { part.SetLength(value); }
};

class CColInfoMatName : public PartColumnBase
{
public:
    explicit CColInfoMatName(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int SetFromCell(Holder* pending, CUGCell* cell, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoPartUserInfo : public PartColumnBase
{
public:
    explicit CColInfoPartUserInfo(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoDiagramList : public PartColumnBase
{
public:
    explicit CColInfoDiagramList(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    bool IsImportTarget() const override { return false; }
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder*, const CParseField*, int) override { return true; }
};

// Never a grid column: the notes show as a note on the part-number cell.
class CColInfoSpecialNotes : public PartColumnBase
{
public:
    explicit CColInfoSpecialNotes(void* context);
    std::unique_ptr<PartColumnInfo> Clone() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
    bool CanUserHide() const override { return false; }
};
