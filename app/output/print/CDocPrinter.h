#pragma once
// Prints the whole project as one print job: cover page, parts list,
// layouts, take-off lists, bill of materials and the four reports, each only
// when the print settings select it, always in that order, each section in
// its own orientation. The preview host makes one on its stack, runs
// PrintBody once and destroys it.

#include "output/print/CPrintEngineBase.h"

#include <cstdint>

class CDocPrinter : public CPrintEngineBase
{
public:
    // Section bits of the print settings in the order of printing, with the
    // orientation preference of each (on: portrait).
    struct Section
    {
        std::uint32_t bit;
        int orientationPref;
    };

    // viewManager: how the printer reaches the parts list, the B.O.M. and
    // Reports pages and the document's optimization.
    CDocPrinter(IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control);
    ~CDocPrinter() override;

    // Composes the selected sections between the control's document open
    // and close. When a section needs results and the optimization is
    // cancelled, the document is not opened: nothing is printed and a
    // message says why (see WasCancelled).
    void PrintBody() override;

    // The last PrintBody stopped because the optimization did not finish.
    bool WasCancelled() const override { return m_cancelled; }

private:
    static bool IsSelected(std::uint32_t sectionBit);
    void ApplyOrientation(int orientationPref);
    void PrintParts();
    void PrintLayouts(bool takeOffLists);
    void PrintBOM();
    void PrintReports();

    bool m_cancelled = false;
};
