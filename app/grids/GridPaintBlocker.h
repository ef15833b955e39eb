#pragma once
// Suspends a grid's repainting for as long as any copy of the shared blocker
// lives; the outermost release repaints.

#include "gridctrl/CUGRowMode.h"

class CGridPaintBlocker
{
public:
    explicit CGridPaintBlocker(CUGRowMode* grid) : m_grid(grid)
    {
        if (m_grid)
            m_grid->BeginRedrawSuspend();
    }
    ~CGridPaintBlocker()
    {
        if (m_grid)
            m_grid->EndRedrawSuspend();
    }
    CGridPaintBlocker(const CGridPaintBlocker&) = delete;
    CGridPaintBlocker& operator=(const CGridPaintBlocker&) = delete;

private:
    CUGRowMode* m_grid;
};
