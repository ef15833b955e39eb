#pragma once
// One grid's record in the grid-state file: which columns are hidden, where
// the shown ones stand and where a hidden one comes back. A record that
// does not fit the manager's columns is refused with an archive error, so
// that the reader stops there and the grid keeps its default layout.

#include "foundation/ArchiveWrapper.h"
#include "grids/CGridDisplayManager.h"

#include <platform/ArchiveError.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

namespace gridstate {
// The first word of the current record form; older records start with the count.
constexpr std::int32_t kRecordMark = 100;

inline void Refuse(ArchiveWrapper& ar)
{
    throw platform::ArchiveError(platform::ArchiveError::BadSchema, ar.GetFilePath().toStdString(),
        "grid state record does not fit the grid");
}
} // namespace gridstate

// Writes the manager's record, or reads one and applies it to the manager
// and its grid. The caller re-reads the grid positions before storing when
// the user may have moved columns.
template <class RowT, class Storage>
void SerializeGridState(ArchiveWrapper& ar, CGridDisplayManager<RowT, Storage>& manager)
{
    const int count = manager.GetColumnCount();
    if (ar.IsStoring()) {
        ar.Write(gridstate::kRecordMark);
        ar.Write(static_cast<std::int32_t>(count));
        for (int c = 0; c < count; ++c) {
            const auto* column = manager.GetColumn(c);
            ar.Write(static_cast<std::int32_t>(column->IsHidden() ? 1 : 0));
            ar.Write(static_cast<std::int32_t>(column->GetOrderPosition()));
            if (!column->IsHidden())
                ar.Write(static_cast<std::int32_t>(column->GetGridPosition()));
        }
        return;
    }

    std::int32_t first = 0;
    ar.Read(first);
    const bool currentForm = first >= gridstate::kRecordMark;
    std::int32_t n = first;
    if (currentForm)
        ar.Read(n);
    if (n != count)
        gridstate::Refuse(ar);
    std::vector<std::int32_t> hidden(static_cast<std::size_t>(n), 0);
    std::vector<std::int32_t> current(static_cast<std::size_t>(n), -1);
    std::vector<std::int32_t> remembered(static_cast<std::size_t>(n), -1);
    std::set<std::int32_t> rememberedPlaces;
    for (std::size_t c = 0; c < hidden.size(); ++c) {
        ar.Read(hidden[c]);
        if (hidden[c] != 0 && hidden[c] != 1)
            gridstate::Refuse(ar);
        if (currentForm) {
            ar.Read(remembered[c]);
            // A remembered position is none (-1) or a place among the columns
            // that no other column claims: the program never writes one twice,
            // and a repeat would read back as another layout.
            if (remembered[c] < -1 || remembered[c] >= n
                || (remembered[c] >= 0 && !rememberedPlaces.insert(remembered[c]).second))
                gridstate::Refuse(ar);
        }
        if (hidden[c] == 0) {
            ar.Read(current[c]);
            if (current[c] < 0 || current[c] >= n)
                gridstate::Refuse(ar);
        }
    }
    // The first column stands first, and the shown columns fill the
    // positions from 0 without a gap (a repeated position passes).
    if (n > 0 && (hidden[0] != 0 || current[0] != 0))
        gridstate::Refuse(ar);
    std::set<std::int32_t> positions;
    for (std::size_t c = 0; c < hidden.size(); ++c)
        if (hidden[c] == 0)
            positions.insert(current[c]);
    if (!positions.empty() && *positions.rbegin() != static_cast<std::int32_t>(positions.size()) - 1)
        gridstate::Refuse(ar);

    std::vector<int> shown;
    for (int c = 0; c < count; ++c) {
        auto* column = manager.GetColumn(c);
        const auto index = static_cast<std::size_t>(c);
        column->SetHidden(hidden[index] != 0);
        column->SetGridPosition(hidden[index] != 0 ? -1 : current[index]);
        column->SetOrderPosition(remembered[index]);
        if (hidden[index] == 0)
            shown.push_back(c);
    }
    // The shown columns take their remembered positions in the order in
    // which they stand.
    std::vector<std::int32_t> shownRemembered;
    for (int c : shown)
        shownRemembered.push_back(remembered[static_cast<std::size_t>(c)]);
    std::sort(shownRemembered.begin(), shownRemembered.end());
    std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
        return current[static_cast<std::size_t>(a)] < current[static_cast<std::size_t>(b)];
    });
    for (std::size_t k = 0; k < shown.size(); ++k)
        manager.GetColumn(shown[k])->SetOrderPosition(shownRemembered[k]);

    manager.LayOutColumns();
    if (CUGRowMode* grid = manager.GetRowModeGrid())
        grid->FitColumnsByMode();
}
