#pragma once
// The iterative creator: for every new sheet it fills a trial sheet on each
// usable stock (all from the same remaining copies), improves each by
// TryOCD, and commits the one the layouts comparer likes best (ties keep
// the earlier stock of the list), then its duplicates. With the full-cost
// comparer the chosen sheet may be split into cheaper sheets instead. The
// stock list keeps the stock comparer's order for the whole run.

#include "CInitialLayoutsCreator.h"

namespace optimization {

class CIterativeLOCreator : public CInitialLayoutsCreator
{
public:
    using CInitialLayoutsCreator::CInitialLayoutsCreator;

    void Create() override;
};

} // namespace optimization
