#include "shell/CKerfwellPlusApp.h"

#include "shell/CAboutDlg.h"
#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/HandOverQueue.h"
#include "shell/MainViewCommands.h"
#include "shell/ProgramStringTables.h"
#include "shell/ShellCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"
#include "shell/SplashScreen.h"
#include "shell/ViewMgr.h"

#include "document/CKWLDoc.h"
#include "document/ConcreteDocConverter.h"
#include "document/DocumentErrorRecord.h"
#include "document/LockProjectCmd.h"
#include "document/ProjectFile.h"
#include "foundation/CUserPrefs.h"
#include "foundation/CmdHistory.h"
#include "foundation/FileNames.h"
#include "foundation/PrintSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"
#include "foundation/SharedFolderSettings.h"
#include "foundation/TCPResource.h"
#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "foundation/WindowPlacement.h"
#include "foundation/ui/DialogTitleFitter.h"
#include "gridctrl/CUGCtrl.h"
#include "grids/GridHooks.h"
#include "layouts/ui/LayoutDisplayPrefsPg.h"
#include "model/CMaterials.h"
#include "model/CSheetGoodEx.h"
#include "model/ModelUiHook.h"
#include "model/SheetGoodSizeCost.h"
#include "model/SizeCostFactory.h"
#include "optimization/OptimizationServices.h"
#include "optimization/manual/PrepareForManualEditingCmd.h"
#include "optimization/ui/CTaskProgressDialog.h"
#include "output/export/ExportStrings.h"
#include "output/print/CPrintEngineBase.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintSetupCommands.h"
#include "output/print/ui/CPrintCommands.h"
#include "output/print/ui/PrintPreferencePages.h"
#include "shell/prefs/PrefsMessages.h"
#include "shell/prefs/RegisterPreferencePages.h"

#include <platform/ui/RecentFileList.h>

#include <QApplication>
#include <QMetaObject>
#include <QPointer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPrefRawMaterialsFolder = 1002;
constexpr int kPrefProjectsFolder = 1004;
constexpr int kPrefGridlines = 2036;
constexpr int kPrefMruCount = 3061;

void Log(const QString& text)
{
    SessionLog::Instance().Write(SessionLog::Info, text);
}

QString PrefText(int id)
{
    const UserPrefsBase* prefs = GetUserPrefs();
    return prefs ? prefs->GetString(id) : QString();
}

// A later start whose project did not reach the running program says so:
// on the error output always, and in a message box on a desktop (a headless
// run has no one to close it). The string service is not started here.
void ReportHandOverFailure(const QString& path)
{
    TCPResource strings(DefaultLanguageFolder(), {ShellStringResources()});
    const QString text = strings.Text(kStrHandOverFailed).arg(DisplayFileName(path));
    std::fputs(EncodeFileName(text + QLatin1Char('\n')).constData(), stderr);
    const QString platform = QApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        ShowShellMessage(text, QMessageBox::Warning);
}

} // namespace

bool DoPromptFileName(QString& path, bool open)
{
    FileDialogRequest request;
    request.open = open;
    request.title = LoadUIString(open ? kStrOpenTitle : kStrSaveAsTitle);
    request.filters = {LoadUIString(kStrProjectFiles), LoadUIString(kStrAllFiles) + QStringLiteral(" (*)")};
    request.defaultSuffix = QStringLiteral("kwxe");
    request.folder = PrefText(kPrefProjectsFolder);
    return RunFileDialog(request, path);
}

CKerfwellPlusApp::CKerfwellPlusApp(const QString& instanceName, SingleInstanceTiming timing)
    : m_instance(instanceName, timing)
{ }

CKerfwellPlusApp::~CKerfwellPlusApp()
{
    m_handOvers.reset();
    if (m_document)
        m_document->SetShell(nullptr);
    m_frame.reset();
    m_document.reset();
}

bool CKerfwellPlusApp::InitInstance(const QStringList& arguments)
{
    m_commandLine.Parse(arguments);
    // Before anything touches the session log: a second instance hands its
    // project over and ends, leaving the running program's log alone.
    if (!m_instance.TryAcquire() && !HandOverToTheRunningProgram())
        return false;
    Log(QStringLiteral("App Startup"));
    Log(ProgramVersionText());
    // Listening at once: a start that comes while this one is still starting
    // hands its project over instead of losing it. The socket's handler only
    // queues: opening asks to save the project, and that question's event
    // loop must not run inside the handler.
    m_handOvers = std::make_unique<HandOverQueue>([this] { return !m_started || IsBusyForHandOver(); },
                                                  [this](const QStringList& paths) { OnHandOver(paths); });
    m_instance.Listen([this](const QStringList& paths) {
        if (m_handOvers)
            m_handOvers->Add(paths);
    });
    if (!qApp->findChild<DialogTitleFitter*>(QString(), Qt::FindDirectChildrenOnly))
        qApp->installEventFilter(new DialogTitleFitter(qApp));
    SplashScreen splash;
    splash.Show(QString());
    StartServices();
    splash.close();
    if (!CreateMainWindow())
        return false;
    m_started = ProcessCommandLine();
    return m_started;
}

bool CKerfwellPlusApp::HandOverToTheRunningProgram()
{
    m_refused = true;
    const QString file = m_commandLine.GetFileName();
    if (file.isEmpty())
        return false;
    const QString path = AbsoluteFileName(file);
    switch (m_instance.HandOver({path})) {
    case SingleInstance::HandOverResult::Delivered:
        return false;
    case SingleInstance::HandOverResult::TookOver:
        m_refused = false;
        return true;
    case SingleInstance::HandOverResult::NotDelivered:
        break;
    }
    m_handOverFailed = true;
    ReportHandOverFailure(path);
    return false;
}

void CKerfwellPlusApp::StartServices()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Marrowby Design"));
    QCoreApplication::setApplicationName(QStringLiteral("Kerfwell Plus Solo"));
    for (const QString& aside : SetUnreadableProfileFilesAside())
        SessionLog::Instance().Write(
            SessionLog::Warning, QStringLiteral("Unreadable profile kept as: ") + DisplayFileName(aside));
    InstallDocConverter();
    RegisterSheetGoodServices();
    RegisterOptimizationServices();
    RegisterManualEditingCommands();
    Log(QStringLiteral("Factories initialized"));
    CreateUserPrefs();
    InitUserPrefs();
    Log(QStringLiteral("User Prefs initialized"));
    const UserPrefsBase* prefs = GetUserPrefs();
    // Kept as the names' bytes, so that a name that is not UTF-8 survives.
    m_recent = std::make_unique<platform::RecentFileList>(prefs ? prefs->GetInt(kPrefMruCount) : 9,
        platform::FileNameCodec { &EncodeFileName, &DecodeFileName });
    m_recent->Load();
    InitUIStrings(DefaultLanguageFolder(), ProgramStringTables());
    // Messages of the lower layers become message boxes of this window.
    SetModelMessageHook([](const QString& text) { ShowShellMessage(text); });
    SetModelWarningHook([](const QString& text) { ShowShellMessage(text, QMessageBox::Warning); });
    InstallPrefsMessageBox();
    SetPrintMessageHook([](const QString& text) { ShowShellMessage(text, QMessageBox::Warning); });
    SetGridMessageHook([](QWidget*, const QString& text, const QString&) { ShowShellMessage(text); });
    SetProjectNameSource([](IDoc* document) {
        auto* project = dynamic_cast<CKWLDoc*>(document);
        return project ? project->GetProjectSettings().GetProjectName() : QString();
    });
    // The cover page shows the project's file.
    SetProjectPathSource([](IDoc* document) {
        auto* project = dynamic_cast<CKWLDoc*>(document);
        return project ? DisplayFileName(project->PathName()) : QString();
    });
    InstallTaskProgressDialog();
    RegisterShellPreferencePages();
    RegisterLayoutDisplayPreferencePage();
    RegisterPrintPreferencePages();
    SharedFolderSettings::Instance().Load();
    Log(QStringLiteral("Shared settings mgr loaded"));
    // Every size/cost row, loaded or made later, comes from this factory.
    InstallSizeCostFactory(std::make_unique<SizeCostFactory<SheetGoodSizeCost, CSGSizeCost>>());
    CMaterials* library = CreateMaterialsLibrary();
    library->SetFolder(PrefText(kPrefRawMaterialsFolder));
    library->Load(false, false, true);
    Log(QStringLiteral("Materials loaded."));
}

bool CKerfwellPlusApp::CreateMainWindow()
{
    m_document = std::make_unique<CKWLDoc>();
    m_document->SetShell(this);
    m_document->SetRecentFileList(m_recent.get());
    m_frame = std::make_unique<CMainFrame>(CreatePrintControlOnce);
    if (!m_frame->OnCreate())
        return false;
    m_document->SetStateObserver([this] { UpdateFrameTitle(); });
    m_frame->SetRecentFiles([this] { return m_recent ? m_recent->Files() : QStringList(); },
                            [this](const QString& path) { OnOpenRecentFile(path); });
    m_view = new CKWLView(*m_document, m_frame.get());
    m_frame->SetView(m_view);
    m_frame->SetCloseQuery([this] { return QueryClose(); });
    m_frame->SetFileOpener([this](const QString& path) { OpenDocumentFile(path); });
    m_document->OnNewDocument();
    m_view->OnInitialUpdate();
    m_view->GetViewMgr()->SetNewProjectHandler([this] { OnFileNew(); });
    WireCommands();
    m_frame->CloseLoadingSplash();
    m_frame->ActivateFrame();
    return true;
}

bool CKerfwellPlusApp::ProcessCommandLine()
{
    using Command = CkwlCmdLineInfo::ShellCommand;
    const Command command = m_commandLine.GetShellCommand();
    if (command == Command::FileNew)
        return true;
    // A project that cannot be opened is reported; the program stays, empty.
    if (!OpenDocumentFile(m_commandLine.GetFileName()) || command == Command::FileOpen)
        return true;
    // The print switches print the project, with no dialog, and end the
    // program. "-pt" names the printer for this one job.
    const PrintSettings stored = PrintPrefs().GetPrintSettings();
    if (command == Command::FilePrintTo) {
        PrintSettings onPrinter = stored;
        PageSetup setup = onPrinter.GetPrinterPageSetup();
        setup.device = m_commandLine.GetPrinterName();
        setup.port.clear();
        onPrinter.SetPrinterPageSetup(setup);
        PrintPrefs().SetPrintSettings(onPrinter);
    }
    m_view->GetPrintCommands().PrintDocumentNow();
    PrintPrefs().SetPrintSettings(stored);
    // Projects handed over meanwhile were taken: the program stays to open
    // them. Otherwise a later start waits for its end and opens its own.
    if (m_handOvers && m_handOvers->IsWaiting())
        return true;
    m_instance.StopListening();
    return false;
}

void CKerfwellPlusApp::WireCommands()
{
    platform::CommandActions& commands = m_frame->GetCommands();
    CKWLDoc& document = *m_document;
    ViewMgr& views = *m_view->GetViewMgr();
    commands.SetHandler(ShellCommand::FileNew, [this] { OnFileNew(); });
    commands.SetHandler(ShellCommand::FileOpen, [this] { OnFileOpen(); });
    commands.SetHandler(ShellCommand::FileSave, [this] { OnFileSave(); });
    commands.SetHandler(ShellCommand::FileSaveAs, [this] { OnFileSaveAs(); });
    // Exit ends the program from the print preview too, where the close box
    // closes the preview only.
    commands.SetHandler(ShellCommand::AppExit, [this] {
        m_view->GetPrintCommands().OnEndPrintPreview();
        m_frame->close();
    });
    commands.SetHandler(ShellCommand::AppAbout, [this] {
        CAboutDlg about(m_frame.get());
        QPointer<CKWLView> view = m_frame->GetView();
        about.SetSupportToolsHook([view] {
            if (view)
                view->SkipGridStateSave();
        });
        about.exec();
    });
    commands.SetHandler(ShellCommand::ProjectSettings, [this, &views] { views.EditProjectSettings(m_frame.get()); });
    commands.SetHandler(ShellCommand::Preferences, [this, &views] { views.EditPreferences(m_frame.get()); });
    commands.SetHandler(ShellCommand::LockProject, [&document, &views] {
        views.FinishEditing();
        if (CmdHistory* history = GetCmdHistory())
            history->Add(std::make_shared<LockProjectCmd>(document.IsProjectLocked() ? LockProjectCmd::Unlock
                                                                                     : LockProjectCmd::Lock));
    });
    commands.SetCheckedRule(ShellCommand::LockProject, [&document] { return document.IsProjectLocked(); });
    commands.SetTextRule(ShellCommand::LockProject, [&document] {
        return LoadUIString(document.IsProjectLocked() ? kStrUnlockProjectMenu : kStrLockProjectMenu);
    });
    commands.SetHandler(ShellCommand::Gridlines, [&views] {
        if (UserPrefsBase* prefs = GetUserPrefs())
            prefs->ToggleFlag(kPrefGridlines);
        views.ApplyGridlinesPref();
    });
    commands.SetCheckedRule(ShellCommand::Gridlines,
                            [] { return GetUserPrefs() && GetUserPrefs()->GetFlag(kPrefGridlines); });
    commands.SetHandler(ShellCommand::ExportForMobile, [&views] { views.ExportForMobile(); });
    commands.SetHandler(ShellCommand::PageSetup, [this] { RunPageSetupCommand(m_frame.get()); });
    CPrintCommands& print = m_view->GetPrintCommands();
    commands.SetHandler(ShellCommand::FilePrint, [&print] { print.OnFilePrint(); });
    commands.SetHandler(ShellCommand::FilePrintPreview, [&print] { print.OnFilePrintPreview(); });
    // The preview is one at a time and prints from its own bar.
    for (int id : { ShellCommand::FilePrint, ShellCommand::FilePrintPreview })
        commands.SetEnabledRule(id, [&print] { return !print.IsPreviewing(); });
    commands.SetHandler(ShellCommand::FilePrintSetup, [this] {
        RunPrintSetupCommand(m_frame.get());
        m_view->update();
    });
    new MainViewCommands(commands, *m_view, document, m_frame.get());
    SetMainWindowCommandHook([this](int id) { m_frame->GetCommands().Trigger(id); });
    commands.UpdateActions();
}

int CKerfwellPlusApp::ExitInstance()
{
    if (m_refused)
        return m_handOverFailed ? EXIT_FAILURE : EXIT_SUCCESS;
    Log(QStringLiteral("ExitInstance"));
    if (MaterialsBase* library = GetMaterialsLibrary()) {
        library->StoreIfDirty();
        Log(QStringLiteral("Called StoreIfDirty"));
    }
    ReleaseDialogFont();
    return 0;
}

bool CKerfwellPlusApp::QueryClose()
{
    if (ViewMgr* manager = m_view->GetViewMgr())
        manager->FinishEditingForClose();
    if (!m_document->SaveModified())
        return false;
    // A later start that handed its project over (before the close or while
    // the question was up) was told that it is taken: it opens, without a
    // second question, and the program stays.
    if (m_handOvers && m_handOvers->IsWaiting()) {
        OnHandOver(m_handOvers->Take(), false);
        return false;
    }
    // From now on nothing is taken from a later start: it waits until this
    // program has ended and then opens its own window.
    m_instance.StopListening();
    m_document->OnCloseDocument();
    return true;
}

bool CKerfwellPlusApp::OpenDocumentFile(const QString& path)
{
    return OpenProject(path, true);
}

bool CKerfwellPlusApp::OpenProject(const QString& path, bool askToSave)
{
    if (m_view && m_view->GetViewMgr())
        m_view->GetViewMgr()->FinishEditing();
    if (askToSave && !m_document->SaveModified())
        return false;
    const bool opened = m_document->OnOpenDocument(path);
    if (m_view)
        m_view->update();
    return opened;
}

void CKerfwellPlusApp::OnFileNew()
{
    if (m_view && m_view->GetViewMgr())
        m_view->GetViewMgr()->FinishEditing();
    if (!m_document->SaveModified())
        return;
    m_document->OnNewDocument();
}

void CKerfwellPlusApp::OnFileOpen()
{
    QString path;
    if (!DoPromptFileName(path, true)) {
        m_view->update();
        return;
    }
    OpenDocumentFile(path);
}

void CKerfwellPlusApp::OnOpenRecentFile(const QString& path)
{
    if (!FileNameExists(path)) {
        m_recent->Remove(path);
        m_recent->Save();
        ShowShellMessage(LoadUIString(kStrRecentFileGone).arg(DisplayFileName(path)), QMessageBox::Warning);
        return;
    }
    OpenDocumentFile(path);
}

void CKerfwellPlusApp::OnHandOver(const QStringList& paths, bool askToSave)
{
    if (paths.isEmpty())
        return;
    OpenProject(paths.front(), askToSave);
    if (paths.size() > 1)
        ShowShellMessage(LoadUIString(kStrHandOverNotOpened)
                             .arg(NotOpenedNamesText(paths.mid(1), LoadUIString(kStrHandOverMore))));
}

bool CKerfwellPlusApp::IsBusyForHandOver() const
{
    // The print preview shows the open project's pages: a project handed
    // over meanwhile opens once it is closed.
    return (m_document && m_document->GetProgressDialog()) || QApplication::activeModalWidget()
        || QApplication::activePopupWidget() || (m_view && m_view->GetPrintCommands().IsPreviewing());
}

void CKerfwellPlusApp::UpdateFrameTitle()
{
    if (m_frame && m_document)
        m_frame->UpdateFrameTitle(m_document->Title(), m_document->IsModified());
}

bool CKerfwellPlusApp::OnFileSave()
{
    return m_document->DoFileSave();
}

bool CKerfwellPlusApp::OnFileSaveAs()
{
    const bool saved = m_document->DoSave(QString(), true);
    OnAfterSaveCommand();
    return saved;
}

// ------------------------------------------------------- IDocumentShell

bool CKerfwellPlusApp::IsMainViewInitialized() const
{
    return m_view && m_view->IsInitialized();
}

void CKerfwellPlusApp::OnDocumentReset()
{
    if (m_view)
        m_view->OnDocumentReset();
}

void CKerfwellPlusApp::FitPartsGridColumns()
{
    if (m_view)
        m_view->FitPartsGridColumns();
}

void CKerfwellPlusApp::RebuildPartsGrid()
{
    if (m_view)
        m_view->RebuildPartsGrid();
}

void CKerfwellPlusApp::RefreshPartsPage()
{
    if (m_view)
        m_view->RefreshPartsPage();
}

void CKerfwellPlusApp::ClearMaterialsTreeSelection()
{
    if (m_view && m_view->IsInitialized())
        m_view->ClearTreeSelection();
}

void CKerfwellPlusApp::OnCloseDocument()
{
    if (m_view && m_view->GetViewMgr())
        m_view->GetViewMgr()->OnCloseDocument();
}

void CKerfwellPlusApp::OnNewDocument()
{
    if (m_view && m_view->GetViewMgr())
        m_view->GetViewMgr()->OnNewDocument();
}

void CKerfwellPlusApp::OnBeforeSaveDocument()
{
    if (m_view && m_view->GetViewMgr())
        m_view->GetViewMgr()->FinishEditing();
}

void CKerfwellPlusApp::OnAfterSaveCommand()
{
    if (m_frame)
        m_frame->GetCommands().UpdateActions();
}

bool CKerfwellPlusApp::PromptFileName(QString& path, bool)
{
    return DoPromptFileName(path, false);
}

IDocumentShell::Answer CKerfwellPlusApp::AskYesNoCancel(const QString& text)
{
    switch (AskQuestion(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool CKerfwellPlusApp::PostDocumentErrorReport()
{
    if (!m_frame)
        return false;
    // Shown once the failed open has unwound; the document is already the
    // empty, untitled project the failure left.
    QMetaObject::invokeMethod(m_frame.get(), [] { ReportDocumentError(); }, Qt::QueuedConnection);
    return true;
}

void CKerfwellPlusApp::ShowSaveError(const QString& message)
{
    // The project, its path and its modified flag stay: the work is not lost.
    ShowShellMessage(message, QMessageBox::Warning);
}

void CKerfwellPlusApp::SetViewsPainting(bool painting)
{
    // The progress dialog is a window of its own and goes on painting.
    if (m_view)
        m_view->setUpdatesEnabled(painting);
}

void CKerfwellPlusApp::PostSkippedPartsAlert()
{
    if (m_view)
        m_view->PostSkippedPartsAlert();
}
