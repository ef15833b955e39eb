#pragma once
// The first page of a printed project: a heading and a nine-row table with
// the project's name, how costs are rounded, whether layouts are drawn to
// scale, the optimization objective, the program and project file, and the
// project notes. Built over the document printer's engine for one call.

class CPrintEngineBase;

namespace platform {
class IPrintControl;
}

class CCoverPagePrinter
{
public:
    explicit CCoverPagePrinter(CPrintEngineBase& engine);
    CCoverPagePrinter(const CCoverPagePrinter&) = delete;
    CCoverPagePrinter& operator=(const CCoverPagePrinter&) = delete;

    // On a new page, the page number restarted.
    void PrintCoverPage();

private:
    void Heading(int row, int column, int stringId, int span);

    CPrintEngineBase& m_engine;
    platform::IPrintControl& m_control;
};
