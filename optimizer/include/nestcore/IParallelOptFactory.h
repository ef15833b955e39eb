#pragma once
// Builds the optimizer of one target from the program's argument block.

#include <nestcore_export.h>

#include <cstdint>

namespace optimization {

class IParallelOptimizer;
struct OptFactoryArgs;

class NESTCORE_EXPORT IParallelOptFactory
{
public:
    // A new optimizer that the caller owns and deletes. Null when the
    // arguments are missing, a length (of a stock, part, trim, kerf or
    // padding) is negative or beyond OptDim::MAX_INCHES, the parts ask for
    // more than MAX_COPIES copies in all, or memory runs out; nothing is
    // thrown.
    // The factory numbers the given proxies by their place in the two
    // vectors, so that every order inside the run follows the program's.
    static IParallelOptimizer* CreateOptimizer(const OptFactoryArgs* args);

    // Every copy costs the run time and memory; a target beyond this many
    // copies would run for minutes and take gigabytes.
    static constexpr std::uint64_t MAX_COPIES = 100000;

    IParallelOptFactory() = default;
    IParallelOptFactory(const IParallelOptFactory&) = default;
    IParallelOptFactory& operator=(const IParallelOptFactory&) = default;
};

} // namespace optimization
