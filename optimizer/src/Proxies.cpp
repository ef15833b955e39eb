#include <nestcore/OptTargetProxy.h>
#include <nestcore/PartProxy.h>
#include <nestcore/StockProxy.h>

#include <atomic>

namespace optimization {

namespace {
// Only breaks ties between proxies the factory has not placed; within one
// run every proxy has its own position.
std::atomic<std::uint64_t> g_nextSerial{0};
}

ProxyPosition::ProxyPosition() : m_serial(g_nextSerial.fetch_add(1))
{
    m_position = m_serial;
}

ProxyPosition::ProxyPosition(const ProxyPosition& other)
    : m_position(other.m_position), m_serial(g_nextSerial.fetch_add(1))
{
}

ProxyPosition& ProxyPosition::operator=(const ProxyPosition& other)
{
    m_position = other.m_position;
    return *this;
}

StockProxy::StockProxy(const IOptimizableSize* size, const IOptimizableMaterial* material,
                       const CanvasDescriptor& canvas, const InitialInventory& inventory,
                       const CuttingRules& rules)
    : m_size(size), m_material(material), m_canvas(canvas), m_inventory(inventory), m_rules(rules)
{
}

PartProxy::PartProxy(const CMilledPart* part, const PartDescriptor& descriptor)
    : m_part(part), m_descriptor(descriptor)
{
}

OptTargetProxy::OptTargetProxy() : m_target(nullptr), m_uid(0), m_materialUnusable(false) {}

OptTargetProxy::OptTargetProxy(OptimizationTarget* target, std::uint64_t uid,
                               bool materialUnspecifiedOrDeleted)
    : m_target(target), m_uid(uid), m_materialUnusable(materialUnspecifiedOrDeleted)
{
}

} // namespace optimization
