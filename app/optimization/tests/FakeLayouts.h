#pragma once
// Result layouts and an optimizer made by hand, standing in for the
// optimizer library's answer.

#include <nestcore/IParallelOptimizer.h>
#include <nestcore/ITopLevelLayout.h>
#include <nestcore/PartProxy.h>
#include <nestcore/PlacedPart.h>
#include <nestcore/StockProxy.h>

#include <map>
#include <memory>
#include <vector>

class FakeLayout : public optimization::ITopLevelLayout
{
public:
    FakeLayout(const optimization::StockProxy* stock, optimization::GeometryStyle style = optimization::StandardLayout)
        : m_stock(stock), m_style(style)
    { }

    // The placed parts of one style; the layout's own style by default.
    FakeLayout& Place(const optimization::PartProxy* part, optimization::OptRect rect, bool rotated = false,
                      int style = -1)
    {
        auto& placed = m_parts[style < 0 ? m_style : style];
        placed.push_back(std::make_shared<optimization::PlacedPart>(part, rect, rotated));
        return *this;
    }
    // A style with its parts (possibly none).
    FakeLayout& AddStyle(int style)
    {
        m_parts[style];
        return *this;
    }

    bool IsDuplicate() const override { return duplicate; }
    const optimization::StockProxy* GetStockProxy() const override { return m_stock; }
    std::int32_t GetDuplicateCount() const override { return duplicates; }
    optimization::GeometryStyle GetGeometryStyle() const override { return m_style; }
    bool HasStyleLayout(optimization::GeometryStyle style) const override { return m_parts.count(style) != 0; }
    ITopLevelLayout* GetStyleLayout(optimization::GeometryStyle style) const override
    {
        auto copy = new FakeLayout(m_stock, style);
        copy->m_parts[style] = m_parts.at(style);
        copy->cuts = cuts + style;
        return copy;
    }
    const std::vector<optimization::PlacedPart*>& GetPlacedParts() const override
    {
        m_view.clear();
        if (const auto it = m_parts.find(m_style); it != m_parts.end())
            for (const auto& placed : it->second)
                m_view.push_back(placed.get());
        return m_view;
    }
    std::int32_t GetNumberOfCuts(bool withPadding) const override { return withPadding ? cuts + 100 : cuts; }
    double GetCutLengthInches(bool withPadding) const override { return withPadding ? 50.5 : 40.25; }

    bool duplicate = false;
    std::int32_t duplicates = 0;
    std::int32_t cuts = 3;

private:
    const optimization::StockProxy* m_stock;
    optimization::GeometryStyle m_style;
    std::map<int, std::vector<std::shared_ptr<optimization::PlacedPart>>> m_parts;
    mutable std::vector<optimization::PlacedPart*> m_view;
};

class FakeOptimizer : public optimization::IParallelOptimizer
{
public:
    bool Run() override
    {
        ++runs;
        return answer;
    }
    void GetLayouts(std::vector<optimization::ITopLevelLayout*>& out) const override
    {
        for (const auto& layout : layouts)
            out.push_back(layout.get());
    }
    const optimization::PartUsageMap& GetPartUsage() const override { return usage; }

    // A tracker of the part with its placed count and reason.
    void Report(const optimization::PartProxy* part, std::uint32_t placed, optimization::SkipReason reason)
    {
        auto tracker = std::make_shared<optimization::PartUsageTracker>(part);
        for (std::uint32_t i = 0; i < placed; ++i)
            tracker->IncrementPlacedCount();
        if (reason != optimization::SkipNone)
            tracker->SetAllCopiesSkippedPreOpt(reason);
        usage[part] = tracker;
    }

    bool answer = true;
    int runs = 0;
    std::vector<std::unique_ptr<FakeLayout>> layouts;
    optimization::PartUsageMap usage;
};
