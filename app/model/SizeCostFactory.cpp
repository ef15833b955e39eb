#include "model/SizeCostFactory.h"

#include "model/SheetGoodSizeCost.h"

namespace {

std::unique_ptr<ISizeCostFactory<ISGSC>>& InstalledFactory()
{
    static std::unique_ptr<ISizeCostFactory<ISGSC>> factory;
    return factory;
}

} // namespace

void InstallSizeCostFactory(std::unique_ptr<ISizeCostFactory<ISGSC>> factory)
{
    InstalledFactory() = std::move(factory);
}

ISizeCostFactory<ISGSC>* GetSizeCostFactory()
{
    return InstalledFactory().get();
}

std::shared_ptr<ISGSC> MakeSheetGoodSizeCost()
{
    if (ISizeCostFactory<ISGSC>* factory = GetSizeCostFactory())
        return factory->Create();
    return std::make_shared<SheetGoodSizeCost>();
}

std::shared_ptr<ISGSC> MakeSizeCostByTypeCode(std::uint32_t typeCode)
{
    if (typeCode == SheetGoodSizeCost::kTypeCode)
        return std::make_shared<SheetGoodSizeCost>();
    return nullptr;
}
