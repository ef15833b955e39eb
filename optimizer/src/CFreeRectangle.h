#pragma once
// One empty region of a layout node into which a part (or a new strip) can
// go, with the result of fitting a part into it. Regions are values: the
// placement copies and pools them freely; the owner node is not owned.

#include "IsoDimGroup.h"
#include "ParLocalOpt.h"

#include <nestcore/OptDim.h>

#include <cstdint>

namespace optimization {

class OptLayout;
class PartProxy;

// Where the part goes relative to the owner node.
enum RegionSide : std::int32_t {
    SideWholeNode = 0,     // the whole of an empty node
    SideLengthRemainder = 1,
    SideWidthRemainder = 2,
    SideNewStripAlongY = 3, // a new strip across the owner's whole content
    SideNewStripAlongX = 4,
};

class CFreeRectangle
{
public:
    CFreeRectangle() = default;
    CFreeRectangle(const CFreeRectangle&) = default;
    CFreeRectangle& operator=(const CFreeRectangle&) = default;
    virtual ~CFreeRectangle() = default;

    // Geometry and making.
    OptDim width;
    OptDim length;
    std::int32_t x = 0; // where a part put here would lie
    std::int32_t y = 0;
    bool directionFlag = false; // meant for cut direction 1
    bool besideBlock = false;
    std::int32_t blockOrientation = 0; // turned value the owner's block takes
    bool stripContinuation = false;
    bool blockLocked = false;
    OptLayout* owner = nullptr;
    RegionSide side = SideWholeNode;
    bool turnBlocked = false;
    std::int32_t grade = 0;
    bool excluded = false;

    // Fit evaluation of the last part tried here.
    std::int32_t value = 0;
    std::uint32_t flags = 0;
    bool standsOut = false;
    bool turnsBlock = false;
    std::int32_t chosenOrientation = 0;
    std::int32_t handedValue = 0;
    bool countDecided = false;

    // Strip evaluation of an equal-dimension group through this region.
    bool stripEvaluated = false;
    IsoDimGroup group;
    std::int32_t groupEvaluationType = 0;

    ParLocalOpt policy;

    // The avoid marks the rectangle preference looks at.
    bool CarriesAvoidMarks() const { return blockLocked || (stripContinuation && standsOut); }
    std::int64_t Area() const
    {
        return std::int64_t(width.ToEncodedInt()) * length.ToEncodedInt();
    }
    void ResetEvaluation();
};

} // namespace optimization
