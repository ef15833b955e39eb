#pragma once

#include <memory>

class CMaterialEx;
class CommandBase;
class GrainInfo;

// The factory of a material's edit commands; the sheet good supplies them.
class IEditableMaterial
{
public:
    virtual ~IEditableMaterial() = default;
    virtual std::shared_ptr<CommandBase> CreateGrainEdit(const GrainInfo&) { return nullptr; }
    virtual std::shared_ptr<CommandBase> CreateNewCommand() { return nullptr; }
    // The edit from this material to an edited copy of it.
    virtual std::shared_ptr<CommandBase> CreateEditCommand(const std::shared_ptr<CMaterialEx>&) { return nullptr; }
    virtual void ResetPinnableIDs() {}
};
