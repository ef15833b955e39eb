#include "JobPolicy.h"

namespace optimization {

JobPolicy::JobPolicy(const JobPolicy& other)
    : localOpt(other.localOpt)
    , stockComparer(other.stockComparer ? other.stockComparer->Clone() : nullptr)
    , layoutsComparer(other.layoutsComparer)
{
}

JobPolicy& JobPolicy::operator=(const JobPolicy& other)
{
    if (this != &other) {
        localOpt = other.localOpt;
        stockComparer = other.stockComparer ? other.stockComparer->Clone() : nullptr;
        layoutsComparer = other.layoutsComparer;
    }
    return *this;
}

void JobPolicy::SetStockComparer(std::unique_ptr<ParStockComparer> comparer)
{
    if (comparer.get() == stockComparer.get()) {
        comparer.release(); // the same object: keep it, owned once
        return;
    }
    stockComparer = std::move(comparer);
}

} // namespace optimization
