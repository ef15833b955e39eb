#pragma once

#include "foundation/CDimension.h"
#include "foundation/ManagedIdentity.h"
#include "model/CMoney.h"
#include "model/CVendor.h"
#include "model/PinnableID.h"

#include <QString>

#include <memory>

class IOptimizableMaterial;
class ISGSC;
class OptTargetCriteria;

// Vendor, notes and bin of a stock size.
class IBasicStockInfo
{
public:
    virtual ~IBasicStockInfo() = default;
    virtual CVendorPtr GetVendor() const = 0;
    virtual QString GetSpecialNotes() const = 0;
    virtual QString GetLabelText() const = 0;
    virtual QString GetBin() const = 0;
    virtual void SetVendor(const CVendorPtr& vendor) = 0;
    virtual void SetSpecialNotes(const QString& notes) = 0;
    virtual void SetBin(const QString& bin) = 0;
};

// A stock size as the optimization run reads it. The optimizer itself holds
// it only as an opaque handle that comes back with its results.
class IOptimizableSize : public IBasicStockInfo, public ManagedIdentityRemappedOnLockProject, public PinnableID
{
public:
    virtual std::shared_ptr<ISGSC> CloneShared() const = 0;
    // The criteria of a target for the given material at this size's thickness.
    virtual std::shared_ptr<OptTargetCriteria>
    CreateOptimizationTarget(const std::shared_ptr<IOptimizableMaterial>& material) const = 0;
    virtual CDimension GetRoughWidth() const = 0;
    virtual CDimension GetRoughLength() const = 0;
    virtual CDimension GetTopBottomTrim() const = 0;
    virtual CDimension GetLeftRightTrim() const = 0;
    virtual QString GetDescription() const = 0;
    virtual CDimension GetThickness() const = 0;
    virtual QString GetThicknessText() const = 0;
    virtual CDimension GetTrimmedWidth() const = 0;
    virtual CDimension GetTrimmedLength() const = 0;
    // The cost of one sheet under the size's pricing scheme.
    virtual CMoney GetFullCost() const = 0;
    virtual bool IsOffCut() const = 0;
    virtual bool IsUnlimited() const = 0;
    virtual bool CanBuyMore() const = 0;
    virtual unsigned int GetAvailable() const = 0;
    virtual QString GetGradeText() const = 0;
};
