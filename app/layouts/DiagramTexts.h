#pragma once
// The texts written on and above a diagram: the header items of the main
// diagram and of printed layouts, and the part labels.

#include "optimization/DisplayDiagram.h"

#include <QString>

class CMilledPart;
class DrawnPart;

// "[A3] Plywood: 48 x 96 " (the blank only for a caption number other than
// 0). The letter comes from the diagram index; a diagram the index does not
// know (yet) has none.
QString StockCaptionText(const DisplayDiagram& diagram, int captionNumber);
QString GrainText(const DisplayDiagram& diagram);
QString VendorText(const DisplayDiagram& diagram);
QString BinText(const DisplayDiagram& diagram);
QString DiagramOfText(int number, int count);
QString SizeCountText(int number, int count);
QString QuantityText(const DisplayDiagram& diagram);
QString StockTrimText(const DisplayDiagram& diagram);
QString KerfText(const DisplayDiagram& diagram);
QString WasteText(const DisplayDiagram& diagram);
QString DiagramNumberText(int number);

// The plain label of a drawn part from the label preferences; empty when
// none of them is on.
QString PlainPartLabelText(const DrawnPart& drawn);
// The fancy label's third text: turn mark, description, user information.
QString FancyPartLabelText(const DrawnPart& drawn);
