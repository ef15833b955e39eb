#pragma once
// Orders proxies by their place in the factory's vectors (see ProxyPosition).

#include <nestcore/ProxyPosition.h>

namespace optimization {

struct ProxyOrder {
    bool operator()(const ProxyPosition* a, const ProxyPosition* b) const
    {
        return a->RanksBefore(*b);
    }
};

} // namespace optimization
