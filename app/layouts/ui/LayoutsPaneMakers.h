#pragma once
// The tree and take-off panes each arrangement makes for itself, and the
// windows that show them.

#include <memory>

class ITakeOffCtrl;
class ITreeCtrl;
class QWidget;

// Null when the pane's window could not be made.
std::shared_ptr<ITreeCtrl> MakeLayoutsTreeCtrl(QWidget* parent);
std::shared_ptr<ITakeOffCtrl> MakeTakeOffCtrl(QWidget* parent);
// The pane's window; null when there is none.
QWidget* PaneWindowOf(const std::shared_ptr<ITreeCtrl>& tree);
QWidget* PaneWindowOf(const std::shared_ptr<ITakeOffCtrl>& takeOff);
