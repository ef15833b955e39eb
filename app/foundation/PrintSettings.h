#pragma once

#include "foundation/PageSetup.h"

#include <cstdint>

// What the user chose to print, with two page setups. The preferences store
// keeps the current record; its users work on copies and give changed copies
// back whole.
struct PrintSettings
{
    // Section bits.
    static constexpr std::uint32_t CoverPage = 0x1;
    static constexpr std::uint32_t PartsList = 0x2;
    static constexpr std::uint32_t BillOfMaterials = 0x8;
    static constexpr std::uint32_t Layouts = 0x10;
    static constexpr std::uint32_t TakeOffLists = 0x100;
    static constexpr std::uint32_t Reports = 0x800;

    std::int32_t scope = 1; // 1 all sections, 2 selected sections, 3 all sections, 5 raw materials
    std::int32_t secondWord = 1;
    std::int32_t thirdWord = 999;
    std::int32_t skipEmptyGrids = 1;
    std::int32_t bomNewPage = 0;
    std::int32_t bomSkipEmpty = 1;
    std::int32_t seventhWord = 1;
    std::int32_t takeOffOnLayoutPage = 1;
    std::int32_t diagramsPerPage = 1; // list index 0-3
    std::int32_t tenthWord = 1;
    std::uint32_t sectionBits = 0;
    PageSetup printerPageSetup;
    PageSetup alternatePageSetup;
    std::uint8_t currentDiagramsOnly = 0;
    std::uint8_t lastFlag = 0;

    const PageSetup& GetPrinterPageSetup() const { return printerPageSetup; }
    const PageSetup& GetAlternatePageSetup() const { return alternatePageSetup; }
    void SetPrinterPageSetup(const PageSetup& setup) { printerPageSetup = setup; }
    void SetAlternatePageSetup(const PageSetup& setup) { alternatePageSetup = setup; }

    bool IsSectionSelected(std::uint32_t sectionBit) const;
    bool HasSectionBit(std::uint32_t bit) const { return (sectionBits & bit) != 0; }
    void SetSectionBits(std::uint32_t bits) { sectionBits = bits; }
    void AddSectionBit(std::uint32_t bit) { sectionBits |= bit; }

    // Printing only the diagram on screen.
    void SetCurrentLayoutsOnly();
    bool IsCurrentDiagramsOnly() const { return currentDiagramsOnly != 0; }
    // Index 0 gives 1, 1 gives 2, 2 ("2x2") and 3 ("1x4") give 4.
    int GetDiagramsPerPage() const;

    bool operator==(const PrintSettings&) const = default;
};
