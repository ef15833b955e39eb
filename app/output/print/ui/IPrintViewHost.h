#pragma once
// What printing and the print preview need of the program window: the
// project, its main view and page switching, the window the preview takes
// over, and a few of the window's dialogs. The main view implements it.

#include <QString>

class IDoc;
class QMainWindow;
class QWidget;
class IPrintViewMgr;

class IPrintViewHost
{
public:
    virtual ~IPrintViewHost() = default;

    virtual IDoc* GetPrintDocument() = 0;
    // Handed to the printers, which reach the pages through it.
    virtual IPrintViewMgr* GetPrintViewMgr() = 0;
    // The main view: parent of the dialogs and of the hidden print host.
    virtual QWidget* GetPrintView() = 0;
    // The window in which the preview takes the main view's place.
    virtual QMainWindow* GetPrintFrame() = 0;
    // Ends any in-place edit of the page grids.
    virtual void FinishEditing() = 0;
    // The page shown in the main tab, and showing one (tab and page).
    virtual int GetShownPage() const = 0;
    virtual void ShowPage(int page) = 0;
    // Repaints the view (after a cancelled dialog).
    virtual void RefreshView() = 0;
    // Switches the view's painting off, or on again with a full repaint.
    virtual void SetViewRedraw(bool redraw) = 0;
    // The PDF file to print to; false when the user cancelled.
    virtual bool AskPdfFileName(QString& path) = 0;
    // Who to contact when printing cannot start (an address of the program's own).
    virtual QString GetSupportContact() const = 0;
};
