#pragma once

#include "shell/controls/SwatchBarCtrl.h"

#include <QColor>

#include <span>

class QPainter;

// Fills a rectangle with a fill pattern in a colour: 0xFFFF solid,
// 0xFFFFFFFF hollow (white), else hatch lines of that style on white.
void FillPattern(
    QPainter& painter, const QRect& rect, std::uint32_t pattern, const QColor& color = Qt::black);

// The pattern bar: eight cells (six hatches, solid, hollow) and a default
// button; it never has a custom button.
class CTCPPatternPickerCtrl : public SwatchBarCtrl
{
    Q_OBJECT

public:
    static constexpr std::uint32_t kSolid = 0xFFFF;
    static constexpr std::uint32_t kHollow = 0xFFFFFFFF;

    CTCPPatternPickerCtrl(int buttonCount, int rowCount, std::uint32_t defaultValue, int buttonWidth,
        int buttonHeight, const QString& defaultButtonText = {});

    // The eight patterns in cell order.
    static std::span<const std::uint32_t> StandardPatterns();

    // Always without a custom button.
    bool Create(QWidget* owner, std::uint32_t flags);
    bool Pick(int alignment, const QRect* rect, int dx, int dy) override;

protected:
    void FillSwatch(QPainter& painter, const QRect& rect, std::uint32_t value) const override;
};
