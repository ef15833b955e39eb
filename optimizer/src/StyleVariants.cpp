#include "StyleVariants.h"

#include "OptTopLevelLayout.h"
#include "ParallelOptimizer.h"
#include "PartInsertion.h"
#include "RelayoutSheet.h"

#include <nestcore/StockProxy.h>

#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace optimization {

namespace {

// Sheets whose waste lies below this keep a cut-orientation style even when
// the policy would rather keep an off-cut.
constexpr double kLowWaste = 0.1;

OptTopLevelLayout* StoredVariant(const OptTopLevelLayout& sheet, GeometryStyle style)
{
    const StyleMap& map = *sheet.GetStyleMap();
    auto it = map.find(style);
    return it == map.end() ? nullptr : it->second.get();
}

// The sheet as it stands is its own style's entry; the program and the
// style loop of the passes find it there.
void FileSelfWhenMissing(OptTopLevelLayout& sheet)
{
    const GeometryStyle own = sheet.Policy().GetStyleWord();
    if (!sheet.HasStyleLayout(own))
        sheet.FileStyleLayout(own, &sheet);
}

// Lengths across and along the axis that an off-cut setting shortens:
// setting 0 shortens the length, setting 1 the width.
std::int32_t ShortenedExtent(const OptLayout& node, int setting)
{
    return setting == 0 ? node.GetLength().ToEncodedInt() : node.GetWidth().ToEncodedInt();
}
std::int32_t AcrossExtent(const OptLayout& node, int setting)
{
    return setting == 0 ? node.GetWidth().ToEncodedInt() : node.GetLength().ToEncodedInt();
}

double SquareInches(std::int64_t a, std::int64_t b)
{
    const double scale = OptDim::DIM_SCALE_FACTOR;
    return (double(a) / scale) * (double(b) / scale);
}

// Finds the shortest usable region in which the sheet's parts can still be
// rebuilt, shrinking by a tenth of the sheet at a time, and keeps the rest
// of the sheet as one off-cut.
std::unique_ptr<OptTopLevelLayout> BuildOffcutVariant(
    int setting, const OptTopLevelLayout& sheet, ParallelOptimizer& optimizer, double& measure)
{
    if (sheet.HasNoBlock())
        return nullptr;
    const std::int64_t full = ShortenedExtent(sheet, setting);
    const std::int64_t across = AcrossExtent(sheet, setting);
    if (across <= 0)
        return nullptr;
    const double acrossInches = double(across) / OptDim::DIM_SCALE_FACTOR;
    const std::int64_t shortest = std::int64_t(sheet.PlacedArea() / acrossInches * OptDim::DIM_SCALE_FACTOR);
    const std::int64_t step = full / 10;
    if (step > full - shortest || step <= 0)
        return nullptr;

    const GeometryStyle style = setting == 0 ? MaxSideOffCut : MaxBottomOffCut;
    const std::vector<const PartProxy*> parts = sheet.GetPlacedCopies();
    std::unique_ptr<OptTopLevelLayout> best;
    std::int64_t bestLength = full;
    for (std::int64_t length = full; length > shortest + OptDim::INTERNAL_EPSILON; length -= step) {
        if (optimizer.IsCancelRequested())
            break;
        auto trial = std::make_unique<OptTopLevelLayout>(
            sheet.GetStockProxy(), sheet.GetPartOrderKind(), sheet.Policy());
        trial->Policy().SetStyleWord(style);
        trial->MarkClosed(setting == 1);
        const OptDim shortened = OptDim::FromInternalRep(std::int32_t(length));
        if (setting == 0)
            trial->SetLength(shortened);
        else
            trial->SetWidth(shortened);
        trial->Relay();
        if (!RebuildSheet(*trial, parts, optimizer))
            break;
        best = std::move(trial);
        bestLength = length;
    }
    if (!best)
        return nullptr;

    auto region = std::make_unique<OptLayout>(best->GetWidth(), best->GetLength(), 0, 0, nullptr);
    region->Record().cutDirection = best->Record().cutDirection;
    region->SetBlock(best->ReleaseBlock());
    region->SetLengthRemainder(best->ReleaseLengthRemainder());
    region->SetWidthRemainder(best->ReleaseWidthRemainder());

    auto variant = std::make_unique<OptTopLevelLayout>(
        sheet.GetStockProxy(), sheet.GetPartOrderKind(), sheet.Policy());
    variant->Policy().SetStyleWord(style);
    variant->SetWithinInventory(sheet.GetWithinInventory());
    // Style 3 keeps its off-cut beyond the region along the length, style 4
    // across the width.
    InstallFirstBlockWithOffCut(*variant, std::move(region), setting == 0 ? 2 : 1);
    measure = SquareInches(full - bestLength, across);
    return variant;
}

// Off-cut measure of a stored off-cut variant: the part of the sheet beyond
// its first block.
double StoredOffcutMeasure(const OptTopLevelLayout& variant, int setting)
{
    const OptLayout* block = variant.GetBlock();
    if (!block)
        return 0.0;
    return SquareInches(
        ShortenedExtent(variant, setting) - ShortenedExtent(*block, setting), AcrossExtent(variant, setting));
}

} // namespace

bool IsStyleAdmitted(GeometryStyle style, FirstCutSpecification firstCut)
{
    if (firstCut == FirstCutWithGrain)
        return style == StandardLayout || style == PreferRipCuts || style == MaxBottomOffCut;
    if (firstCut == FirstCutAcrossGrain)
        return style == StandardLayout || style == PreferCrossCuts || style == MaxSideOffCut;
    return true;
}

void PutVariantInPlace(
    OptTopLevelLayout& sheet, const OptTopLevelLayout& variant, ParallelOptimizer& optimizer)
{
    for (OptTopLevelLayout* other : optimizer.Job().RunState().Layouts().Layouts()) {
        if (other == &sheet || other->GetMaster() != &sheet)
            continue;
        auto copy = variant.Copy();
        other->AssignFrom(*copy);
        other->Policy() = variant.Policy();
        other->SetDoneMark(variant.GetDoneMark());
    }
    auto copy = variant.Copy();
    sheet.AssignFrom(*copy);
    sheet.Policy() = variant.Policy();
    sheet.SetDoneMark(variant.GetDoneMark());
}

namespace {

GeometryStyle OrientationStyle(int orientation)
{
    return orientation == 1 ? PreferRipCuts : PreferCrossCuts;
}

GeometryStyle OffcutStyle(int setting)
{
    return setting == 0 ? MaxSideOffCut : MaxBottomOffCut;
}

// The sheet laid anew with its first cut in the orientation; null when the
// parts do not all go in. The sheet is only read.
std::unique_ptr<OptTopLevelLayout> BuildOrientationVariant(
    int orientation, const OptTopLevelLayout& sheet, ParallelOptimizer& optimizer, bool keepInMapOnly)
{
    const GeometryStyle style = OrientationStyle(orientation);
    // The orientation goes on a template, not on the sheet itself: the
    // sheet's tree was cut in its own direction and must stay so.
    std::unique_ptr<OptTopLevelLayout> templ = sheet.IsolatedCopy();
    const std::int32_t kind = optimizer.Job().RunState().GetPartOrderKind();
    templ->SetPartOrderKind(kind);
    templ->SetCutOrientation(orientation == 1, false, false);
    templ->Policy().SetStyleWord(style);
    RelayoutFlags flags;
    flags.keepStyle = keepInMapOnly;
    std::unique_ptr<OptTopLevelLayout> built = RelayoutSheet(templ->Policy(), kind, *templ, optimizer, flags);
    if (built)
        built->Policy().SetStyleWord(style);
    return built;
}

// A variant built ahead of its Make call (side by side with the others).
struct PrebuiltVariant
{
    bool made = false; // built ahead; `variant` null when the build failed
    std::unique_ptr<OptTopLevelLayout> variant;
    double measure = 0.0;
};

bool MakeOrientationVariant(int orientation, OptTopLevelLayout& sheet, ParallelOptimizer& optimizer,
    bool compare, bool keepInMapOnly, PrebuiltVariant* prebuilt)
{
    const GeometryStyle style = OrientationStyle(orientation);
    FileSelfWhenMissing(sheet);
    OptTopLevelLayout* variant = StoredVariant(sheet, style);
    if (!variant) {
        std::unique_ptr<OptTopLevelLayout> built = prebuilt && prebuilt->made
            ? std::move(prebuilt->variant)
            : BuildOrientationVariant(orientation, sheet, optimizer, keepInMapOnly);
        if (!built)
            return false;
        sheet.FileStyleLayout(style, built.get());
        variant = StoredVariant(sheet, style);
        if (!variant)
            return false;
    }
    if (optimizer.IsCancelRequested())
        return false;
    variant->SetDoneMark(1);
    if (compare && optimizer.Job().Policy().localOpt.CompareSheets(sheet, *variant) != 1)
        return false;
    if (!keepInMapOnly)
        PutVariantInPlace(sheet, *variant, optimizer);
    return true;
}

bool MakeOffcutVariant(int setting, OptTopLevelLayout& sheet, ParallelOptimizer& optimizer,
    bool keepInMapOnly, double& offCutMeasure, PrebuiltVariant* prebuilt)
{
    const GeometryStyle style = OffcutStyle(setting);
    FileSelfWhenMissing(sheet);
    OptTopLevelLayout* variant = StoredVariant(sheet, style);
    if (!variant) {
        double measure = 0.0;
        std::unique_ptr<OptTopLevelLayout> built;
        if (prebuilt && prebuilt->made) {
            built = std::move(prebuilt->variant);
            measure = prebuilt->measure;
        } else {
            built = BuildOffcutVariant(setting, sheet, optimizer, measure);
        }
        if (!built)
            return false;
        sheet.FileStyleLayout(style, built.get());
        variant = StoredVariant(sheet, style);
        if (!variant)
            return false;
        offCutMeasure = measure;
    } else {
        offCutMeasure = StoredOffcutMeasure(*variant, setting);
    }
    if (optimizer.IsCancelRequested())
        return false;
    variant->SetDoneMark(1);
    if (!keepInMapOnly)
        PutVariantInPlace(sheet, *variant, optimizer);
    return true;
}

// Builds the variants that the sheet's map lacks side by side, when there
// is more than one thread and more than one to build, each read-only on the
// sheet and with a scratch optimizer of its own (an off-cut rebuild sets
// the part order kind for a while). The Make calls then file them in their
// own order, as if each had built its own.
void BuildMissingVariants(
    OptTopLevelLayout& sheet, ParallelOptimizer& optimizer, std::array<PrebuiltVariant, 4>& prebuilt)
{
    if (tbb::this_task_arena::max_concurrency() <= 1)
        return;
    FileSelfWhenMissing(sheet);
    const GeometryStyle styles[4]
        = { OrientationStyle(1), OrientationStyle(0), OffcutStyle(0), OffcutStyle(1) };
    std::vector<std::size_t> missing;
    for (std::size_t k = 0; k < 4; ++k)
        if (!StoredVariant(sheet, styles[k]))
            missing.push_back(k);
    if (missing.size() < 2)
        return;
    std::vector<std::unique_ptr<ParallelOptimizer>> own;
    for (std::size_t k = 0; k < missing.size(); ++k)
        own.push_back(optimizer.MakeScratchCopy());
    tbb::parallel_for(std::size_t(0), missing.size(), [&](std::size_t i) {
        const std::size_t k = missing[i];
        PrebuiltVariant& out = prebuilt[k];
        ParallelOptimizer& scratch = *own[i];
        if (k < 2)
            out.variant = BuildOrientationVariant(k == 0 ? 1 : 0, sheet, scratch, true);
        else
            out.variant = BuildOffcutVariant(k == 2 ? 0 : 1, sheet, scratch, out.measure);
        out.made = true;
    });
}

} // namespace

bool MakeOrientationVariant(
    int orientation, OptTopLevelLayout& sheet, ParallelOptimizer& optimizer, bool compare, bool keepInMapOnly)
{
    return MakeOrientationVariant(orientation, sheet, optimizer, compare, keepInMapOnly, nullptr);
}

bool MakeOffcutVariant(int setting, OptTopLevelLayout& sheet, ParallelOptimizer& optimizer,
    bool keepInMapOnly, double& offCutMeasure)
{
    return MakeOffcutVariant(setting, sheet, optimizer, keepInMapOnly, offCutMeasure, nullptr);
}

void DropStaleVariants(OptTopLevelLayout& sheet)
{
    for (auto& [style, variant] : *sheet.GetStyleMap())
        if (variant && !variant->SamePartsAs(sheet))
            variant.reset();
}

void RunSpecialLocalSteps(OptTopLevelLayout& sheet, ParallelOptimizer& optimizer)
{
    DropStaleVariants(sheet);
    std::array<PrebuiltVariant, 4> prebuilt;
    BuildMissingVariants(sheet, optimizer, prebuilt);
    const bool made1 = MakeOrientationVariant(1, sheet, optimizer, false, true, &prebuilt[0]);
    if (optimizer.IsCancelRequested())
        return;
    const bool made2 = MakeOrientationVariant(0, sheet, optimizer, false, true, &prebuilt[1]);
    if (optimizer.IsCancelRequested())
        return;
    double m3 = 0.0;
    double m4 = 0.0;
    const bool made3 = MakeOffcutVariant(0, sheet, optimizer, true, m3, &prebuilt[2]);
    if (optimizer.IsCancelRequested())
        return;
    const bool made4 = MakeOffcutVariant(1, sheet, optimizer, true, m4, &prebuilt[3]);
    if (optimizer.IsCancelRequested())
        return;

    const JobPolicy& policy = optimizer.Job().Policy();
    const FirstCutSpecification firstCut = sheet.GetStockProxy()->GetRules().GetFirstCutSpecification();
    GeometryStyle chosen = StandardLayout;
    bool compare = false;
    if (policy.localOpt.GetMode() == 0 || sheet.GetWaste() < kLowWaste) {
        compare = true;
        if (firstCut == FirstCutWithGrain)
            chosen = made1 ? PreferRipCuts : StandardLayout;
        else if (firstCut == FirstCutAcrossGrain)
            chosen = made2 ? PreferCrossCuts : StandardLayout;
        else
            chosen = made1 ? PreferRipCuts : made2 ? PreferCrossCuts : StandardLayout;
    } else {
        if (firstCut == FirstCutWithGrain)
            chosen = made4 ? MaxBottomOffCut : StandardLayout;
        else if (firstCut == FirstCutAcrossGrain)
            chosen = made3 ? MaxSideOffCut : StandardLayout;
        else if (made4 && !made3)
            chosen = MaxBottomOffCut;
        else if (made3 && !made4)
            chosen = MaxSideOffCut;
        else if (made3 && made4)
            chosen = m4 > m3 ? MaxBottomOffCut : MaxSideOffCut;
    }
    if (chosen == StandardLayout)
        return;
    const OptTopLevelLayout* variant = StoredVariant(sheet, chosen);
    if (!variant)
        return;
    if (compare && policy.localOpt.CompareSheets(sheet, *variant) != 1)
        return;
    PutVariantInPlace(sheet, *variant, optimizer);
}

} // namespace optimization
