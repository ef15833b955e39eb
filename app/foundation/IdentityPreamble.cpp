#include "foundation/IdentityPreamble.h"

#include "foundation/ArchiveWrapper.h"
#include "foundation/IdentityMapper.h"

#include <cstdint>

namespace {

DefaultSheetGoodProvider& Provider()
{
    static DefaultSheetGoodProvider provider;
    return provider;
}

std::shared_ptr<IManagedIdentity> DefaultSheetGood()
{
    return Provider() ? Provider()() : nullptr;
}

} // namespace

void SetDefaultSheetGoodProvider(DefaultSheetGoodProvider provider)
{
    Provider() = std::move(provider);
}

void WriteIdentityMapPreamble(ArchiveWrapper& ar, IdentityMapper& mapper)
{
    const auto defaultSheetGood = DefaultSheetGood();
    const std::uint64_t identity = defaultSheetGood ? defaultSheetGood->GetIdentity() : 0;
    ar.Write(std::uint64_t { 0 }).Write(std::uint64_t { 0 }).Write(identity);
    ar.Write(std::uint64_t { 0 }).Write(std::uint64_t { 0 }).Write(std::uint64_t { 0 });
    mapper.Register(defaultSheetGood);
}

void ReadIdentityMapPreamble(ArchiveWrapper& ar, IdentityMapper& mapper)
{
    if (!ar.IsAvailable())
        return;
    std::uint64_t word = 0;
    ar.Read(word).Read(word).Read(word);
    // Identity 0 is no object's (it is how an empty reference is stored): a
    // file that names no default sheet good must not turn its empty
    // references into the program's default sheet good.
    if (const auto defaultSheetGood = DefaultSheetGood(); defaultSheetGood && word != 0)
        mapper.RegisterAs(word, defaultSheetGood);
    ar.Read(word).Read(word).Read(word);
}
