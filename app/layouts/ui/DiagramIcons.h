#pragma once
// The 16 x 16 pictures of the layouts page's small buttons, drawn in code.

#include <QIcon>

enum class DiagramIcon { Turn, LabelStyle, CheckAll, UncheckAll, QuickPrint, PinAll, Checked, Unchecked };

QIcon MakeDiagramIcon(DiagramIcon kind);
// The picture itself (the check boxes of the thumbnails are 13 x 13).
QPixmap MakeDiagramPixmap(DiagramIcon kind, int size = 16);
