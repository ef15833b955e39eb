#pragma once

#include "model/CMoney.h"

#include <array>
#include <memory>

class ArchiveWrapper;

// Six amounts of a bill of materials or one of its lines; the first is the
// unit cost when the DTO describes one line item.
class CostPriceDTO
{
public:
    static constexpr int kAmounts = 6;

    CMoney& operator[](int index) { return m_amounts[static_cast<std::size_t>(index)]; }
    const CMoney& operator[](int index) const { return m_amounts[static_cast<std::size_t>(index)]; }

    CostPriceDTO& operator+=(const CostPriceDTO& other);
    void Add(const CostPriceDTO& other) { *this += other; }
    void Clear();

    // Version 1, then the six amounts.
    void Serialize(ArchiveWrapper& ar);

private:
    std::array<CMoney, kAmounts> m_amounts;
};

using CostPriceDTOPtr = std::shared_ptr<CostPriceDTO>;
