#pragma once
// The bar at the bottom of the window during a print preview: Print, Page
// Setup... and Close, left to right, then the number of the page shown.

#include <QWidget>

class QLabel;
class QPushButton;

class CTPPrintPreviewBar : public QWidget
{
    Q_OBJECT

public:
    explicit CTPPrintPreviewBar(QWidget* parent = nullptr);

    QPushButton* PrintButton() const { return m_print; }
    QPushButton* PageSetupButton() const { return m_pageSetup; }
    QPushButton* CloseButton() const { return m_close; }
    QLabel* PageNumberLabel() const { return m_pageNumber; }

    // "Page 2 of 5"; nothing without pages.
    void ShowPageNumber(int page, int count);

private:
    // Places the buttons from the left, each 25 pixels wider than it needs.
    void LayOutButtons();

    QPushButton* m_print;
    QPushButton* m_pageSetup;
    QPushButton* m_close;
    QLabel* m_pageNumber;
};
