#pragma once
// A line of the project's parts list. CPartEx holds what every part has
// (identifier, texts, copies); CMilledPart, the one concrete part, adds the
// sizes, the material link, the placement counts of the last optimization and
// of manual editing, and the skip information.

#include "foundation/CDimension.h"
#include "model/CPartID.h"
#include "model/CSkippedPartInfo.h"
#include "model/IPartsDoc.h"

#include <QString>

#include <cstdint>
#include <memory>

class ArchiveWrapper;
class CSheetGoodEx;
class IdentityMapper;
class OptTargetCriteria;

class CPartEx
{
public:
    CPartEx() = default;
    explicit CPartEx(const CPartID& id)
        : m_id(id)
    { }
    virtual ~CPartEx() = default;

    // Identifier, description, copies, notes, user information; clears the lock.
    virtual void AssignBase(const CPartEx& other);
    virtual CPartEx* Clone() const { return nullptr; }
    virtual int GetTypeTag() const { return 0; }
    virtual int Query4() const { return 0; }
    virtual std::uint64_t GetChangeMask(const CPartEx& /*other*/) const { return 0; }
    virtual std::uint64_t GetDetailMask(const CPartEx& /*other*/) const { return 0; }
    virtual void Hook7(int /*argument*/) { }
    virtual bool Query8() const { return true; }
    virtual QString GetDescription() const { return m_description; }
    virtual bool Query10() const { return false; }
    virtual bool IsEqual(const CPartEx& other) const;
    virtual QString GetTypeName() const { return QString(); }
    virtual QString GetNotesPrefix() const { return QString(); }
    // The part block: int32 schema 7, texts, copies, lock, identifier.
    virtual void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper);
    virtual void RelinkMaterialToLibrary() { }
    virtual void ClearHandPlacedCopies() { }
    virtual void SetCopies(std::uint32_t copies) { m_copies = copies; }
    virtual void ResolveReferences(const std::shared_ptr<IdentityMapper>& /*mapper*/) { }

    const CPartID& GetID() const { return m_id; }
    CPartID& GetIDForEdit() { return m_id; }
    void SetDescription(const QString& text) { m_description = text; }
    std::uint32_t GetCopies() const { return m_copies; }
    const QString& GetSpecialNotes() const { return m_specialNotes; }
    void SetSpecialNotes(const QString& text) { m_specialNotes = text; }
    const QString& GetUserInfo() const { return m_userInfo; }
    void SetUserInfo(const QString& text) { m_userInfo = text; }
    bool IsLocked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    QString GetSpecialNotesText() const { return GetNotesPrefix() + m_specialNotes; }
    QString FormatCopies() const { return QString::number(m_copies); }

    static constexpr std::int32_t kSchema = 7;

protected:
    CPartEx(const CPartEx&) = default;
    CPartEx& operator=(const CPartEx&) = default;

private:
    CPartID m_id;
    QString m_description;
    std::uint32_t m_copies = 1;
    QString m_specialNotes;
    QString m_userInfo;
    bool m_locked = false;
};

struct PartStats
{
    std::uint32_t copies = 0;
    std::uint32_t unplacedCopies = 0;
    double totalArea = 0.0; // square inches over all copies
    double totalPerimeter = 0.0; // inches over all copies
};

class CMilledPart : public CPartEx
{
public:
    static constexpr int kTypeTag = 1;
    static constexpr std::int32_t kSchema = 9;

    CMilledPart();
    explicit CMilledPart(const CPartID& id);
    CMilledPart(const CMilledPart& other);
    CMilledPart& operator=(const CMilledPart& other);
    ~CMilledPart() override;

    void AssignBase(const CPartEx& other) override { CPartEx::AssignBase(other); }
    CMilledPart* Clone() const override { return new CMilledPart(*this); }
    int GetTypeTag() const override { return kTypeTag; }
    int Query4() const override { return 1; }
    std::uint64_t GetChangeMask(const CPartEx& other) const override;
    std::uint64_t GetDetailMask(const CPartEx& other) const override;
    bool IsEqual(const CPartEx& other) const override;
    QString GetTypeName() const override;
    void Serialize(ArchiveWrapper& ar, const std::shared_ptr<IdentityMapper>& mapper) override;
    void RelinkMaterialToLibrary() override;
    // Hands this part and the values to the document, which takes them.
    void AcceptPairVisitor(IPartsDoc& document, const CMilledPart& values) { document.UpdatePart(this, values); }
    void ClearHandPlacedCopies() override { m_handPlaced = 0; }
    void ResolveReferences(const std::shared_ptr<IdentityMapper>& mapper) override;
    // Full copy: identifier, texts, copies, sizes, material, counts; not the
    // skip information; clears the lock.
    virtual void Assign(const CMilledPart& other);
    virtual bool Query22() const { return false; }
    virtual bool Query23() const { return false; }
    // Larger area, compared as the 64-bit product of the counts.
    virtual bool IsLargerThan(const CMilledPart& other) const;
    virtual void SetWidth(const CDimension& width) { m_width = width; }
    virtual void SetLength(const CDimension& length) { m_length = length; }
    virtual bool Query27() const { return true; }

    const CDimension& GetThickness() const { return m_thickness; }
    void SetThickness(const CDimension& thickness) { m_thickness = thickness; }
    const CDimension& GetWidth() const { return m_width; }
    const CDimension& GetLength() const { return m_length; }

    // The material link; never empty (the default material stands in).
    std::shared_ptr<CSheetGoodEx> GetMaterial() const { return m_material; }
    void SetMaterial(std::shared_ptr<CSheetGoodEx> material);
    // The material the part is listed and optimized with: while its own was
    // deleted from the library (a placeholder kept for an undo), the default
    // material, as a reopened file would have it.
    std::shared_ptr<CSheetGoodEx> GetMaterialInUse() const;
    QString GetMaterialName() const;
    int GetMaterialKind() const;
    QString GetMaterialCellText() const;
    // Parts must follow the material's grain: not square, an optimizable
    // material, and the material has grain.
    bool HasGrainConstraint() const;
    std::shared_ptr<OptTargetCriteria> CreateOptimizationTarget() const;
    // Copies, sizes (within the length tolerance) or the material object differ.
    bool OptimizationDataChanged(const CMilledPart& other) const;

    // Counts. Differences are clamped at 0: a count never wraps around.
    std::uint32_t GetCopiesForOptimizer() const;
    std::uint32_t GetPlacedCopies() const { return m_optimizerPlaced + m_handPlaced; }
    std::uint32_t GetUnplacedCopies() const;
    bool HasUnplacedCopies() const { return GetUnplacedCopies() != 0; }
    bool IsEntirelyUnplaced() const;
    std::uint32_t GetOptimizerPlacedCopies() const { return m_optimizerPlaced; }
    void SetOptimizerPlacedCopies(std::uint32_t n) { m_optimizerPlaced = n; }
    void ClearOptimizerPlacedCopies() { m_optimizerPlaced = 0; }
    std::uint32_t GetHandPlacedCopies() const { return m_handPlaced; }
    bool HasHandPlacedCopies() const { return m_handPlaced != 0; }
    void AddHandPlacedCopies(std::uint32_t n) { m_handPlaced += n; }
    // Moves n copies from the optimizer's to the hand-placed count.
    void MoveToHandPlaced(std::uint32_t n);
    // The reverse moves: n hand-placed copies go back to the optimizer's
    // count, or are taken away; never more than are hand-placed.
    void MoveFromHandPlaced(std::uint32_t n);
    void RemoveHandPlacedCopies(std::uint32_t n);
    std::uint32_t GetDraggedOffCopies() const { return m_draggedOff; }
    void SetDraggedOffCopies(std::uint32_t n) { m_draggedOff = n; }
    void AddDraggedOffCopies(std::uint32_t n) { m_draggedOff += n; }

    const CSkippedPartInfo& GetSkippedPartInfo() const { return m_skipInfo; }
    // Reason 8 while copies are dragged off, else the stored information.
    CSkippedPartInfo GetSkipInfo() const;
    // Ignored for reason 8 and for a part without copies.
    void SetSkipReason(std::uint32_t reason);

    double GetArea() const;
    double GetPerimeter() const;
    double GetPaddedArea(double pad) const;
    PartStats GetPartStats() const;

    QString FormatPlacedOfCopies() const;
    QString FormatUnplacedOfCopies() const;

private:
    CDimension m_thickness;
    CDimension m_width;
    CDimension m_length;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::uint32_t m_optimizerPlaced = 0;
    std::uint32_t m_handPlaced = 0;
    std::uint32_t m_draggedOff = 0;
    CSkippedPartInfo m_skipInfo;
};

// The load factory of the parts list: type tag 1 makes a default CMilledPart.
CPartEx* CreateMilledPart(int typeTag);
