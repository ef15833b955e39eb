#include "TargetFile.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

namespace nestbench {

namespace {

// A refusal of the current line; caught once per line in ParseTargetFile.
struct LineError
{
    std::string message;
};

[[noreturn]] void Fail(const std::string& message)
{
    throw LineError{message};
}

std::vector<std::string> Tokens(const std::string& raw)
{
    std::string text = raw.substr(0, raw.find('#'));
    std::vector<std::string> tokens;
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i]))
            ++i;
        std::size_t start = i;
        while (i < text.size() && !isSpace(text[i]))
            ++i;
        if (i > start)
            tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

// Whole-token, locale-independent number parsing.
double ParseReal(const std::string& token, const std::string& what)
{
    double value = 0.0;
    const char* first = token.data();
    const char* last = first + token.size();
    if (!token.empty() && *first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        Fail(what + ": '" + token + "' is not a number");
    return value;
}

std::int64_t ParseInteger(const std::string& token, const std::string& what)
{
    std::int64_t value = 0;
    const char* first = token.data();
    const char* last = first + token.size();
    if (!token.empty() && *first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range)
        Fail(what + ": '" + token + "' is out of range");
    if (ec != std::errc() || ptr != last)
        Fail(what + ": '" + token + "' is not a whole number");
    return value;
}

std::int64_t ParseIntegerIn(const std::string& token, const std::string& what, std::int64_t lo, std::int64_t hi)
{
    std::int64_t value = ParseInteger(token, what);
    if (value < lo || value > hi)
        Fail(what + " must be from " + std::to_string(lo) + " to " + std::to_string(hi) + ", not " + token);
    return value;
}

// A length in inches: not negative (positive when asked) and at most the
// optimizer's limit.
double ParseLength(const std::string& token, const std::string& what, bool positive)
{
    double value = ParseReal(token, what);
    if (positive ? !(value > 0.0) : value < 0.0)
        Fail(what + std::string(positive ? " must be above 0" : " must not be negative") + ", not " + token);
    if (value > kMaxInches)
        Fail(what + " exceeds " + std::to_string(static_cast<int>(kMaxInches)) + " inches: " + token);
    return value;
}

// Splits "key=value"; false when the token has no '='.
bool SplitOption(const std::string& token, std::string& key, std::string& value)
{
    std::size_t eq = token.find('=');
    if (eq == std::string::npos)
        return false;
    key = token.substr(0, eq);
    value = token.substr(eq + 1);
    return true;
}

void ExpectCount(const std::vector<std::string>& t, std::size_t n, const char* usage)
{
    if (t.size() != n)
        Fail(std::string("expected '") + usage + "'");
}

RulesLine ParseRules(const std::vector<std::string>& t)
{
    RulesLine rules;
    std::map<std::string, bool> seen;
    for (std::size_t i = 1; i < t.size(); ++i) {
        std::string key, value;
        if (!SplitOption(t[i], key, value))
            Fail("rules: expected key=value, not '" + t[i] + "'");
        if (seen[key])
            Fail("rules: " + key + " given twice");
        seen[key] = true;
        if (key == "kerf")
            rules.kerf = ParseLength(value, "kerf", false);
        else if (key == "first_cut")
            rules.firstCut = static_cast<int>(ParseIntegerIn(value, "first_cut", 0, 2));
        else if (key == "grain")
            rules.grain = ParseIntegerIn(value, "grain", 0, 1) != 0;
        else if (key == "padding")
            rules.padding = ParseLength(value, "padding", false);
        else if (key == "style")
            rules.style = static_cast<std::int32_t>(ParseIntegerIn(value, "style", std::numeric_limits<std::int32_t>::min(),
                                                                   std::numeric_limits<std::int32_t>::max()));
        else
            Fail("rules: unknown key '" + key + "'");
    }
    return rules;
}

StockLine ParseStock(const std::vector<std::string>& t, int lineNo)
{
    if (t.size() < 5)
        Fail("expected 'stock <width> <length> <cost> <count|*> [offcut | buy_more] [tb_trim=<in>] [lr_trim=<in>]'");
    StockLine s;
    s.line = lineNo;
    s.width = ParseLength(t[1], "stock width", true);
    s.length = ParseLength(t[2], "stock length", true);
    s.cost = ParseReal(t[3], "stock cost");
    if (s.cost < 0.0)
        Fail("stock cost must not be negative, not " + t[3]);
    if (t[4] == "*")
        s.unlimited = true;
    else
        s.count = static_cast<std::uint32_t>(
            ParseIntegerIn(t[4], "stock count", 0, std::numeric_limits<std::uint32_t>::max()));
    bool tbSeen = false, lrSeen = false;
    for (std::size_t i = 5; i < t.size(); ++i) {
        std::string key, value;
        if (t[i] == "offcut") {
            if (s.offcut)
                Fail("stock: offcut given twice");
            s.offcut = true;
        } else if (t[i] == "buy_more") {
            if (s.buyMore)
                Fail("stock: buy_more given twice");
            s.buyMore = true;
        } else if (SplitOption(t[i], key, value) && key == "tb_trim") {
            if (tbSeen)
                Fail("stock: tb_trim given twice");
            tbSeen = true;
            s.tbTrim = ParseLength(value, "tb_trim", false);
        } else if (SplitOption(t[i], key, value) && key == "lr_trim") {
            if (lrSeen)
                Fail("stock: lr_trim given twice");
            lrSeen = true;
            s.lrTrim = ParseLength(value, "lr_trim", false);
        } else {
            Fail("stock: unknown option '" + t[i] + "'");
        }
    }
    // An off-cut is what is left of earlier work: none can be bought.
    if (s.offcut && s.buyMore)
        Fail("stock: offcut and buy_more exclude each other");
    return s;
}

PartLine ParsePart(const std::vector<std::string>& t, int lineNo)
{
    if (t.size() != 5 && t.size() != 6)
        Fail("expected 'part <number> <width> <length> <copies> [orientation=0|1|2]'");
    PartLine p;
    p.line = lineNo;
    p.number = static_cast<std::int32_t>(ParseIntegerIn(t[1], "part number", std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
    p.width = ParseLength(t[2], "part width", true);
    p.length = ParseLength(t[3], "part length", true);
    p.copies = static_cast<std::uint32_t>(ParseIntegerIn(t[4], "part copies", 0, kMaxCopies));
    if (t.size() == 6) {
        std::string key, value;
        if (!SplitOption(t[5], key, value) || key != "orientation")
            Fail("part: unknown option '" + t[5] + "'");
        p.orientation = static_cast<std::int32_t>(ParseIntegerIn(value, "orientation", 0, 2));
    }
    return p;
}

} // namespace

std::string ParseError::ToString(const std::string& fileName) const
{
    if (line <= 0)
        return fileName + ": " + message;
    return fileName + ":" + std::to_string(line) + ": " + message;
}

bool ParseTargetFile(std::istream& in, TargetFile& out, ParseError& error)
{
    TargetFile result;
    std::map<std::string, int> scalarLine; // directive -> line where first given
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        // A byte-order mark left by an editor is not part of the first directive.
        if (lineNo == 1 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
            raw.erase(0, 3);
        try {
            std::vector<std::string> t = Tokens(raw);
            if (t.empty())
                continue;
            const std::string& d = t[0];
            if (d == "stock") {
                result.stocks.push_back(ParseStock(t, lineNo));
                continue;
            }
            if (d == "part") {
                result.parts.push_back(ParsePart(t, lineNo));
                continue;
            }
            static const std::map<std::string, std::pair<int, int>> scalars = {
                {"objective", {0, 1}},  {"comparer", {0, 2}},   {"offcuts_first", {0, 1}},
                {"inventory_first", {0, 1}}, {"local_mode", {0, 1}}, {"mode_option", {0, 1}},
            };
            auto scalar = scalars.find(d);
            if (scalar == scalars.end() && d != "rules")
                Fail("unknown directive '" + d + "'");
            auto [first, inserted] = scalarLine.emplace(d, lineNo);
            if (!inserted)
                Fail(d + " given twice (first on line " + std::to_string(first->second) + ")");
            if (d == "rules") {
                result.rules = ParseRules(t);
                continue;
            }
            ExpectCount(t, 2, (d + " <value>").c_str());
            int v = static_cast<int>(ParseIntegerIn(t[1], d, scalar->second.first, scalar->second.second));
            if (d == "objective")
                result.objective = v;
            else if (d == "comparer")
                result.comparer = v;
            else if (d == "offcuts_first")
                result.offcutsFirst = v != 0;
            else if (d == "inventory_first")
                result.inventoryFirst = v != 0;
            else if (d == "local_mode")
                result.localMode = v;
            else
                result.modeOption = v != 0;
        } catch (const LineError& e) {
            error.line = lineNo;
            error.message = e.message;
            return false;
        }
    }
    if (in.bad()) {
        error.line = 0;
        error.message = "read error";
        return false;
    }
    out = std::move(result);
    return true;
}

bool LoadTargetFile(const std::string& path, TargetFile& out, ParseError& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error.line = 0;
        error.message = "cannot open the file";
        return false;
    }
    return ParseTargetFile(in, out, error);
}

} // namespace nestbench
