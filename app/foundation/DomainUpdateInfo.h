#pragma once

#include <memory>

class OptimizationTarget;
class IOptimizableMaterial;
class IManagedIdentity;

// The typed payload of an update hint: yes/no questions about what an edit did
// to the domain data. The predicates keep a fixed order because senders and
// receivers agree on them by position; the document acts on HasChanges,
// UpdatesMaterialInBOM and NeedsBOMRefresh after every command, and on
// NeedsRebuild when it hands the payload to its bills of materials (rebuild
// every result from the parts rather than reset only the affected targets).
// The QueryN predicates are those whose meaning the receiving views give.
// The queries that take a domain object take it by value and release it.
class DomainUpdateInfo
{
public:
    virtual ~DomainUpdateInfo();

    virtual bool HasChanges() const = 0; // 1
    virtual bool Query2() const = 0; // 2
    virtual bool UpdatesMaterialInBOM() const; // 3
    virtual bool AffectsTarget(std::shared_ptr<OptimizationTarget> target) const = 0; // 4
    virtual bool Query5(std::shared_ptr<IManagedIdentity> object) const; // 5
    virtual bool InventoryUsageChanged() const = 0; // 6
    virtual bool Query7() const = 0; // 7
    virtual bool Query8() const = 0; // 8
    virtual bool Query9() const = 0; // 9
    virtual bool InventoryFirstChanged() const = 0; // 10
    virtual bool AffectsMaterial(std::shared_ptr<IOptimizableMaterial> material) const; // 11
    virtual bool NeedsBOMRefresh() const = 0; // 12
    virtual bool Query13() const; // 13
    virtual bool NeedsRebuild() const; // 14
};

// Everything changed: document-wide refreshes, a new materials folder.
class DefaultUpdateInfo : public DomainUpdateInfo
{
public:
    bool HasChanges() const override { return true; }
    bool Query2() const override { return true; }
    bool AffectsTarget(std::shared_ptr<OptimizationTarget>) const override { return true; }
    bool InventoryUsageChanged() const override { return true; }
    bool Query7() const override { return true; }
    bool Query8() const override { return true; }
    bool Query9() const override { return true; }
    bool InventoryFirstChanged() const override { return true; }
    bool NeedsBOMRefresh() const override { return true; }
    bool Query13() const override { return true; }
    bool NeedsRebuild() const override { return true; }
};

// No domain data changed: the payload of commands and scopes unless they say more.
class NullUpdateInfo : public DomainUpdateInfo
{
public:
    bool HasChanges() const override { return false; }
    bool Query2() const override { return false; }
    bool AffectsTarget(std::shared_ptr<OptimizationTarget>) const override { return false; }
    bool InventoryUsageChanged() const override { return false; }
    bool Query7() const override { return false; }
    bool Query8() const override { return false; }
    bool Query9() const override { return false; }
    bool InventoryFirstChanged() const override { return false; }
    bool NeedsBOMRefresh() const override { return false; }
};

// Flags set one by one by the edits that build it (hand edits of layouts, the
// general settings); all clear at construction.
class ManualUpdateInfo : public DomainUpdateInfo
{
public:
    bool HasChanges() const override { return m_flagA; }
    bool Query2() const override { return false; }
    bool AffectsTarget(std::shared_ptr<OptimizationTarget>) const override { return m_flagB; }
    bool InventoryUsageChanged() const override { return m_flagC; }
    bool Query7() const override { return m_flagD; }
    bool Query8() const override { return false; }
    bool Query9() const override { return false; }
    bool InventoryFirstChanged() const override { return m_flagE; }
    bool NeedsBOMRefresh() const override { return m_flagF; }

    void SetFlag1(bool on) { m_flagA = on; }
    void SetFlag4(bool on) { m_flagB = on; }
    void SetFlag6(bool on) { m_flagC = on; }
    void SetFlag7(bool on) { m_flagD = on; }
    void SetFlag10(bool on) { m_flagE = on; }
    void SetFlag12(bool on) { m_flagF = on; }

private:
    // Memory order D, A, B, C, F, E.
    bool m_flagD = false;
    bool m_flagA = false;
    bool m_flagB = false;
    bool m_flagC = false;
    bool m_flagF = false;
    bool m_flagE = false;
};
