#pragma once
// The local-optimization policy: the mode chosen by the user's packing
// strategy, the layout style word every sheet carries, and the
// part-distribution comparisons (free space kept whole, shared cut lines,
// strips). Comparisons answer -1 when the first argument is better.

#include <nestcore/CuttingRules.h>

#include <cstdint>
#include <memory>

namespace optimization {

class CLayoutSet;
class OptTopLevelLayout;

class ParLocalOpt
{
public:
    ParLocalOpt() = default;
    ParLocalOpt(const ParLocalOpt&) = default;
    ParLocalOpt& operator=(const ParLocalOpt&) = default;
    virtual ~ParLocalOpt();

    virtual std::unique_ptr<ParLocalOpt> Clone() const;
    virtual std::int32_t Query() const { return 0; }
    virtual std::int32_t GetMode() const { return m_mode; }
    // Any mode but 1 also clears the option, which only mode 1 keeps.
    virtual void SetMode(std::int32_t mode);
    virtual bool GetOption() const { return m_option; }
    virtual void SetOption(bool option) { m_option = option; }
    virtual GeometryStyle GetStyleWord() const { return m_style; }
    virtual void SetStyleWord(GeometryStyle style) { m_style = style; }

    virtual std::int32_t CompareSameParts(const OptTopLevelLayout& a,
                                          const OptTopLevelLayout& b) const;
    virtual std::int32_t CompareSheets(const OptTopLevelLayout& a,
                                       const OptTopLevelLayout& b) const;
    virtual std::int32_t CompareSets(const CLayoutSet& a, const CLayoutSet& b) const;
    // -1 keeps a and b apart, 1 prefers their combination.
    virtual std::int32_t CompareCombine(const OptTopLevelLayout& a,
                                        const OptTopLevelLayout& b,
                                        const OptTopLevelLayout& combined) const;

    std::int32_t GetBaseMode() const { return m_baseMode; }
    void SetBaseMode(std::int32_t mode) { m_baseMode = mode; }
    std::int32_t GetFourthWord() const { return m_fourth; }
    void SetFourthWord(std::int32_t value) { m_fourth = value; }
    std::int32_t GetSixthWord() const { return m_sixth; }
    void SetSixthWord(std::int32_t value) { m_sixth = value; }
    std::int32_t GetSeventhWord() const { return m_seventh; }
    void SetSeventhWord(std::int32_t value) { m_seventh = value; }

    // Style 1 or 2, the fourth word, or mode 0: the policy that cares most
    // about straight cut lines (read by the fit score and the rectangle
    // preference).
    bool IsLineMinded() const;

private:
    std::int32_t m_baseMode = 0;
    std::int32_t m_mode = 0;
    GeometryStyle m_style = StandardLayout;
    std::int32_t m_fourth = 0;
    bool m_option = false;
    std::int32_t m_sixth = 0;
    std::int32_t m_seventh = 0;
};

} // namespace optimization
