#pragma once
// The target file of the benchmark tool: one optimization target as text, one
// directive per line, lengths in inches, '#' starts a comment. Directives left
// out keep the value 0 (flags off, no kerf, no trims). A malformed line is
// refused with its line number; nothing of a refused file is used.
//
//   objective 0|1            comparer 0|1|2
//   offcuts_first 0|1        inventory_first 0|1
//   local_mode 0|1           mode_option 0|1
//   rules kerf=<in> first_cut=0|1|2 grain=0|1 padding=<in> style=<int>
//   stock <width> <length> <cost> <count|*> [offcut | buy_more] [tb_trim=<in>] [lr_trim=<in>]
//   part <number> <width> <length> <copies> [orientation=0|1|2]

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace nestbench {

struct RulesLine
{
    double kerf = 0.0;
    int firstCut = 0;
    bool grain = false;
    double padding = 0.0;
    std::int32_t style = 0;
};

// Width and length are the rough size; the trims come off each of two edges.
struct StockLine
{
    int line = 0;
    double width = 0.0;
    double length = 0.0;
    double cost = 0.0;
    bool unlimited = false;
    std::uint32_t count = 0; // 0 when unlimited
    bool offcut = false;
    bool buyMore = false;
    double tbTrim = 0.0; // off each edge across the width
    double lrTrim = 0.0; // off each edge across the length
};

struct PartLine
{
    int line = 0;
    std::int32_t number = 0;
    double width = 0.0;
    double length = 0.0;
    std::uint32_t copies = 0;
    std::int32_t orientation = 0;
};

struct TargetFile
{
    int objective = 0;
    int comparer = 0;
    bool offcutsFirst = false;
    bool inventoryFirst = false;
    int localMode = 0;
    bool modeOption = false;
    RulesLine rules;
    std::vector<StockLine> stocks;
    std::vector<PartLine> parts;
};

struct ParseError
{
    int line = 0; // 0: the file as a whole (could not be read)
    std::string message;

    std::string ToString(const std::string& fileName) const;
};

// Largest length the optimizer represents, and the largest copy count the
// tool accepts on one part line (each copy costs memory in a run).
constexpr double kMaxInches = 12000.0;
constexpr std::uint32_t kMaxCopies = 1000000;

bool ParseTargetFile(std::istream& in, TargetFile& out, ParseError& error);
bool LoadTargetFile(const std::string& path, TargetFile& out, ParseError& error);

} // namespace nestbench
