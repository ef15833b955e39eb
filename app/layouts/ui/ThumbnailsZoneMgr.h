#pragma once

#include "layouts/ui/IThumbnailsZoneMgr.h"

class ThumbnailsZoneMgr : public IThumbnailsZoneMgr
{
public:
    // The owner (the page's view manager) is not owned.
    explicit ThumbnailsZoneMgr(IThumbnailsOwner* owner);
    ~ThumbnailsZoneMgr() override;

    int GetThumbnailCount() const override { return static_cast<int>(m_thumbnails.size()); }
    void AttachZone(std::shared_ptr<ThumbnailsZone> zone) override;
    void SetDiagrams(
        ThumbnailChoice& out, const StackList& stacks, const DisplayDiagramPtr& preferred, int kind) override;
    void Refresh(bool scrollToCurrent) override;
    void Clear() override;
    DisplayDiagramPtr GetNextDiagram() const override;
    DisplayDiagramPtr GetPreviousDiagram() const override;
    DisplayDiagramPtr GetDiagram(int index) const override;
    void CollectCheckedDiagrams(std::vector<DisplayDiagramPtr>& out) const override;
    bool IsPointInZone(const QPoint& screenPoint) const override;
    void HitTestThumbnail(ThumbnailChoice& out, const QPoint& screenPoint) const override;

    IThumbnailsOwner* GetOwner() const override { return m_owner; }
    void FitThumbnailsToColumn() override;
    void OnThumbnailClicked(const ThumbnailInfo& thumbnail) override;
    void OnCheckBoxClicked(const ThumbnailInfo& thumbnail) override;
    void OnThumbnailRightClicked(const ThumbnailInfo& thumbnail, const QPoint& screenPoint) override;
    void CheckAll(bool checked) override;
    void QuickPrint() override;
    void PinAll(bool unpin) override;

    const std::vector<DisplayDiagramPtr>& GetDiagrams() const { return m_diagrams; }
    const ThumbnailList& GetThumbnails() const { return m_thumbnails; }

private:
    bool AnyChecked() const;
    int ColumnWidth() const;
    void UpdateButtons();

    IThumbnailsOwner* m_owner;
    std::shared_ptr<ThumbnailsZone> m_zone;
    std::vector<DisplayDiagramPtr> m_diagrams;
    int m_labelKind = 0;
    ThumbnailList m_thumbnails;
    // The column width the thumbnails were sized for.
    int m_sizedWidth = 0;
};
