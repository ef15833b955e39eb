#pragma once
// The printer driver codes the program stores (paper bin and duplex, as the
// page setup keeps them) against Qt's printer values. Paper sizes need no
// table: QPageSize converts its own ids to and from the same paper codes.

#include <QPrinter>

#include <optional>

namespace platform {

// Bin codes: 1 upper (only one), 2 lower, 3 middle, 4 manual, 5 envelope,
// 6 envelope manual, 7 automatic, 8 tractor, 9 small format, 10 large format,
// 11 large capacity, 14 cassette, 15 form source. Other codes have no Qt value.
std::optional<QPrinter::PaperSource> PaperSourceFromBinCode(int code);
// 0 for a source without a code.
int BinCodeFromPaperSource(QPrinter::PaperSource source);

// Duplex codes: 1 simplex, 2 long edge, 3 short edge.
std::optional<QPrinter::DuplexMode> DuplexModeFromCode(int code);
// 0 ("not set") for the automatic mode, which has no code.
int DuplexCodeFromMode(QPrinter::DuplexMode mode);

} // namespace platform
