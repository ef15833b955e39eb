#include "output/print/ui/CPrintCommands.h"

#include "foundation/PrintSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/UserPrefsBase.h"
#include "output/print/PrintMessages.h"
#include "output/print/PrintPrefs.h"
#include "output/print/PrintSetupCommands.h"
#include "output/print/ui/CPrintLayoutsDlg.h"
#include "output/print/ui/CTPPreviewView.h"
#include "output/print/ui/CTPPrintPreviewBar.h"
#include "output/print/ui/IPrintViewHost.h"
#include "output/print/ui/PrintUiStrings.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace {

constexpr int kPartsPage = 0;

void ShowPrintProblem()
{
    ShowPrintStopMessage(LoadUIString(kStrPrintProblem));
}

} // namespace

CPrintCommands::CPrintCommands(IPrintViewHost& host)
    : m_host(host)
{ }

CPrintCommands::~CPrintCommands() = default;

CTPPreviewView* CPrintCommands::GetPreviewView() const
{
    return m_previewView;
}

void CPrintCommands::OnFilePrint()
{
    // While the preview is up it prints from its own bar.
    if (IsPreviewing())
        return;
    m_host.FinishEditing();
    std::optional<IgnorePrefsScope> ignorePrefs(std::in_place);
    CPrintLayoutsDlg dialog(m_host.GetPrintDocument(), &m_host, false, m_host.GetPrintView());
    const int result = dialog.DoModal();
    ignorePrefs.reset();
    if (result == QDialog::Accepted)
        PrintDocumentNow(&dialog.GetPrinter());
}

void CPrintCommands::OnFilePrintPreview()
{
    if (IsPreviewing())
        return;
    m_host.FinishEditing();
    std::optional<IgnorePrefsScope> ignorePrefs(std::in_place);
    CPrintLayoutsDlg dialog(m_host.GetPrintDocument(), &m_host, true, m_host.GetPrintView());
    const int result = dialog.DoModal();
    ignorePrefs.reset();
    if (result == QDialog::Accepted)
        StartPreview(dialog.IsPdfOutput());
    else
        m_host.RefreshView();
}

void CPrintCommands::PrintActivePage()
{
    if (IsPreviewing())
        return;
    if (QWidget* view = m_host.GetPrintView())
        view->setFocus();
    m_host.FinishEditing();
    const PrintSettings unchanged = PrintPrefs().GetPrintSettings();
    PrintSettings diagramsOnScreen = unchanged;
    diagramsOnScreen.SetCurrentLayoutsOnly();
    PrintPrefs().SetPrintSettings(diagramsOnScreen);
    // The user's own choice comes back however the job ends.
    struct Restore
    {
        const PrintSettings& settings;
        ~Restore()
        {
            if (UserPrefsBase* prefs = GetUserPrefs())
                prefs->SetPrintSettings(settings);
        }
    } restore { unchanged };
    PrintDocumentNow();
}

bool CPrintCommands::PrintDocumentNow(QPrinter* target)
{
    m_host.SetViewRedraw(false);
    const int savedPage = m_host.GetShownPage();
    bool printed = false;
    try {
        CTPPreviewView job(m_host, target);
        printed = job.WasPrinted();
    } catch (...) {
        ShowPrintProblem();
    }
    // Printing the reports switches pages.
    m_host.ShowPage(savedPage);
    m_host.SetViewRedraw(true);
    return printed;
}

bool CPrintCommands::StartPreview(bool pdfOutput)
{
    if (!m_redrawLocked) {
        m_host.SetViewRedraw(false);
        m_redrawLocked = true;
    }
    m_savedPage = m_host.GetShownPage();
    m_host.ShowPage(kPartsPage);
    bool started = false;
    try {
        started = DoPrintPreview(pdfOutput);
    } catch (...) {
        // The preview never showed: the view comes back as it was.
        ShowPrintProblem();
        m_host.ShowPage(m_savedPage);
        ReleaseRedrawLock();
        return false;
    }
    if (!started) {
        ShowPrintStopMessage(QStringLiteral("Command failed."));
        ReleaseRedrawLock();
    }
    return started;
}

bool CPrintCommands::DoPrintPreview(bool pdfOutput)
{
    QMainWindow* frame = m_host.GetPrintFrame();
    if (!frame || m_previewPane)
        return false;
    // The pages are composed before the window changes, so a composition
    // that fails leaves the window as it was.
    auto pane = std::make_unique<QWidget>();
    pane->setObjectName(QStringLiteral("PrintPreviewPane"));
    auto* view = new CTPPreviewView(m_host, pane.get());
    view->SetPdfOutput(pdfOutput);
    auto* bar = new CTPPrintPreviewBar(pane.get());
    auto* layout = new QVBoxLayout(pane.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view, 1);
    layout->addWidget(bar);
    connect(bar->PrintButton(), &QPushButton::clicked, view, &CTPPreviewView::OnPrint);
    connect(bar->PageSetupButton(), &QPushButton::clicked, view, &CTPPreviewView::OnPageSetup);
    connect(bar->CloseButton(), &QPushButton::clicked, view, &CTPPreviewView::OnClose);
    connect(view, &CTPPreviewView::previewPageChanged, bar, &CTPPrintPreviewBar::ShowPageNumber);
    // The keys move between the pages wherever the focus is in the preview.
    const std::pair<QKeySequence, CTPPreviewView::PageMove> keys[] = {
        { QKeySequence(Qt::Key_PageUp), CTPPreviewView::PageMove::Previous },
        { QKeySequence(Qt::Key_PageDown), CTPPreviewView::PageMove::Next },
        { QKeySequence(Qt::Key_Home), CTPPreviewView::PageMove::First },
        { QKeySequence(Qt::Key_End), CTPPreviewView::PageMove::Last },
    };
    for (const auto& [key, move] : keys) {
        auto* shortcut = new QShortcut(key, pane.get());
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, view, [view, move = move] { view->MovePreviewPage(move); });
    }
    // Escape closes the preview wherever the focus is in the window.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), pane.get());
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, view, &CTPPreviewView::OnClose);
    // Posted, so that the preview ends after the click that asked for it.
    connect(view, &CTPPreviewView::closeRequested, this, &CPrintCommands::OnEndPrintPreview,
        Qt::QueuedConnection);
    const bool hasControl = view->Create();

    // Preview mode: the menus and tool bars give way to the preview's bar.
    m_hiddenBars.clear();
    if (QMenuBar* menus = frame->menuBar(); menus && menus->isVisible()) {
        m_hiddenBars << menus;
        menus->hide();
    }
    for (QToolBar* toolBar : frame->findChildren<QToolBar*>()) {
        if (toolBar->isVisible()) {
            m_hiddenBars << toolBar;
            toolBar->hide();
        }
    }
    // The main view stays the window's child, hidden, so that it lives and
    // dies with the window while the preview stands in for it.
    m_mainView = frame->takeCentralWidget();
    if (m_mainView) {
        m_mainView->setParent(frame);
        m_mainView->hide();
    }
    m_frame = frame;
    frame->installEventFilter(this);
    m_previewView = view;
    m_previewPane = pane.release();
    frame->setCentralWidget(m_previewPane);
    bar->PrintButton()->setFocus();
    Q_EMIT previewShown(true);
    if (!hasControl)
        Q_EMIT view->closeRequested();
    return true;
}

void CPrintCommands::OnEndPrintPreview()
{
    QMainWindow* frame = m_frame;
    if (!m_previewPane || !frame)
        return;
    frame->removeEventFilter(this);
    QWidget* pane
        = frame->centralWidget() == m_previewPane ? frame->takeCentralWidget() : m_previewPane.data();
    pane->hide();
    pane->deleteLater();
    m_previewPane = nullptr;
    m_previewView = nullptr;
    if (m_mainView) {
        frame->setCentralWidget(m_mainView);
        m_mainView->show();
    }
    for (const QPointer<QWidget>& bar : m_hiddenBars)
        if (bar)
            bar->show();
    m_hiddenBars.clear();
    m_host.ShowPage(m_savedPage);
    ReleaseRedrawLock();
    Q_EMIT previewShown(false);
}

bool CPrintCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The window's close box closes the preview, as its Close button does,
    // and nothing else: the program goes on with the project it shows.
    if (event->type() == QEvent::Close && watched == m_frame && m_previewPane) {
        OnEndPrintPreview();
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CPrintCommands::ReleaseRedrawLock()
{
    if (!m_redrawLocked)
        return;
    m_redrawLocked = false;
    m_host.SetViewRedraw(true);
}
