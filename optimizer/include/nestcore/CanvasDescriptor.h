#pragma once
// Geometry and cost of one stock size, as the program hands it over.

#include <nestcore/OptDim.h>
#include <nestcore_export.h>

namespace optimization {

struct NESTCORE_EXPORT CanvasDescriptorArgs {
    CanvasDescriptorArgs();

    OptDim trimmedWidth;
    OptDim trimmedLength;
    OptDim roughWidth;
    OptDim roughLength;
    double fullStockCost; // price of one whole sheet; the caller sets it
    OptDim tbTrim;
    OptDim lrTrim;
};

class NESTCORE_EXPORT CanvasDescriptor
{
public:
    explicit CanvasDescriptor(const CanvasDescriptorArgs& args);

    const OptDim& GetTrimmedWidth() const { return m_trimmedWidth; }
    const OptDim& GetTrimmedLength() const { return m_trimmedLength; }
    const OptDim& GetRoughWidth() const { return m_roughWidth; }
    const OptDim& GetRoughLength() const { return m_roughLength; }
    double GetTrimmedArea() const { return m_trimmedArea; }
    double GetRoughArea() const { return m_roughArea; }
    double GetFullStockCost() const { return m_fullStockCost; }
    // Cost of one square inch of the usable area. A sheet whose usable
    // area is nil gets the largest double, so it is never the cheapest.
    double GetUnitAreaCost() const { return m_unitAreaCost; }
    const OptDim& GetTBTrim() const { return m_tbTrim; }
    const OptDim& GetLRTrim() const { return m_lrTrim; }

    bool HasTBTrim() const;
    bool HasLRTrim() const;

private:
    OptDim m_trimmedWidth;
    OptDim m_trimmedLength;
    double m_trimmedArea;
    OptDim m_roughWidth;
    OptDim m_roughLength;
    double m_roughArea;
    double m_fullStockCost;
    double m_unitAreaCost;
    OptDim m_tbTrim;
    OptDim m_lrTrim;
};

} // namespace optimization
