#pragma once
// What the project document needs of the window layers: the main view, the
// view manager, the file dialog and the prompts. The shell implements it and
// hands it to the document; tests fake it. The document works without one
// (no view to refresh, prompts answered by the caller's default).

#include <QString>

class IDocumentShell
{
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~IDocumentShell() = default;

    // The main view exists and has built its panes and pages.
    virtual bool IsMainViewInitialized() const = 0;
    // After new, open or close: refresh the parts list, clear the command
    // history, reset the view manager's pages.
    virtual void OnDocumentReset() = 0;
    virtual void FitPartsGridColumns() = 0;
    virtual void RebuildPartsGrid() = 0;
    virtual void RefreshPartsPage() = 0;
    virtual void ClearMaterialsTreeSelection() = 0;

    // View manager events.
    virtual void OnCloseDocument() = 0;
    virtual void OnBeforeSaveDocument() = 0;
    virtual void OnNewDocument() = 0;
    virtual void OnAfterSaveCommand() = 0;

    // The project open/save dialog; false when the user cancels. path is the
    // proposed name in and the chosen file out.
    virtual bool PromptFileName(QString& path, bool saveAs) = 0;
    // A message box with Yes, No and Cancel.
    virtual Answer AskYesNoCancel(const QString& text) = 0;

    // Queues the open-error report to the main frame, to run once the load
    // has unwound; false when there is no main frame to queue it to.
    virtual bool PostDocumentErrorReport() = 0;
    // A save that failed: the message names the file and the reason; the
    // project, its path and its modified flag stay as they were.
    virtual void ShowSaveError(const QString& message) = 0;
    // While the jobs of a run write parts and results, the views that show
    // them must not paint: false before the run, true after it.
    virtual void SetViewsPainting(bool painting) = 0;
    // Queues the skipped-parts warning to the main view.
    virtual void PostSkippedPartsAlert() = 0;
};

// Delivers the recorded open error: queued through the shell when it has a
// main frame, otherwise shown at once.
void DeliverDocumentError(IDocumentShell* shell);
