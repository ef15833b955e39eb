#pragma once
// Builds the optimizer of one target from the program's argument block.

#include <nestcore_export.h>

namespace optimization {

class IParallelOptimizer;
struct OptFactoryArgs;

class NESTCORE_EXPORT IParallelOptFactory
{
public:
    // A new optimizer that the caller owns and deletes. Null when the
    // arguments are missing, a length (of a stock, part, trim, kerf or
    // padding) is negative or beyond OptDim::MAX_INCHES, or memory runs out;
    // nothing is thrown.
    // The factory numbers the given proxies by their place in the two
    // vectors, so that every order inside the run follows the program's.
    static IParallelOptimizer* CreateOptimizer(const OptFactoryArgs* args);

    IParallelOptFactory() = default;
    IParallelOptFactory(const IParallelOptFactory&) = default;
    IParallelOptFactory& operator=(const IParallelOptFactory&) = default;
};

} // namespace optimization
