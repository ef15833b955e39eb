#pragma once
// The take-off window of the layouts page: a tab bar with the three list
// kinds and, framed by it, the take-off grid. The list manager fills the
// grid; this window only lays the two out and reports every change of tab.

#include "grids/ITakeOffCtrl.h"

#include <QWidget>

#include <memory>

class TakeOffCtrl : public QWidget, public ITakeOffCtrl
{
    Q_OBJECT
public:
    static constexpr int kGridId = 6365;
    static constexpr int kTabsId = 6366;

    explicit TakeOffCtrl(QWidget* parent = nullptr);
    // The grid and the tab bar outlive the window while their list manager
    // still holds them.
    ~TakeOffCtrl() override;

    bool Create(QWidget* parent, int id) override;
    void SetListener(std::shared_ptr<ITakeOffCtrlListener> listener) override;
    std::shared_ptr<CUGRowMode> GetGrid() const override { return m_grid; }
    std::shared_ptr<QTabBar> GetTabCtrl() const override { return m_tabs; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    std::shared_ptr<CUGRowMode> m_grid;
    std::shared_ptr<QTabBar> m_tabs;
    std::shared_ptr<ITakeOffCtrlListener> m_listener;
};
