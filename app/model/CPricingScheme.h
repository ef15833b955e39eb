#pragma once

#include <QString>

#include <cstdint>

#include <memory>

class ArchiveWrapper;
class CDimension;
class CMoney;
class ISheetPriceable;

// The unit in which a sheet-good stock size is priced. A scheme turns the
// row's unit cost into the cost of one sheet and tells how many units a piece
// cut from the sheet amounts to. Schemes carry no data: the class is the value.
class CPricingScheme
{
public:
    // Every scheme class is stored with the data model's framework schema.
    static constexpr std::uint16_t kObjectSchema = 0x000F;

    virtual ~CPricingScheme() = default;

    // A new scheme of the same class; null for the abstract bases.
    virtual std::unique_ptr<CPricingScheme> CreateCopy() const { return nullptr; }
    virtual QString GetUnitText() const { return QString(); }
    virtual int GetUnitCode() const { return 0; }
    // The name under which the class is stored as a framework object.
    virtual const char* GetClassName() const { return "CPricingScheme"; }
};

// The sheet-good scheme: the base of the five concrete units.
class CSheetGoodPS : public CPricingScheme
{
public:
    const char* GetClassName() const override { return "CSheetGoodPS"; }
    // The cost of one stock sheet of the row.
    virtual CMoney GetSheetCost(const ISheetPriceable& row) const;
    // How many units a piece of the given width and length amounts to.
    // Zero (never NaN or infinity) when the trimmed sheet has no area or width.
    virtual double GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                               const ISheetPriceable& row) const;
};

class CSGPSSheet : public CSheetGoodPS
{
public:
    std::unique_ptr<CPricingScheme> CreateCopy() const override;
    QString GetUnitText() const override;
    int GetUnitCode() const override { return 14; }
    const char* GetClassName() const override { return "CSGPSSheet"; }
    CMoney GetSheetCost(const ISheetPriceable& row) const override;
    double GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                       const ISheetPriceable& row) const override;
};

class CSGPSSquareFoot : public CSheetGoodPS
{
public:
    std::unique_ptr<CPricingScheme> CreateCopy() const override;
    QString GetUnitText() const override;
    int GetUnitCode() const override { return 15; }
    const char* GetClassName() const override { return "CSGPSSquareFoot"; }
    CMoney GetSheetCost(const ISheetPriceable& row) const override;
    double GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                       const ISheetPriceable& row) const override;
};

class CSGPSSquareMeter : public CSheetGoodPS
{
public:
    std::unique_ptr<CPricingScheme> CreateCopy() const override;
    QString GetUnitText() const override;
    int GetUnitCode() const override { return 16; }
    const char* GetClassName() const override { return "CSGPSSquareMeter"; }
    CMoney GetSheetCost(const ISheetPriceable& row) const override;
    double GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                       const ISheetPriceable& row) const override;
};

class CSGPSBoard : public CSheetGoodPS
{
public:
    std::unique_ptr<CPricingScheme> CreateCopy() const override;
    QString GetUnitText() const override;
    int GetUnitCode() const override { return 18; }
    const char* GetClassName() const override { return "CSGPSBoard"; }
    CMoney GetSheetCost(const ISheetPriceable& row) const override;
    double GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                       const ISheetPriceable& row) const override;
};

class CSGPSLinealMeter : public CSheetGoodPS
{
public:
    std::unique_ptr<CPricingScheme> CreateCopy() const override;
    QString GetUnitText() const override;
    int GetUnitCode() const override { return 19; }
    const char* GetClassName() const override { return "CSGPSLinealMeter"; }
    CMoney GetSheetCost(const ISheetPriceable& row) const override;
    double GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                       const ISheetPriceable& row) const override;
};

// The scheme named by a unit text (compared ignoring case); a sheet scheme
// for an empty text; null when no unit has that text.
std::unique_ptr<CSheetGoodPS> CreatePricingScheme(const QString& unitText);

// A scheme as a framework object: class tag and name on first use. Storing
// writes `scheme`; loading answers the scheme read. Loading refuses a null
// reference, a bare base scheme and any other class with the archive error.
void StorePricingScheme(ArchiveWrapper& ar, const CSheetGoodPS& scheme);
std::unique_ptr<CSheetGoodPS> LoadPricingScheme(ArchiveWrapper& ar);
