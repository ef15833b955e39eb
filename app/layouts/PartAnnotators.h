#pragma once
// What is written inside each part of a diagram: the plain label (one text
// fitted into the part) or the fancy one (a large part number, the sizes
// along two edges and a small text).

#include "platform/Rect.h"

#include <memory>

class DrawnPart;
class LayoutPainterStrategy;

class PartAnnotator
{
public:
    explicit PartAnnotator(LayoutPainterStrategy& painter)
        : m_painter(painter)
    { }
    virtual ~PartAnnotator() = default;
    // labelRect: the drawn part less the label inset; partRect: all of it.
    virtual void Annotate(
        const DrawnPart& drawnPart, const platform::Rect& labelRect, const platform::Rect& partRect)
        = 0;

protected:
    LayoutPainterStrategy& m_painter;
};

class PlainPartAnnotator : public PartAnnotator
{
public:
    using PartAnnotator::PartAnnotator;
    void Annotate(
        const DrawnPart& drawnPart, const platform::Rect& labelRect, const platform::Rect& partRect) override;
};

class FancyPartAnnotator : public PartAnnotator
{
public:
    using PartAnnotator::PartAnnotator;
    void Annotate(
        const DrawnPart& drawnPart, const platform::Rect& labelRect, const platform::Rect& partRect) override;
};

std::shared_ptr<PartAnnotator> MakePartAnnotator(LayoutPainterStrategy& painter, bool fancy);
