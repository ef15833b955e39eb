#pragma once
// The target of a run: the program's handle, its identity and whether its
// material can be used at all.

#include <nestcore_export.h>

#include <cstdint>

class OptimizationTarget;

namespace optimization {

class NESTCORE_EXPORT OptTargetProxy
{
public:
    OptTargetProxy();
    OptTargetProxy(OptimizationTarget* target, std::uint64_t uid,
                   bool materialUnspecifiedOrDeleted);

    OptimizationTarget* GetTarget() const { return m_target; }
    std::uint64_t GetUID() const { return m_uid; }
    bool IsMaterialUnspecifiedOrDeleted() const { return m_materialUnusable; }

private:
    OptimizationTarget* m_target; // never called
    std::uint64_t m_uid;
    bool m_materialUnusable;
};

} // namespace optimization
