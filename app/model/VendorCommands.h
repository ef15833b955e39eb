#pragma once
// The undoable changes of the library's vendor list. A removed vendor is only
// marked deleted, so rows that still refer to it read "<Deleted>" and undo
// puts the very same object back.

#include "foundation/DomainUpdateInfo.h"
#include "model/CVendor.h"
#include "model/MaterialCmd.h"

// Tells the views nothing beyond the hint's masks.
class VendorUpdateInfo : public NullUpdateInfo
{
};

class CVendorNew : public MaterialCmd
{
public:
    explicit CVendorNew(std::shared_ptr<CVendor> vendor);
    void Execute() override;
    void Undo() override;
    void Redo() override;
    const std::shared_ptr<CVendor>& GetVendor() const { return m_vendor; }

private:
    std::shared_ptr<CVendor> m_vendor;
};

class CVendorDelete : public MaterialCmd
{
public:
    explicit CVendorDelete(std::shared_ptr<CVendor> vendor);
    void Execute() override;
    void Undo() override;
    void Redo() override;

private:
    std::shared_ptr<CVendor> m_vendor;
};

class CVendorEdit : public MaterialCmd
{
public:
    // vendor is the library's object; newValues holds the edited name.
    CVendorEdit(std::shared_ptr<CVendor> vendor, std::shared_ptr<CVendor> newValues);
    void Execute() override;
    void Undo() override;
    void Redo() override;

private:
    std::shared_ptr<CVendor> m_vendor;
    std::shared_ptr<CVendor> m_newValues;
    std::shared_ptr<CVendor> m_oldValues;
};
