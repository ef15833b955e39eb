#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class CMaterialEx;
class IManagedIdentity;

// Material kind of a sheet good in stored files.
inline constexpr std::uint32_t kMaterialKindSheetGood = 3;

// Materials read from files are made by kind. The sheet good registers
// itself for its kind; an unregistered kind makes nothing.
using MaterialCreator = std::function<std::shared_ptr<CMaterialEx>()>;
void RegisterMaterialKind(std::uint32_t kind, MaterialCreator creator);

std::shared_ptr<CMaterialEx> CreateMaterialByKind(std::uint32_t kind);
// The factory handed to the identity mapper when materials are read. A kind
// that makes no material gives nothing, which the mapper refuses with the
// archive error naming the file: a damaged file never leaves a null link.
std::shared_ptr<IManagedIdentity> MakeMaterialIdentity(std::uint32_t kind);
std::uint32_t GetMaterialKind(const CMaterialEx& material);

// The displayed name equals (with case) "Not Specified".
bool IsNotSpecifiedName(const CMaterialEx& material);
// Equal grain information and equal saw setups.
bool HaveSameCuttingData(const CMaterialEx& a, const CMaterialEx& b);
