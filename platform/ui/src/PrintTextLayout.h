#pragma once
// Text measured for a 1440-dpi device, so that one unit is one twip and the
// measures match what the pages play back.

#include "PrintPageRecord.h"

#include <QFont>

#include <vector>

class QPaintDevice;

namespace platform {

// The font drawn and measured: its pixel size is its size in twips.
QFont TwipsFont(const PrintFont& font);
const QPaintDevice* TwipsDevice();

double TwipsTextWidth(const PrintFont& font, const QString& text);
double TwipsLineHeight(const PrintFont& font);
double TwipsAscent(const PrintFont& font);

struct LaidOutLine
{
    QString text;
    double x = 0.0; // from the left of the width
    double top = 0.0; // from the top of the first line
};

// Breaks text into lines at its line breaks and, with wrap, at word ends
// within width; without wrap a line longer than width ends in "...". The
// lines are placed by the horizontal part of the alignment code. A width of
// 0 or less sets no limit.
std::vector<LaidOutLine> LayOutText(
    const PrintFont& font, const QString& text, double width, bool wrap, int alignment);

} // namespace platform
