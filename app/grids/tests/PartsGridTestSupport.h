#pragma once
// The parts grid offscreen over a real project document: a library with Oak
// and Ash, the grid, its row edit state and a host that records what the
// grid asks of the view.

#include "ProjectDocumentFixture.h"

#include "foundation/CmdHistory.h"
#include "gridctrl/CUGRowMode.h"
#include "grids/CKerfwellGDM.h"
#include "grids/GridsStrings.h"
#include "grids/IPartsGridHost.h"
#include "grids/PartRowEditState.h"
#include "grids/PartsGridStrings.h"

#include <QAction>

#include <functional>
#include <utility>
#include <vector>

class RecordingPartsHost : public IPartsGridHost
{
public:
    void FinishEditing() override { ++finishes; }
    bool CommitPendingPartEdits() override { return commitAnswer; }
    void ShowPinnedPartPrompt(CMilledPart* part, int messageId) override
    {
        prompts.emplace_back(part, messageId);
        if (whilePrompting)
            whilePrompting();
    }
    void OnEditNote() override { commands.push_back(kEditNote); }
    void OnDeleteNote() override { commands.push_back(kDeleteNote); }
    void OnInsertNewPart() override { commands.push_back(kInsertNewPart); }
    void OnInsertDuplicatePart() override { commands.push_back(kInsertDuplicatePart); }
    void OnDelete() override { commands.push_back(kDelete); }
    void OnCut() override { commands.push_back(kCut); }
    void OnCopy() override { commands.push_back(kCopy); }
    void OnPaste() override { commands.push_back(kPaste); }
    void OnGroupEdit() override { commands.push_back(kGroupEdit); }
    void OnJumpToDiagram() override { commands.push_back(kJumpToDiagram); }
    void BeginMenuUpdate() override { updates.push_back(-1); }
    void UpdateMenuItem(int commandId, QAction* action) override
    {
        updates.push_back(commandId);
        action->setEnabled(commandId != kPaste);
    }
    void EndMenuUpdate() override { updates.push_back(-2); }

    int finishes = 0;
    bool commitAnswer = true;
    // What the prompt does on screen, such as a modal box the user answers.
    std::function<void()> whilePrompting;
    std::vector<std::pair<CMilledPart*, int>> prompts;
    std::vector<int> commands;
    std::vector<int> updates;
};

class ScriptedPrompt : public IPinnedEditPrompt
{
public:
    bool ConfirmPinnedEdit(int messageId) override
    {
        asked.push_back(messageId);
        return answer;
    }
    bool answer = true;
    std::vector<int> asked;
};

class PartsGridTest : public ProjectDocumentTest
{
protected:
    void SetUp() override
    {
        ProjectDocumentTest::SetUp();
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                DocumentStringResources(), GridsStringResources(), PartsGridStringResources() });
        m_library->RebuildMaterialNameList();
        m_state = std::make_unique<PartRowEditState>(&m_prompt);
        m_mgr = std::make_unique<CKerfwellGDM>(&m_host, *m_doc);
        m_mgr->SetRowEditState(m_state.get());
        GetCmdHistory()->Clear();
    }

    void TearDown() override
    {
        m_grid.reset();
        m_mgr.reset();
        m_state.reset();
        ProjectDocumentTest::TearDown();
    }

    void Attach()
    {
        m_grid = std::make_unique<CUGRowMode>();
        m_grid->CreateGrid(0, platform::Rect(0, 0, 900, 300), nullptr, 1);
        m_grid->resize(900, 300);
        m_grid->SetDataSource(m_grid->AddDataSource(m_mgr.get()));
        m_mgr->RefreshRowCount();
    }

    // Parts "P1".."Pn" (or the given descriptions) of Oak, 10 x 20, 2 copies.
    std::vector<CMilledPart*> AddParts(const QStringList& descriptions)
    {
        std::vector<CMilledPart*> parts;
        for (const QString& description : descriptions)
            parts.push_back(Append(m_oak, 10, 20, 2, description));
        GetCmdHistory()->Clear();
        if (m_grid)
            m_mgr->RefreshRowCount();
        return parts;
    }
    std::vector<CMilledPart*> AddNumberedParts(int count)
    {
        QStringList names;
        for (int i = 1; i <= count; ++i)
            names << QStringLiteral("P%1").arg(i);
        return AddParts(names);
    }

    const std::vector<CMilledPart*>& List() const { return m_doc->GetPartsContainer(); }
    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (const CMilledPart* part : List())
            numbers.push_back(part->GetID().GetNumber());
        return numbers;
    }
    QStringList Descriptions() const
    {
        QStringList texts;
        for (const CMilledPart* part : List())
            texts << part->GetDescription();
        return texts;
    }

    // Types into a cell as the in-place editor does; the answer is the
    // grid's (1 closes the editor, 0 keeps it open).
    int Type(int column, int row, const QString& text)
    {
        QWidget* editor = nullptr;
        if (m_mgr->OnEditBegin(column, row, &editor) != 1)
            return -1;
        return m_mgr->OnEditEnd(column, row, nullptr, text, false);
    }
    void Select(std::initializer_list<int> rows)
    {
        m_grid->ClearSelections();
        for (int row : rows)
            m_grid->SelectCell(0, row);
    }

    RecordingPartsHost m_host;
    ScriptedPrompt m_prompt;
    std::unique_ptr<PartRowEditState> m_state;
    std::unique_ptr<CKerfwellGDM> m_mgr;
    std::unique_ptr<CUGRowMode> m_grid;
};
