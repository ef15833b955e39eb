#pragma once
// The thirteen columns of the size/cost grid. Each works on the row it is
// given (for edits the grid's pending copy): it fills the cell, parses typed
// text or a drop-list/check-box choice, orders two rows, copies the value to
// a clipboard field and takes a pasted field.

#include "foundation/GridUpdateHint.h"
#include "grids/CGridColumnInfo.h"
#include "model/ISGSC.h"

#include <QString>

namespace sgsc {

using Storage = GDMStorageSP<ISGSC>;
using ColumnBase = CGridColumnInfo<ISGSC, Storage>;

// Cell types the grid registers first: the drop list and the check box.
constexpr int kDropListCellType = 1;
constexpr int kCheckBoxCellType = 2;
// Cell-type styles of the columns.
constexpr int kStyleText = 1;
constexpr int kStyleNumber = 4;
constexpr int kStyleDropList = 512;
constexpr int kStyleCheckBox = 2048;
// Paste options: the notes take the field's second text; a vendor the
// library does not know is made.
constexpr int kPasteSecondText = 2;
constexpr int kPasteCreateReferences = 16;
// 0x00BBGGRR of a cell whose value cannot be cut (zero size, too large trim).
constexpr platform::ColorRef kWarningBackColor = 0xB3D6FD;
// The clipboard field flag of a second text.
constexpr unsigned kSecondTextSet = 8;
constexpr unsigned kMaxInventory = 1000000;

// What every size/cost column shares: its field id and heading, and whether
// the keyboard may carry the editor into it on a row of a pinned stock size.
class SizeCostColumn : public ColumnBase
{
public:
    SizeCostColumn(void* context, int fieldId, int headingId);
    int GetFieldId() const override { return m_fieldId; }
    bool IsImportTarget() const override { return true; }
    QString GetHeadingText() const override;
    // False for the sizes and trims, which a pinned layout fixes.
    virtual bool CanContinueEdit() const { return true; }

private:
    int m_fieldId;
    int m_headingId;
};

template <class Derived, class Base> class Cloning : public Base
{
public:
    using Base::Base;
    std::unique_ptr<ColumnBase> Clone() const override
    {
        return std::make_unique<Derived>(*static_cast<const Derived*>(this));
    }
};

// A length of the row: thickness, width, length or a trim.
class LengthColumn : public SizeCostColumn
{
public:
    using SizeCostColumn::SizeCostColumn;
    bool CanContinueEdit() const override { return false; }
    int GetAlignment() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;

protected:
    virtual CDimension Get(const ISGSC& row) const = 0;
    virtual void Set(ISGSC& row, const CDimension& value) const = 0;
    // Trims may be zero; sizes may not.
    virtual bool AllowsZero() const { return false; }
    // The value cannot be cut as it stands.
    virtual bool IsWarning(const ISGSC& row) const;
};

class CColInfoSGActThick : public Cloning<CColInfoSGActThick, LengthColumn>
{
public:
    explicit CColInfoSGActThick(void* context);
    int FillCell(Holder* row, CUGCell* cell) override;
    // The grid's note cell type, which marks the thickness of a row with notes.
    void SetNoteCellType(int index) { m_noteCellType = index; }
    int GetNoteCellType() const { return m_noteCellType; }

protected:
    CDimension Get(const ISGSC& row) const override { return row.GetThickness(); }
    void Set(ISGSC& row, const CDimension& value) const override { row.SetThickness(value); }

private:
    int m_noteCellType = -1;
};

class CColInfoSGWidth : public Cloning<CColInfoSGWidth, LengthColumn>
{
public:
    explicit CColInfoSGWidth(void* context);

protected:
    CDimension Get(const ISGSC& row) const override { return row.GetSheetDimensions().GetWidth(); }
    void Set(ISGSC& row, const CDimension& value) const override;
};

class CColInfoSGLength : public Cloning<CColInfoSGLength, LengthColumn>
{
public:
    explicit CColInfoSGLength(void* context);

protected:
    CDimension Get(const ISGSC& row) const override { return row.GetSheetDimensions().GetLength(); }
    void Set(ISGSC& row, const CDimension& value) const override;
};

class CColInfoLRTrim : public Cloning<CColInfoLRTrim, LengthColumn>
{
public:
    explicit CColInfoLRTrim(void* context);

protected:
    CDimension Get(const ISGSC& row) const override { return row.GetSheetDimensions().GetLeftRightTrim(); }
    void Set(ISGSC& row, const CDimension& value) const override;
    bool AllowsZero() const override { return true; }
    bool IsWarning(const ISGSC& row) const override;
};

class CColInfoTBTrim : public Cloning<CColInfoTBTrim, LengthColumn>
{
public:
    explicit CColInfoTBTrim(void* context);

protected:
    CDimension Get(const ISGSC& row) const override { return row.GetSheetDimensions().GetTopBottomTrim(); }
    void Set(ISGSC& row, const CDimension& value) const override;
    bool AllowsZero() const override { return true; }
    bool IsWarning(const ISGSC& row) const override;
};

class CColInfoSGUnitCost : public Cloning<CColInfoSGUnitCost, SizeCostColumn>
{
public:
    explicit CColInfoSGUnitCost(void* context);
    int GetAlignment() const override { return kAlignRightMiddle; }
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoSGUnits : public Cloning<CColInfoSGUnits, SizeCostColumn>
{
public:
    explicit CColInfoSGUnits(void* context);
    // The drop-list choices every size/cost grid shares: one unit name a line.
    static QString& ChoiceList();
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int SetFromCell(Holder* pending, CUGCell* cell, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoSGInventory : public Cloning<CColInfoSGInventory, SizeCostColumn>
{
public:
    explicit CColInfoSGInventory(void* context);
    int GetAlignment() const override { return kAlignRightMiddle; }
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoSGCanBuyMore : public Cloning<CColInfoSGCanBuyMore, SizeCostColumn>
{
public:
    explicit CColInfoSGCanBuyMore(void* context);
    int GetAlignment() const override { return kAlignCentre; }
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int SetFromCell(Holder* pending, CUGCell* cell, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoSGOffCut : public Cloning<CColInfoSGOffCut, SizeCostColumn>
{
public:
    explicit CColInfoSGOffCut(void* context);
    int GetAlignment() const override { return kAlignCentre; }
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int SetFromCell(Holder* pending, CUGCell* cell, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoVendor : public Cloning<CColInfoVendor, SizeCostColumn>
{
public:
    explicit CColInfoVendor(void* context);
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int SetFromCell(Holder* pending, CUGCell* cell, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
    // The vendor's name, "<Deleted>" for a deleted or missing vendor.
    static QString ShownName(const ISGSC& row);
};

class CColInfoBin : public Cloning<CColInfoBin, SizeCostColumn>
{
public:
    explicit CColInfoBin(void* context);
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

class CColInfoSpecialNotes : public Cloning<CColInfoSpecialNotes, SizeCostColumn>
{
public:
    explicit CColInfoSpecialNotes(void* context);
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
    void ToParseField(Holder* row, CParseField* field) override;
    bool ApplyParseField(Holder* row, const CParseField* field, int flags) override;
};

} // namespace sgsc
