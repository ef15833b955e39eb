#pragma once
// Parts are referred to in project files by their part numbers and found
// again in the project's parts list, which a project file's identity mapper
// carries as its context while the file is read.

#include <cstdint>
#include <memory>
#include <vector>

class ArchiveWrapper;
class CMilledPart;
class IdentityMapper;

// The context of a project file's identity mapper: the project's parts.
using ProjectPartList = std::vector<CMilledPart*>;

// int32 count, then each part's number.
void StorePartNumbers(const std::vector<CMilledPart*>& parts, ArchiveWrapper& ar);
// A negative count is a damaged file: the bad-schema archive error.
void LoadPartNumbers(ArchiveWrapper& ar, std::vector<std::int32_t>& numbers);
// Appends the part of each number, in order; false at the first number
// without a part (the parts found so far stay appended).
bool ResolvePartNumbers(const std::vector<std::int32_t>& numbers, const std::shared_ptr<IdentityMapper>& mapper,
                        std::vector<CMilledPart*>& parts);
CMilledPart* FindPartByNumber(const std::vector<CMilledPart*>& parts, std::int32_t number);
CMilledPart* FindPartByNumberInContext(std::int32_t number, const std::shared_ptr<IdentityMapper>& mapper);
