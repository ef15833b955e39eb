#pragma once
// The bar at the bottom of the window during a print preview: Print, Page
// Setup... and Close, left to right.

#include <QWidget>

class QPushButton;

class CTPPrintPreviewBar : public QWidget
{
    Q_OBJECT

public:
    explicit CTPPrintPreviewBar(QWidget* parent = nullptr);

    QPushButton* PrintButton() const { return m_print; }
    QPushButton* PageSetupButton() const { return m_pageSetup; }
    QPushButton* CloseButton() const { return m_close; }

private:
    // Places the buttons from the left, each 25 pixels wider than it needs.
    void LayOutButtons();

    QPushButton* m_print;
    QPushButton* m_pageSetup;
    QPushButton* m_close;
};
