#pragma once
// One data column of a grid display manager: heading, cell text, sort order
// and parsing of typed values, on rows given in the manager's holder form.

#include "grids/TargetFieldMetaDataSource.h"
#include "gridctrl/CUGCell.h"

#include <QString>

#include <memory>

class QWidget;

// Answers of the edit operations.
enum GridEditResult : int {
    kEditAccepted = 0,
    kEditBadValue = 1,
    kEditUnchanged = 2,
    kEditRefusedPinnedGeometry = 3,
    kEditRefusedPinnedCopies = 4,
};

// Cell alignment flags as the grid combines them.
enum GridAlignment : int {
    kAlignLeftMiddle = 33,
    kAlignRightMiddle = 34,
    kAlignCentre = 36,
};

class CParseField;

template <class RowT, class Storage>
class CGridColumnInfo : public Storage, public kwlImport::TargetFieldMetaDataSource
{
public:
    using Holder = typename Storage::Pointer;

    explicit CGridColumnInfo(void* context) : m_context(context) { }
    ~CGridColumnInfo() override = default;

    QString GetFieldName() const override { return GetHeadingText(); }
    virtual void ToParseField(Holder* /*row*/, CParseField* /*field*/) { }
    virtual std::unique_ptr<CGridColumnInfo> Clone() const = 0;
    virtual int FillHeadingCell(CUGCell* cell)
    {
        cell->SetText(GetHeadingText());
        cell->SetAlignment(GetAlignment());
        return 0;
    }
    virtual QString GetHeadingText() const = 0;
    virtual int Compare(Holder* a, Holder* b) const = 0;
    virtual int FillCell(Holder* row, CUGCell* cell) = 0;
    virtual int FillCellEx(Holder* row, CUGCell* cell, bool /*editing*/) { return FillCell(row, cell); }
    virtual int SetFromCell(Holder* /*pending*/, CUGCell* /*cell*/, Holder* /*row*/) { return kEditBadValue; }
    virtual int ParseText(Holder* /*pending*/, const QString& /*text*/, QWidget* /*editor*/, Holder* /*row*/)
    {
        return kEditBadValue;
    }
    bool IsHidden() const { return m_hidden != 0; }
    virtual bool IsEditableWhenLocked() const { return true; }
    virtual int GetAlignment() const { return kAlignLeftMiddle; }
    virtual bool ApplyParseField(Holder* /*row*/, const CParseField* /*field*/, int /*flags*/) { return false; }
    virtual bool CanUserHide() const { return true; }

    void* GetContext() const { return m_context; }
    void SetHidden(bool hidden) { m_hidden = hidden ? 1 : 0; }
    int GetGridPosition() const { return m_gridPosition; }
    void SetGridPosition(int position) { m_gridPosition = position; }
    int GetOrderPosition() const { return m_orderPosition; }
    void SetOrderPosition(int position) { m_orderPosition = position; }

private:
    void* m_context;
    int m_hidden = 0;
    int m_gridPosition = -1;
    int m_orderPosition = -1;
};

// Integer columns: standard conversion, a negative value is a bad value.
inline int ParseNonNegativeInteger(const QString& text, int* value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (!ok || parsed < 0)
        return kEditBadValue;
    *value = parsed;
    return kEditAccepted;
}
