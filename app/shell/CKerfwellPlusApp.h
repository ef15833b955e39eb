#pragma once
// The program's life: one instance per user, the services started in a
// fixed order with a line in the session log after each step, the empty
// project with its window, a project named on the command line, and at the
// end the materials library saved. It is also the window layers' side of
// the project document (file dialog, prompts, queued error reports).

#include "shell/CkwlCmdLineInfo.h"
#include "shell/SingleInstance.h"

#include "document/IDocumentShell.h"

#include <QStringList>

#include <memory>

namespace platform {
class RecentFileList;
}

class CKWLDoc;
class HandOverQueue;
class CKWLView;
class CMainFrame;
class SplashScreen;

class CKerfwellPlusApp : public IDocumentShell
{
public:
    // instanceName: the single-instance lock's name; timing: how long the
    // hand-over waits (tests use their own).
    explicit CKerfwellPlusApp(const QString& instanceName = QStringLiteral("KerfwellPlusSoloInstance"),
        SingleInstanceTiming timing = {});
    ~CKerfwellPlusApp() override;

    // False ends the program (a second instance, no window, or a print
    // switch whose job is done).
    bool InitInstance(const QStringList& arguments);
    // The program's exit status when InitInstance ended it: not 0 for a
    // second instance whose project could not be handed over.
    int ExitInstance();
    bool IsRefusedSecondInstance() const { return m_refused; }

    // Every way of opening a project passes here.
    bool OpenDocumentFile(const QString& path);
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // An entry of the File menu's recent-file list: a file that is gone is
    // reported and dropped from the list.
    void OnOpenRecentFile(const QString& path);
    // Projects handed over by later starts: the first is opened, the others
    // reported in one message. askToSave false: the user has just answered
    // whether to save the project shown.
    void OnHandOver(const QStringList& paths, bool askToSave = true);

    CKWLDoc* GetDocument() const { return m_document.get(); }
    CMainFrame* GetMainFrame() const { return m_frame.get(); }
    CKWLView* GetView() const { return m_view; }
    const CkwlCmdLineInfo& GetCommandLine() const { return m_commandLine; }
    platform::RecentFileList* GetRecentFileList() const { return m_recent.get(); }
    const SingleInstance& GetInstance() const { return m_instance; }

    // IDocumentShell
    bool IsMainViewInitialized() const override;
    void OnDocumentReset() override;
    void FitPartsGridColumns() override;
    void RebuildPartsGrid() override;
    void RefreshPartsPage() override;
    void ClearMaterialsTreeSelection() override;
    void OnCloseDocument() override;
    void OnBeforeSaveDocument() override;
    void OnNewDocument() override;
    void OnAfterSaveCommand() override;
    bool PromptFileName(QString& path, bool saveAs) override;
    Answer AskYesNoCancel(const QString& text) override;
    bool PostDocumentErrorReport() override;
    void ShowSaveError(const QString& message) override;
    void SetViewsPainting(bool painting) override;
    void PostSkippedPartsAlert() override;

private:
    // A later start: hands its project to the running program. True when
    // that program ended meanwhile and this start takes its place.
    bool HandOverToTheRunningProgram();
    void StartServices();
    bool CreateMainWindow();
    void WireCommands();
    // False when the command line asked for a job that ends the program.
    bool ProcessCommandLine();
    // The window's close: false while it must stay (the project is not to
    // be closed, or later starts handed projects over that are still to
    // open: they open instead).
    bool QueryClose();
    bool OpenProject(const QString& path, bool askToSave);
    // Whether a handed-over project must wait: a run, a modal dialog or a
    // popup menu has its own event loop running, or the print preview is up.
    bool IsBusyForHandOver() const;
    void UpdateFrameTitle();

    SingleInstance m_instance;
    bool m_refused = false;
    bool m_handOverFailed = false;
    // Handed-over projects wait until the window is up and the command
    // line's project is open.
    bool m_started = false;
    CkwlCmdLineInfo m_commandLine;
    std::unique_ptr<platform::RecentFileList> m_recent;
    std::unique_ptr<CKWLDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    CKWLView* m_view = nullptr; // owned by the frame
    std::unique_ptr<HandOverQueue> m_handOvers;
};

// The project file dialog (open or save as); tests replace it through
// SetFileDialogFunction.
bool DoPromptFileName(QString& path, bool open);
