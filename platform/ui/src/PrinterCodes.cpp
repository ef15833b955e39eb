#include "platform/ui/PrinterCodes.h"

#include <array>
#include <utility>

namespace platform {

namespace {
constexpr std::array<std::pair<int, QPrinter::PaperSource>, 13> kBins = { {
    { 1, QPrinter::OnlyOne },
    { 2, QPrinter::Lower },
    { 3, QPrinter::Middle },
    { 4, QPrinter::Manual },
    { 5, QPrinter::Envelope },
    { 6, QPrinter::EnvelopeManual },
    { 7, QPrinter::Auto },
    { 8, QPrinter::Tractor },
    { 9, QPrinter::SmallFormat },
    { 10, QPrinter::LargeFormat },
    { 11, QPrinter::LargeCapacity },
    { 14, QPrinter::Cassette },
    { 15, QPrinter::FormSource },
} };

constexpr std::array<std::pair<int, QPrinter::DuplexMode>, 3> kDuplex = { {
    { 1, QPrinter::DuplexNone },
    { 2, QPrinter::DuplexLongSide },
    { 3, QPrinter::DuplexShortSide },
} };
} // namespace

std::optional<QPrinter::PaperSource> PaperSourceFromBinCode(int code)
{
    for (const auto& [binCode, source] : kBins) {
        if (binCode == code)
            return source;
    }
    return std::nullopt;
}

int BinCodeFromPaperSource(QPrinter::PaperSource source)
{
    for (const auto& [binCode, binSource] : kBins) {
        if (binSource == source)
            return binCode;
    }
    return 0;
}

std::optional<QPrinter::DuplexMode> DuplexModeFromCode(int code)
{
    for (const auto& [duplexCode, mode] : kDuplex) {
        if (duplexCode == code)
            return mode;
    }
    return std::nullopt;
}

int DuplexCodeFromMode(QPrinter::DuplexMode mode)
{
    for (const auto& [duplexCode, duplexMode] : kDuplex) {
        if (duplexMode == mode)
            return duplexCode;
    }
    return 0;
}

} // namespace platform
