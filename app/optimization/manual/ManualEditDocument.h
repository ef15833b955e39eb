#pragma once
// How the layout editing commands reach the project: through the document
// interface of the optimization layer, which the project document implements.

#include <memory>

class BOMOptMgr;
class CommandBase;
class IOptimizationDoc;

// The document the history set as the command's target; null before that,
// or for a document that holds no optimization results.
IOptimizationDoc* GetOptimizationDoc(const CommandBase& command);
// Its optimization manager; null without one.
std::shared_ptr<BOMOptMgr> GetOptimizationMgr(const CommandBase& command);
void MarkProjectModified(const CommandBase& command);

// Preference "Hide Layout Dupes": a stack of identical sheets is shown as one
// diagram, and an edit applies to all its copies.
bool IsHidingLayoutDupes();
