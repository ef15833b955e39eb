// A grid's record in the grid-state file, over the take-off grid's eight
// columns: the bytes of one record, a store and load round trip, and the
// records that are refused without touching the grid's layout.
#include "grids/GridStateRecord.h"
#include "grids/CTakeOffGDM.h"

#include "FakePrefs.h"

#include "foundation/RealArchive.h"
#include "gridctrl/CUGRowMode.h"

#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Words(std::initializer_list<std::int32_t> values)
{
    std::string bytes;
    for (std::int32_t v : values)
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Store(CTakeOffGDM& manager)
{
    std::ostringstream out;
    platform::BinaryArchive archive = platform::BinaryArchive::storing(out, "GridStat.KWG");
    RealArchive ar(archive);
    SerializeGridState(ar, manager);
    archive.flush();
    return out.str();
}

// False when the record was refused.
bool Load(CTakeOffGDM& manager, const std::string& bytes)
{
    const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    platform::BinaryArchive archive = platform::BinaryArchive::loading(data, "GridStat.KWG");
    RealArchive ar(archive);
    try {
        SerializeGridState(ar, manager);
        return true;
    } catch (const platform::ArchiveError&) {
        return false;
    }
}

std::vector<int> GridPositions(const CTakeOffGDM& manager)
{
    std::vector<int> positions;
    for (int c = 0; c < TakeOffColumn::Count; ++c)
        positions.push_back(manager.GetColumn(c)->GetGridPosition());
    return positions;
}

class GridStateRecordTest : public ::testing::Test
{
protected:
    ScopedFakePrefs m_prefs;
    TakeOffRows m_rows;
    CTakeOffGDM m_manager { nullptr, &m_rows };
};

TEST_F(GridStateRecordTest, RecordOfOneGridWordByWord)
{
    m_manager.SetListKind(TakeOffListKind::UnplacedParts); // hides Diagram #s
    EXPECT_EQ(Store(m_manager),
        Words({ 100, 8, 0, 0, 0, 0, 1, 1, 0, 2, 2, 0, 3, 3, 0, 4, 4, 0, 5, 5, 0, 6, 6, 1, 7 }));
}

TEST_F(GridStateRecordTest, StoredLayoutComesBackOnAnotherGrid)
{
    CUGRowMode grid;
    grid.CreateGrid(0, platform::Rect(0, 0, 400, 200), nullptr, 1);
    grid.SetDataSource(grid.AddDataSource(&m_manager));
    m_manager.ShowInfoColumn(false);
    m_manager.SetListKind(TakeOffListKind::SelectedDiagram);
    const std::string bytes = Store(m_manager);

    TakeOffRows rows;
    CTakeOffGDM other(nullptr, &rows);
    CUGRowMode otherGrid;
    otherGrid.CreateGrid(0, platform::Rect(0, 0, 400, 200), nullptr, 1);
    otherGrid.SetDataSource(otherGrid.AddDataSource(&other));
    ASSERT_TRUE(Load(other, bytes));
    EXPECT_EQ(GridPositions(other), GridPositions(m_manager));
    EXPECT_FALSE(other.IsInfoColumnShown());
    EXPECT_EQ(otherGrid.GetColumnCount(), 5);
    EXPECT_EQ(Store(other), bytes);
}

TEST_F(GridStateRecordTest, RecordsThatDoNotFitAreRefused)
{
    const std::vector<int> before = GridPositions(m_manager);
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "other column count",
            Words({ 100, 7, 0, 0, 0, 0, 1, 1, 0, 2, 2, 0, 3, 3, 0, 4, 4, 0, 5, 5, 0, 6, 6 }) },
        { "first column hidden",
            Words({ 100, 8, 1, 0, 0, 1, 0, 0, 2, 1, 0, 3, 2, 0, 4, 3, 0, 5, 4, 0, 6, 5, 0, 7, 6 }) },
        { "gap in positions",
            Words({ 100, 8, 0, 0, 0, 0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 5, 0, 5, 6, 0, 6, 7, 1, 7 }) },
        { "hidden word 2", Words({ 100, 8, 0, 0, 0, 2, 1, 1 }) },
        { "cut short", Words({ 100, 8, 0, 0, 0 }) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(Load(m_manager, c.bytes));
        EXPECT_EQ(GridPositions(m_manager), before);
    }
    // The older form without remembered positions, and a repeated position, pass.
    EXPECT_TRUE(Load(m_manager, Words({ 8, 0, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 5, 1 })));
    EXPECT_TRUE(m_manager.GetColumn(TakeOffColumn::DiagramList)->IsHidden());
    EXPECT_EQ(m_manager.GetColumn(TakeOffColumn::Info)->GetGridPosition(), 5);
}

} // namespace
