#include "model/CPricingScheme.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/CDimension.h"
#include "foundation/SheetDimensions.h"
#include "model/CMoney.h"
#include "model/ISheetPriceable.h"
#include "model/ModelStrings.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <cstring>

namespace {

constexpr double kSquareInchesPerSquareFoot = 144.0;
constexpr double kSquareInchesPerSquareMetre = 1550.0;
constexpr double kInchesPerCentimetre = 0.393700787;

double AreaOf(const CDimension& width, const CDimension& length)
{
    return width.GetInches() * length.GetInches();
}

// A ratio whose denominator is an empty sheet is no quantity at all: a sheet
// trimmed away entirely must not turn costs into NaN or infinity downstream.
double SafeRatio(double numerator, double denominator)
{
    if (!(denominator > 0.0))
        return 0.0;
    return numerator / denominator;
}

double TrimmedArea(const SheetDimensions& sheet)
{
    return AreaOf(sheet.GetTrimmedWidth(), sheet.GetTrimmedLength());
}

double PieceOfTrimmedSheet(const CDimension& pieceWidth, const CDimension& pieceLength,
                           const ISheetPriceable& row)
{
    return SafeRatio(AreaOf(pieceWidth, pieceLength), TrimmedArea(row.GetSheetDimensions()));
}

} // namespace

CMoney CSheetGoodPS::GetSheetCost(const ISheetPriceable&) const
{
    return CMoney();
}

double CSheetGoodPS::GetQuantity(const CDimension&, const CDimension&, const ISheetPriceable&) const
{
    return 0.0;
}

// Per sheet ------------------------------------------------------------------

std::unique_ptr<CPricingScheme> CSGPSSheet::CreateCopy() const
{
    return std::make_unique<CSGPSSheet>();
}

QString CSGPSSheet::GetUnitText() const
{
    return UiText(kStrUnitSheets);
}

CMoney CSGPSSheet::GetSheetCost(const ISheetPriceable& row) const
{
    return row.GetUnitCost();
}

double CSGPSSheet::GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                               const ISheetPriceable& row) const
{
    return PieceOfTrimmedSheet(pieceWidth, pieceLength, row);
}

// Per square foot -------------------------------------------------------------

std::unique_ptr<CPricingScheme> CSGPSSquareFoot::CreateCopy() const
{
    return std::make_unique<CSGPSSquareFoot>();
}

QString CSGPSSquareFoot::GetUnitText() const
{
    return UiText(kStrUnitSquareFeet);
}

CMoney CSGPSSquareFoot::GetSheetCost(const ISheetPriceable& row) const
{
    const SheetDimensions sheet = row.GetSheetDimensions();
    return row.GetUnitCost().MultiplyBy(
        AreaOf(sheet.GetWidth(), sheet.GetLength()) / kSquareInchesPerSquareFoot);
}

double CSGPSSquareFoot::GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                                    const ISheetPriceable&) const
{
    return AreaOf(pieceWidth, pieceLength) / kSquareInchesPerSquareFoot;
}

// Per square metre ------------------------------------------------------------

std::unique_ptr<CPricingScheme> CSGPSSquareMeter::CreateCopy() const
{
    return std::make_unique<CSGPSSquareMeter>();
}

QString CSGPSSquareMeter::GetUnitText() const
{
    return UiText(kStrUnitSquareMetres);
}

CMoney CSGPSSquareMeter::GetSheetCost(const ISheetPriceable& row) const
{
    const SheetDimensions sheet = row.GetSheetDimensions();
    return row.GetUnitCost().MultiplyBy(
        AreaOf(sheet.GetWidth(), sheet.GetLength()) / kSquareInchesPerSquareMetre);
}

double CSGPSSquareMeter::GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                                     const ISheetPriceable&) const
{
    return AreaOf(pieceWidth, pieceLength) / kSquareInchesPerSquareMetre;
}

// Per board -------------------------------------------------------------------

std::unique_ptr<CPricingScheme> CSGPSBoard::CreateCopy() const
{
    return std::make_unique<CSGPSBoard>();
}

QString CSGPSBoard::GetUnitText() const
{
    return UiText(kStrUnitBoards);
}

CMoney CSGPSBoard::GetSheetCost(const ISheetPriceable& row) const
{
    return row.GetUnitCost();
}

double CSGPSBoard::GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                               const ISheetPriceable& row) const
{
    return PieceOfTrimmedSheet(pieceWidth, pieceLength, row);
}

// Per lineal metre ------------------------------------------------------------

std::unique_ptr<CPricingScheme> CSGPSLinealMeter::CreateCopy() const
{
    return std::make_unique<CSGPSLinealMeter>();
}

QString CSGPSLinealMeter::GetUnitText() const
{
    return UiText(kStrUnitLinealMetres);
}

CMoney CSGPSLinealMeter::GetSheetCost(const ISheetPriceable& row) const
{
    const SheetDimensions sheet = row.GetSheetDimensions();
    return row.GetUnitCost().MultiplyBy(sheet.GetLength().GetInches() / kInchesPerCentimetre / 100.0);
}

double CSGPSLinealMeter::GetQuantity(const CDimension& pieceWidth, const CDimension& pieceLength,
                                     const ISheetPriceable& row) const
{
    const double widthShare
        = SafeRatio(pieceWidth.GetInches(), row.GetSheetDimensions().GetTrimmedWidth().GetInches());
    return widthShare * (pieceLength.GetInches() / kInchesPerCentimetre / 100.0);
}

// Creation and storage --------------------------------------------------------

std::unique_ptr<CSheetGoodPS> CreatePricingScheme(const QString& unitText)
{
    if (unitText.isEmpty())
        return std::make_unique<CSGPSSheet>();
    const auto is = [&unitText](int id) {
        return unitText.compare(UiText(id), Qt::CaseInsensitive) == 0;
    };
    if (is(kStrUnitSheets))
        return std::make_unique<CSGPSSheet>();
    if (is(kStrUnitSquareFeet))
        return std::make_unique<CSGPSSquareFoot>();
    if (is(kStrUnitSquareMetres))
        return std::make_unique<CSGPSSquareMeter>();
    if (is(kStrUnitBoards))
        return std::make_unique<CSGPSBoard>();
    if (is(kStrUnitLinealMetres))
        return std::make_unique<CSGPSLinealMeter>();
    return nullptr;
}

namespace {

// The concrete scheme stored under a class name; null for the abstract bases
// and for every class that is no sheet-good scheme.
std::unique_ptr<CSheetGoodPS> CreateSchemeByClassName(const std::string& name)
{
    if (name == "CSGPSSheet")
        return std::make_unique<CSGPSSheet>();
    if (name == "CSGPSSquareFoot")
        return std::make_unique<CSGPSSquareFoot>();
    if (name == "CSGPSSquareMeter")
        return std::make_unique<CSGPSSquareMeter>();
    if (name == "CSGPSBoard")
        return std::make_unique<CSGPSBoard>();
    if (name == "CSGPSLinealMeter")
        return std::make_unique<CSGPSLinealMeter>();
    return nullptr;
}

} // namespace

void StorePricingScheme(ArchiveWrapper& ar, const CSheetGoodPS& scheme)
{
    // Schemes carry no data of their own: the reference is the whole record.
    ar.GetArchive().writeObjectRef(&scheme, scheme.GetClassName(), CPricingScheme::kObjectSchema);
}

std::unique_ptr<CSheetGoodPS> LoadPricingScheme(ArchiveWrapper& ar)
{
    platform::BinaryArchive& archive = ar.GetArchive();
    const platform::BinaryArchive::ObjectRef ref = archive.readObjectRef();
    const std::string path = ar.GetFilePath().toStdString();
    // A row without a unit, or with a bare base scheme, would be priced by
    // nothing: the record is damaged.
    if (ref.kind == platform::BinaryArchive::ObjectRef::Null)
        throw platform::ArchiveError(platform::ArchiveError::BadClass, path, "missing pricing scheme");
    std::unique_ptr<CSheetGoodPS> scheme = CreateSchemeByClassName(ref.className);
    if (!scheme)
        throw platform::ArchiveError(platform::ArchiveError::BadClass, path, "not a pricing scheme: " + ref.className);
    if (ref.kind == platform::BinaryArchive::ObjectRef::New) {
        // Registered so that a later back reference finds a scheme of this class.
        std::shared_ptr<CSheetGoodPS> registered = CreateSchemeByClassName(ref.className);
        archive.registerLoadedObject(ref.index, std::shared_ptr<void>(std::move(registered)));
    }
    return scheme;
}
