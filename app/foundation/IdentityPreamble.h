#pragma once

#include <functional>
#include <memory>

class ArchiveWrapper;
class IdentityMapper;
class IManagedIdentity;

// The program's static default sheet good, which every file refers to under
// the identity it had when the file was written. The data model installs the
// provider at start-up; until then the preamble names no object.
using DefaultSheetGoodProvider = std::function<std::shared_ptr<IManagedIdentity>()>;
void SetDefaultSheetGoodProvider(DefaultSheetGoodProvider provider);

// Six 64-bit words before the first object: 0, 0, the default sheet good's
// identity, 0, 0, 0. Writing registers the default sheet good under its own
// identity; reading registers the running program's object under the stored
// one, so references to it resolve to the program's own object.
void WriteIdentityMapPreamble(ArchiveWrapper& ar, IdentityMapper& mapper);
void ReadIdentityMapPreamble(ArchiveWrapper& ar, IdentityMapper& mapper);
