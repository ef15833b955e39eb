#pragma once
// The material and stock size of a diagram, and what the results, the
// painters and manual editing read through them.

#include "foundation/CDimension.h"

#include <QString>

#include <memory>

class ArchiveWrapper;
class IOptimizableMaterial;
class IOptimizableSize;
class IdentityMapper;

struct StockSpec
{
    std::shared_ptr<IOptimizableMaterial> material;
    std::shared_ptr<IOptimizableSize> size;
    // Material type code; 0 for every diagram the optimizer's results make.
    int matType = 0;

    // Empty for a missing or placeholder material.
    QString GetMaterialName() const;
    CDimension GetThickness() const;
    // The saw kerf of the material's saw setup.
    CDimension GetKerf() const;
    CDimension GetRoughWidth() const;
    CDimension GetRoughLength() const;
    CDimension GetTopBottomTrim() const;
    CDimension GetLeftRightTrim() const;
    bool MaterialHasGrain() const;
    bool MaterialWantsLongSideHorizontal() const;

    // Version 1, the material and the size by identity, the material type.
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);
    // The material and the size become the canonical objects of the mapper.
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper);
    // The material as the library holds it now, and its row of the same
    // pinnable stamp while that row still has the sheet's size, else a row
    // of that size; a size the material no longer has is added back to it,
    // so a pinned sheet never changes the size it was cut from.
    void Relink();
};

// The sheet is drawn with its rough length along x, unless it is wider than
// long by more than the length tolerance and the material wants the long
// side horizontal.
bool IsLengthwiseByStock(const StockSpec& stock);
