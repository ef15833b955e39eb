#include "optimization/StockSpec.h"

#include "foundation/IdentityMapper.h"
#include "model/CSawSetupEx.h"
#include "model/CSheetGoodEx.h"
#include "model/GrainInfo.h"
#include "model/IMaterialData.h"
#include "model/IOptimizableMaterial.h"
#include "model/IOptimizableSize.h"
#include "model/MaterialCommands.h"
#include "model/SharedMaterialRef.h"

namespace {

const IMaterialData* MaterialData(const StockSpec& stock)
{
    return stock.material ? stock.material->AsMaterialData() : nullptr;
}

} // namespace

QString StockSpec::GetMaterialName() const
{
    const IMaterialData* data = MaterialData(*this);
    return data ? data->GetName() : QString();
}

CDimension StockSpec::GetThickness() const
{
    return size ? size->GetThickness() : CDimension();
}

CDimension StockSpec::GetKerf() const
{
    const IMaterialData* data = MaterialData(*this);
    return data ? data->GetSawSetup().GetKerf() : CDimension();
}

CDimension StockSpec::GetRoughWidth() const
{
    return size ? size->GetRoughWidth() : CDimension();
}

CDimension StockSpec::GetRoughLength() const
{
    return size ? size->GetRoughLength() : CDimension();
}

CDimension StockSpec::GetTopBottomTrim() const
{
    return size ? size->GetTopBottomTrim() : CDimension();
}

CDimension StockSpec::GetLeftRightTrim() const
{
    return size ? size->GetLeftRightTrim() : CDimension();
}

bool StockSpec::MaterialHasGrain() const
{
    const IMaterialData* data = MaterialData(*this);
    return data && data->GetGrainInfo().GetHasGrain();
}

bool StockSpec::MaterialWantsLongSideHorizontal() const
{
    const IMaterialData* data = MaterialData(*this);
    return data && data->GetGrainInfo().GetLongSideHorizontal();
}

void StockSpec::ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper)
{
    ResolveSharedMaterialRef(mapper, material);
    ResolveCanonicalRef(*mapper, size);
}

void StockSpec::Relink()
{
    auto sheetGood = std::dynamic_pointer_cast<CSheetGoodEx>(material);
    if (!sheetGood)
        return;
    std::shared_ptr<CSheetGoodEx> current = ResolvePartMaterial(sheetGood);
    if (!current)
        return;
    material = current;
    if (!size)
        return;
    if (const auto row = std::dynamic_pointer_cast<ISGSC>(size))
        size = ResolveSizeCostRow(current, row);
}

bool IsLengthwiseByStock(const StockSpec& stock)
{
    const bool widerThanLong = CDimension::LessWithTolerance(stock.GetRoughLength(), stock.GetRoughWidth());
    return !(widerThanLong && stock.MaterialWantsLongSideHorizontal());
}
