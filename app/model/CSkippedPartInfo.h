#pragma once

#include "model/ISerializeable.h"

#include <QString>

#include <cstdint>

// Why copies of a part were not placed. The codes are shared with the
// optimizer's skip reasons; the part stores them in the project file.
class CSkippedPartInfo : public ISerializeable
{
public:
    enum Reason : std::uint32_t {
        None = 0,
        Undetermined = 1,
        NoMaterial = 2,
        NoStockSize = 3,
        NoStockThickness = 4,
        NoStockWL = 5,
        ExcludedPart = 6,
        NoInventory = 7,
        ManualEdit = 8
    };

    CSkippedPartInfo() = default;
    explicit CSkippedPartInfo(std::uint32_t reason)
        : m_reason(reason)
    { }

    bool IsSkipped() const { return m_reason != None; }
    void SetReason(std::uint32_t reason) { m_reason = reason; }
    void ClearReason() { m_reason = None; }
    std::uint32_t GetReason() const { return m_reason; }

    // Brief text for the take-off lists; empty for 0, 6 and unknown codes.
    QString GetReasonText() const;
    // Long description for the Skipped Parts report.
    QString GetReasonDescription() const;

    // int32 version 0, then the uint32 reason (stored unchecked).
    void Serialize(ArchiveWrapper& ar) override;

private:
    std::uint32_t m_reason = None;
};
