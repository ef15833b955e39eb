#pragma once
// The thumbnails pane: the column, a text line naming the packing strategy
// and four buttons (check all, uncheck all, quick print, pin all).

#include "layouts/ui/ThumbnailInfo.h"

#include <QWidget>

class CIconButton;
class CStaticWithTip;
class IThumbnailsZoneMgr;
class ThumbsPanel;

class ThumbnailsZone : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPanelId = 6335;
    static constexpr int kQuickPrintId = 6337;
    static constexpr int kCheckAllId = 6338;
    static constexpr int kUncheckAllId = 6339;
    static constexpr int kLabelId = 6340;
    static constexpr int kPinAllId = 6342;

    explicit ThumbnailsZone(QWidget* parent = nullptr);

    // The manager (not owned) of the zone and its column.
    void SetManager(IThumbnailsZoneMgr* manager);
    // tipId: the UI string of the text line's tooltip, 0 for none.
    void SetThumbnails(const ThumbnailList& thumbnails, const QString& text, int tipId);
    void EnableButtons(bool hasDiagrams, bool anyChecked);

    ThumbsPanel* Panel() const { return m_panel; }
    CIconButton* QuickPrintButton() const { return m_quickPrint; }
    CIconButton* CheckAllButton() const { return m_checkAll; }
    CIconButton* UncheckAllButton() const { return m_uncheckAll; }
    CIconButton* PinAllButton() const { return m_pinAll; }
    CStaticWithTip* Label() const { return m_label; }
    // Tooltips, read when shown (the printer may change meanwhile).
    QString ToolTipText(int controlId) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The text line's height: the scroll bar's width less 2.
    static int LineHeight();

    IThumbnailsZoneMgr* m_manager = nullptr;
    int m_labelTipId = 0;
    ThumbsPanel* m_panel;
    CIconButton* m_quickPrint;
    CIconButton* m_checkAll;
    CIconButton* m_uncheckAll;
    CIconButton* m_pinAll;
    CStaticWithTip* m_label;
};
