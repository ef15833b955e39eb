#pragma once
// The program's splitter windows: a grid of rows x columns cells in which one
// of the two counts is 1 (rows stack top to bottom, columns left to right).

class QSplitter;
class QWidget;

// A splitter child of parent; Qt's parent ownership deletes it with the
// parent. Dragging a bar moves a line and the panes follow on release, as
// the bars of every page do; no pane collapses unless a caller allows it.
QSplitter* CreateSplitter(QWidget* parent, int rows, int columns);
