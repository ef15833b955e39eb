#pragma once

#include <QString>

#include <cstdint>

// One printer with its paper, orientation and margins. Margins are in
// thousandths of an inch; orientation, paper size, bin and duplex use the
// printer driver's codes, 0 meaning "not set" for the last three.
struct PageSetup
{
    QString device;
    QString driver;
    QString port;
    std::int32_t leftMargin = 250;
    std::int32_t topMargin = 500;
    std::int32_t rightMargin = 250;
    std::int32_t bottomMargin = 500;
    std::int32_t orientation = 1; // 1 portrait, 2 landscape
    std::uint16_t paperSize = 1; // letter
    std::uint16_t paperBin = 7; // automatic
    std::uint16_t duplex = 1; // simplex

    bool operator==(const PageSetup&) const = default;
};
