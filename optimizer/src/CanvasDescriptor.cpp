#include <nestcore/CanvasDescriptor.h>

#include "CompareValues.h"

#include <cmath>
#include <limits>

namespace optimization {

CanvasDescriptorArgs::CanvasDescriptorArgs() : fullStockCost(0.0) {}

CanvasDescriptor::CanvasDescriptor(const CanvasDescriptorArgs& args)
    : m_trimmedWidth(args.trimmedWidth)
    , m_trimmedLength(args.trimmedLength)
    , m_trimmedArea(m_trimmedWidth.GetInches() * m_trimmedLength.GetInches())
    , m_roughWidth(args.roughWidth)
    , m_roughLength(args.roughLength)
    , m_roughArea(m_roughLength.GetInches() * m_roughWidth.GetInches())
    // A cost that is not a finite number would break every sort by cost
    // (and give NaN in sums); such a stock is taken as the dearest there is.
    , m_fullStockCost(std::isfinite(args.fullStockCost) ? args.fullStockCost
                                                        : std::numeric_limits<double>::max())
    , m_unitAreaCost(0.0)
    , m_tbTrim(args.tbTrim)
    , m_lrTrim(args.lrTrim)
{
    // The inch caches of the lengths are filled here, once: the stock is
    // read from several threads during a run and must not change then.
    m_tbTrim.GetInches();
    m_lrTrim.GetInches();
    // Trims as large as the sheet leave no usable area (or a product of two
    // negative widths that looks positive); such a stock is never cheap.
    const bool usable = m_trimmedWidth.ToEncodedInt() > 0 && m_trimmedLength.ToEncodedInt() > 0
                        && m_trimmedArea > kAreaEpsilon;
    m_unitAreaCost = usable ? m_fullStockCost / m_trimmedArea
                            : std::numeric_limits<double>::max();
}

bool CanvasDescriptor::HasTBTrim() const
{
    return m_tbTrim != OptDim::Zero;
}

bool CanvasDescriptor::HasLRTrim() const
{
    return m_lrTrim != OptDim::Zero;
}

} // namespace optimization
