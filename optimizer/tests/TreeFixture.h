#pragma once
// Small builders for the tree, region and comparer tests. Lengths are given
// in counts (1/16384 inch) where the geometry matters to the count.

#include "OptPartLayout.h"
#include "OptTopLevelLayout.h"
#include "ParLocalOpt.h"
#include "StockUsageTracker.h"

#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <memory>

namespace optimization::treetest {

inline OptDim C(std::int32_t counts)
{
    return OptDim::FromInternalRep(counts);
}

struct StockSpec {
    std::int32_t width = 1000;
    std::int32_t length = 2000;
    double cost = 10.0;
    std::int32_t kerf = 0;
    std::int32_t padding = 0;
    FirstCutSpecification firstCut = FirstCutNone;
    bool unlimited = true;
    std::uint32_t available = 0;
    bool offCut = false;
    std::int32_t tbTrim = 0;
    std::int32_t lrTrim = 0;
    GeometryStyle preferred = StandardLayout;
    // Rough size when it differs from the trimmed one (0: the same).
    std::int32_t roughWidth = 0;
    std::int32_t roughLength = 0;
};

inline std::shared_ptr<StockProxy> MakeStock(const StockSpec& s)
{
    CanvasDescriptorArgs args;
    args.trimmedWidth = C(s.width);
    args.trimmedLength = C(s.length);
    args.roughWidth = C(s.roughWidth ? s.roughWidth : s.width);
    args.roughLength = C(s.roughLength ? s.roughLength : s.length);
    args.fullStockCost = s.cost;
    args.tbTrim = C(s.tbTrim);
    args.lrTrim = C(s.lrTrim);
    InitialInventory inventory;
    inventory.unlimited = s.unlimited;
    inventory.available = s.available;
    inventory.offCut = s.offCut;
    CuttingRules rules(C(s.kerf), s.firstCut, false, C(s.padding), s.preferred);
    return std::make_shared<StockProxy>(nullptr, nullptr, CanvasDescriptor(args), inventory, rules);
}

inline std::shared_ptr<PartProxy> MakePart(std::int32_t width, std::int32_t length,
                                           std::uint32_t copies = 1,
                                           std::int32_t orientation = OrientationFree,
                                           std::int32_t number = 1)
{
    PartDescriptor d;
    d.partNumber = number;
    d.copies = copies;
    d.width = C(width);
    d.length = C(length);
    d.areaCounts = std::int64_t(width) * length;
    d.orientation = orientation;
    d.area = d.width.GetInches() * d.length.GetInches();
    d.paddedArea = d.area;
    d.furtherLength = d.width;
    return std::make_shared<PartProxy>(nullptr, d);
}

inline std::unique_ptr<OptTopLevelLayout> MakeSheet(const StockProxy& stock,
                                                    const ParLocalOpt& policy = ParLocalOpt())
{
    auto sheet = std::make_unique<OptTopLevelLayout>(&stock, 0, policy);
    sheet->Relay();
    return sheet;
}

// Puts a leaf for `part` as the block of `node` (at the node's origin).
inline OptPartLayout* PutBlock(OptLayout& node, const PartProxy& part, std::int32_t turned = 0)
{
    auto leaf = std::make_unique<OptPartLayout>(&part, turned, &node, node.GetX(), node.GetY());
    OptPartLayout* raw = leaf.get();
    node.SetBlock(std::move(leaf));
    return raw;
}

// Gives `node` an empty length and/or width remainder one kerf beside its block.
inline OptLayout* AddLengthRemainder(OptLayout& node, std::int32_t kerf = 0)
{
    const OptLayout& block = *node.GetBlock();
    const std::int32_t bl = block.GetLength().ToEncodedInt();
    const bool dir1 = node.Record().cutDirection == CutLengthFirst;
    auto child = node.MakeChild(OptLayout::ChildKind::LengthRemainder,
                                dir1 ? block.GetWidth() : node.GetWidth(),
                                C(node.GetLength().ToEncodedInt() - bl - kerf),
                                node.GetX() + bl + kerf, node.GetY());
    OptLayout* raw = child.get();
    node.SetLengthRemainder(std::move(child));
    return raw;
}

inline OptLayout* AddWidthRemainder(OptLayout& node, std::int32_t kerf = 0)
{
    const OptLayout& block = *node.GetBlock();
    const std::int32_t bw = block.GetWidth().ToEncodedInt();
    const bool dir1 = node.Record().cutDirection == CutLengthFirst;
    auto child = node.MakeChild(OptLayout::ChildKind::WidthRemainder,
                                C(node.GetWidth().ToEncodedInt() - bw - kerf),
                                dir1 ? node.GetLength() : block.GetLength(), node.GetX(),
                                node.GetY() + bw + kerf);
    OptLayout* raw = child.get();
    node.SetWidthRemainder(std::move(child));
    return raw;
}

} // namespace optimization::treetest
