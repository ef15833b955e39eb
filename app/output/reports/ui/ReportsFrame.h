#pragma once
// The Reports page's windows: the list of reports on the left, and on the
// right a caption bar over the read-only report grid.

#include <QSplitter>
#include <QWidget>

class CUGRowMode;
class QLabel;
class QListWidget;

class RptsListFrame : public QWidget
{
    Q_OBJECT
public:
    explicit RptsListFrame(QWidget* parent = nullptr);
    QListWidget& GetList() const { return *m_list; }

private:
    QListWidget* m_list;
};

class RptsGridsFrame : public QWidget
{
    Q_OBJECT
public:
    explicit RptsGridsFrame(QWidget* parent = nullptr);
    QLabel& GetCaption() const { return *m_caption; }
    CUGRowMode& GetGrid() const { return *m_grid; }
    // The grid lines as the "Gridlines" preference says.
    void ApplyGridlinesPref();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_caption;
    CUGRowMode* m_grid;
};

class ReportsFrame : public QSplitter
{
    Q_OBJECT
public:
    explicit ReportsFrame(QWidget* parent = nullptr);
    RptsListFrame& GetListPane() const { return *m_listPane; }
    RptsGridsFrame& GetGridPane() const { return *m_gridPane; }

protected:
    // The list gets its width once the page has a size of its own.
    void resizeEvent(QResizeEvent* event) override;

private:
    RptsListFrame* m_listPane;
    RptsGridsFrame* m_gridPane;
    bool m_sized = false;
};
