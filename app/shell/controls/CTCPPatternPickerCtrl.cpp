#include "shell/controls/CTCPPatternPickerCtrl.h"

#include "platform/ui/ColorRef.h"

#include <QPainter>

namespace {

constexpr std::uint32_t kStandardPatterns[8] = {
    3,
    4,
    5,
    2,
    0,
    1,
    CTCPPatternPickerCtrl::kSolid,
    CTCPPatternPickerCtrl::kHollow,
};

} // namespace

void FillPattern(QPainter& painter, const QRect& rect, std::uint32_t pattern, const QColor& color)
{
    if (pattern == CTCPPatternPickerCtrl::kSolid) {
        painter.fillRect(rect, color);
        return;
    }
    painter.fillRect(rect, Qt::white);
    if (pattern == CTCPPatternPickerCtrl::kHollow || pattern > 5)
        return;
    painter.fillRect(rect, QBrush(color, platform::HatchBrushStyle(static_cast<int>(pattern))));
}

CTCPPatternPickerCtrl::CTCPPatternPickerCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue,
    int buttonWidth, int buttonHeight, const QString& defaultButtonText)
    : SwatchBarCtrl(buttonCount, rowCount, defaultValue, buttonWidth, buttonHeight, defaultButtonText)
{ }

std::span<const std::uint32_t> CTCPPatternPickerCtrl::StandardPatterns()
{
    return kStandardPatterns;
}

bool CTCPPatternPickerCtrl::Create(QWidget* owner, std::uint32_t flags)
{
    return COXPopupBarCtrl::Create(owner, flags | NoCustomButton);
}

bool CTCPPatternPickerCtrl::Pick(int alignment, const QRect* rect, int dx, int dy)
{
    return PickFrom(kStandardPatterns, kSolid, alignment, rect, dx, dy);
}

void CTCPPatternPickerCtrl::FillSwatch(QPainter& painter, const QRect& rect, std::uint32_t value) const
{
    FillPattern(painter, rect, value);
}
