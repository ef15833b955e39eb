#pragma once
// A growable table of borrowed pointers with a parameter word per entry:
// the grid's registries of cell types and fonts. Indexes stay stable, so a
// cell can name its type or font by number.

#include <array>
#include <cstdint>
#include <vector>

class CUGPtrList {
public:
    using Tag = std::array<std::uint8_t, 16>;

    // Takes the first free entry (growing by 10 entries when full); returns its index.
    int Add(void* pointer, int param = 0, const Tag* tag = nullptr);
    // Null for a free or out-of-range index.
    void* GetAt(int index) const;
    // 0 for a free or out-of-range index.
    int GetEntryParam(int index) const;
    // 0 done, 1 index out of range, 2 free entry.
    int SetEntryParam(int index, int value);
    // Fills a taken entry that holds no pointer yet (a reserved slot);
    // 0 done, 1 out of range or free, 2 already filled.
    int FillReserved(int index, void* pointer);
    int GetUsedCount() const { return m_used; }
    int GetCapacity() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        bool inUse = false;
        void* pointer = nullptr;
        int param = 0;
        Tag tag{};
    };
    std::vector<Entry> m_entries;
    int m_used = 0;
};
