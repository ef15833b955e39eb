#pragma once
// A shell without windows: records what the document asks of it and answers
// prompts from a script.

#include "document/IDocumentShell.h"

#include <QStringList>

class FakeDocumentShell : public IDocumentShell
{
public:
    bool hasMainFrame = true;
    Answer answer = Answer::Cancel;
    QString chosenPath;  // empty: the file dialog is cancelled
    QStringList events;
    QStringList questions;

    bool IsMainViewInitialized() const override { return true; }
    void OnDocumentReset() override { events << QStringLiteral("reset"); }
    void FitPartsGridColumns() override { events << QStringLiteral("fit"); }
    void RebuildPartsGrid() override { events << QStringLiteral("rebuild"); }
    void RefreshPartsPage() override { events << QStringLiteral("refresh"); }
    void ClearMaterialsTreeSelection() override { events << QStringLiteral("clearTree"); }
    void OnCloseDocument() override { events << QStringLiteral("close"); }
    void OnBeforeSaveDocument() override { events << QStringLiteral("beforeSave"); }
    void OnNewDocument() override { events << QStringLiteral("new"); }
    void OnAfterSaveCommand() override { events << QStringLiteral("afterSave"); }
    bool PromptFileName(QString& path, bool) override
    {
        events << QStringLiteral("prompt:") + path;
        if (chosenPath.isEmpty())
            return false;
        path = chosenPath;
        return true;
    }
    Answer AskYesNoCancel(const QString& text) override
    {
        questions << text;
        return answer;
    }
    bool PostDocumentErrorReport() override
    {
        events << QStringLiteral("postError");
        return hasMainFrame;
    }
    void ShowSaveError(const QString& message) override { events << QStringLiteral("saveError:") + message; }
    void SetViewsPainting(bool painting) override { events << (painting ? QStringLiteral("paint") : QStringLiteral("noPaint")); }
    void PostSkippedPartsAlert() override { events << QStringLiteral("skipped"); }
};
