#pragma once
// The optimization state inside a project file, as the bill-of-materials
// manager stores and loads it with its parts: the project's bill of
// materials (with every material bill, its results and lines) and the
// targets. The pinned usage is not stored; loading rebuilds it from the
// loaded targets' pinned layouts.

#include <memory>

class ArchiveWrapper;
class IdentityMapper;
class OptTargetsMgr;
class PinnedUsage;
class SheetGoodsBOM;

// Schema 2 (no other is read), the bill's record, then the targets' record:
// every target when the project is locked, only those holding pinned layouts
// when it is not. Loading reads into new objects and takes them over only
// once the whole record has been read, replacing the bill's material bills,
// the targets and the usage; a damaged or truncated record leaves all of
// them, and the diagram numbering, as they were.
void SerializeOptimizationState(ArchiveWrapper& ar, bool locked,
    const std::shared_ptr<IdentityMapper>& mapper, SheetGoodsBOM& bom, OptTargetsMgr& targets,
    PinnedUsage& usage);

// Once every object of the project is read (or a locked copy is made): the
// materials and stock rows of bills, lines, targets and diagrams become the
// mapper's canonical objects.
void ResolveOptimizationStateReferences(
    const std::shared_ptr<IdentityMapper>& mapper, SheetGoodsBOM& bom, OptTargetsMgr& targets);
