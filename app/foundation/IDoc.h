#pragma once

#include <memory>

class DomainUpdateInfo;
class UpdateHint;

// The operations of the project document that the command history needs. The
// document implements them; the foundation never sees the document itself.
class IDoc
{
public:
    virtual ~IDoc() = default;

    virtual bool IsProjectLocked() const = 0;
    // Sends the pending hint to every view and clears it.
    virtual void FlushPendingUpdate() = 0;
    // Merges a command's hint into the pending hint.
    virtual void AddPendingUpdate(const UpdateHint& hint) = 0;
    // Hands an edit's payload to the bills of materials (collects the material
    // items, or rebuilds everything when the payload asks for it).
    virtual void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo> info) = 0;
    virtual void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo> info) = 0;
    virtual void RefreshBOM() = 0;
    // After the materials library's file may have changed on disk (its folder
    // changed): writes the library when its folder holds none, else reloads
    // it from there. False when the reload failed and the library kept its
    // old state.
    virtual bool SyncMaterialsLibrary() = 0;
};
