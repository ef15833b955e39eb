#pragma once
// Sequence creators: the stock sizes are taken in one fixed order, and
// sheets are opened on each stock while it lasts. A filled sheet may move to
// a later stock that takes all its copies (size comparer only), a wasteful
// sheet looks for a later stock that serves better, and with the full-cost
// comparer a sheet may be split into cheaper sheets. When a limited stock
// runs out, the stock list is ordered again and the walk resumes after the
// stock that preceded the used-up one.
//
// The plain creator orders the stock by the stock comparer; the largest-,
// widest- and longest-first creators order it by trimmed area, width or
// length. Reads the stock comparer's preferences, kind and unit-area flag
// and the layouts comparer's waste constraint and objective.

#include "CInitialLayoutsCreator.h"

#include <cstddef>
#include <vector>

namespace optimization {

class PartProxy;

class CSequenceLOCreator : public CInitialLayoutsCreator
{
public:
    using CInitialLayoutsCreator::CInitialLayoutsCreator;

    void Create() override;
    virtual bool MovesSheetsToLaterStocks() const { return false; }

protected:
    // The stock preferences over the prepared order: stocks with sheets left
    // first (inventory first), then off-cuts first, which thus dominates.
    void ApplyPreferences();
    // Tries the stocks after the walk's current stock, each time moving the
    // sheet to one that takes every copy it holds.
    void MoveToLaterStocks(std::unique_ptr<OptTopLevelLayout>& sheet, const StockUsageTracker& current);
    // A later stock whose sheet is not wasteful, or that the stock comparer
    // prefers; null when the sheet stays as it is.
    std::unique_ptr<OptTopLevelLayout> TryLaterStocks(const OptTopLevelLayout& sheet, bool strict);
    // After `stock` took its last sheet: the list is ordered again and the
    // walk position follows its anchor, or the walk restarts.
    void Reposition(const StockProxy* stock);

private:
    std::size_t IndexOf(const StockProxy* stock) const;

    std::size_t m_position = 0;
    bool m_restart = false;
};

class CLargestFirstSequenceCreator : public CSequenceLOCreator
{
public:
    using CSequenceLOCreator::CSequenceLOCreator;
    void Prepare() override;
    bool MovesSheetsToLaterStocks() const override;
};

class CWidestFirstSequenceCreator : public CSequenceLOCreator
{
public:
    using CSequenceLOCreator::CSequenceLOCreator;
    void Prepare() override;
    bool MovesSheetsToLaterStocks() const override;
};

class CLongestFirstSequenceCreator : public CSequenceLOCreator
{
public:
    using CSequenceLOCreator::CSequenceLOCreator;
    void Prepare() override;
    bool MovesSheetsToLaterStocks() const override;
};

} // namespace optimization
