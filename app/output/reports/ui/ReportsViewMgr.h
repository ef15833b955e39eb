#pragma once
// The Reports page as the main view's page manager sees it. Changes that
// arrive while the page is hidden are remembered and rebuild the report
// once, when the page shows again.

#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>

class CUGRowMode;
class IOptimizationDoc;
class QWidget;
class ReportsFrame;
class ReportsModel;

// What the page needs of the main view.
class IReportsPageHost
{
public:
    virtual ~IReportsPageHost() = default;
    virtual QWidget* GetPageParent() = 0;
    virtual QRect GetPageRect() const = 0;
    virtual IOptimizationDoc& GetReportsDocument() = 0;
    // The document's optimization of whatever needs it; false when cancelled.
    virtual bool OptimizeForReports() = 0;
};

class ReportsViewMgr
{
public:
    // Changes that make a shown report stale.
    static constexpr std::uint64_t kRelevantChanges = 0x800449;

    explicit ReportsViewMgr(IReportsPageHost& host);
    ~ReportsViewMgr();
    ReportsViewMgr(const ReportsViewMgr&) = delete;
    ReportsViewMgr& operator=(const ReportsViewMgr&) = delete;

    void Show(bool show);
    // flush: the Reports page is the current page.
    void OnUpdate(std::uint64_t changeMask, bool flush);
    void OnListSelChange();
    void SelectReport(int id);
    void RefreshReport();
    CUGRowMode& GetReportGrid() const;
    QString GetReportTitle() const;
    int GetCurrentReport() const;
    bool HasReportRows() const;
    void CopyReportToClipboard() const;
    void ApplyGridlinesPref();
    void RefreshColumnHeaders();
    void Reposition();
    void SetFocus();
    ReportsFrame& GetFrame() const { return *m_frame; }

private:
    void ShowTitle();

    IReportsPageHost& m_host;
    std::uint64_t m_accumulated = 0;
    ReportsFrame* m_frame; // a child of the page's parent
    std::unique_ptr<ReportsModel> m_model;
};
