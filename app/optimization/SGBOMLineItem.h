#pragma once
// The bill-of-materials line of one sheet-good stock size within one target's
// results: sheets needed, from inventory and to buy, and their cost, both in
// whole sheets and pro-rated to the area the parts use. The preference
// "Pro-Rate Costs" decides at each query which form is answered; both are
// always kept up to date.

#include "optimization/OptimizedBOMLineItem.h"

#include <cstdint>
#include <memory>

class SGBOMLineItem : public IOptimizedBOMLineItem, public std::enable_shared_from_this<SGBOMLineItem>
{
public:
    static constexpr std::uint32_t kTypeCode = 1;

    // For loading: a default row from the size/cost factory.
    SGBOMLineItem();
    explicit SGBOMLineItem(std::shared_ptr<ISGSC> row);

    CMoney GetTotalCost() const override;
    QString GetUnitsText() const override;
    double GetQuantityNeeded() const override;
    double GetQuantityInStock() const override;
    double GetQuantityToBuy() const override;
    QString GetVendorName() const override;
    QString GetRowText() const override;
    QString GetThicknessText() const override;
    double GetThicknessInches() const override;
    CMoney GetUnitCost() const override;
    void Recount() override;

    std::shared_ptr<ISGSC> GetSizeCost() const override { return m_row; }
    const StackList& GetLayouts() const override { return m_layouts; }
    void AddLayout(const StackPtr& stack) override;
    void AttachLayout(const StackPtr& stack) override { m_layouts.push_back(stack); }
    void RemoveLayout(const StackPtr& stack) override;
    void DetachLayout(const StackPtr& stack) override { RemoveLayout(stack); }

    std::uint32_t GetSheetsNeeded() const;
    std::uint32_t GetSheetsFromStock() const { return m_sheetsFromStock; }

    std::uint32_t GetTypeCode() const override { return kTypeCode; }
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    // The row becomes the mapper's canonical row; the stacks are those the
    // file shares with the results already.
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper);
    void ReceiveResolvedReference(std::shared_ptr<IManagedIdentity>) override { }

private:
    // The row's pricing units the parts on one sheet of the stack use.
    double ProRatedQuantityPerSheet(const IdenticalDiagramStack& stack) const;

    std::shared_ptr<ISGSC> m_row;
    double m_proRatedNeeded = 0.0;
    double m_proRatedFromStock = 0.0;
    std::uint32_t m_sheetsFromStock = 0;
    StackList m_layouts;
};

// The preference "Pro-Rate Costs".
bool IsProRatingCosts();
