#pragma once
// One part handed to the optimizer: the program's opaque handle and a copy
// of the part's descriptor.

#include <nestcore/PartDescriptor.h>
#include <nestcore/ProxyPosition.h>
#include <nestcore_export.h>

class CMilledPart;

namespace optimization {

class NESTCORE_EXPORT PartProxy : public ProxyPosition
{
public:
    PartProxy(const CMilledPart* part, const PartDescriptor& descriptor);

    const CMilledPart* GetPart() const { return m_part; }
    const PartDescriptor& GetDescriptor() const { return m_descriptor; }

private:
    const CMilledPart* m_part; // never read
    PartDescriptor m_descriptor;
};

} // namespace optimization
