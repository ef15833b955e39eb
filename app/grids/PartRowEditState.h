#pragma once
// The part or parts the parts grid is editing. Typing changes a clone of
// the part; leaving the row turns the clone into one part edit command, so
// each row edit is one undo step. Also the unpin step for parts with copies
// placed by hand on pinned layout diagrams.

#include <vector>

class CMilledPart;
class IPartsListMgr;

// Asks the user whether the pinned diagrams that block an edit may be
// unpinned. The main view implements it with the pinned-edit alert.
class IPinnedEditPrompt
{
public:
    virtual ~IPinnedEditPrompt() = default;
    // True when the user agreed (the alert ended with OK).
    virtual bool ConfirmPinnedEdit(int messageId) = 0;
};

class PartRowEditState
{
public:
    enum Mode : int { kNothingHeld = 0, kOnePart = 1, kSeveralParts = 2 };

    explicit PartRowEditState(IPinnedEditPrompt* owner);
    ~PartRowEditState();
    PartRowEditState(const PartRowEditState&) = delete;
    PartRowEditState& operator=(const PartRowEditState&) = delete;

    void SetGrid(IPartsListMgr* grid) { m_grid = grid; }
    // The document's parts list: parts that leave it are dropped before any
    // held part is used, so a part a delete command owns is never touched.
    void SetPartsList(const std::vector<CMilledPart*>* parts) { m_partsList = parts; }

    bool HasData() const { return m_hasData; }
    bool HasPendingEdit() const { return m_mode == kOnePart && m_hasData; }
    int GetMode() const { return m_mode; }
    CMilledPart* GetHeldPart() const { return m_held.empty() ? nullptr : m_held.front(); }
    const std::vector<CMilledPart*>& GetHeldParts() const { return m_held; }
    // The document's part that the pending clone was made from.
    CMilledPart* GetEditedPart() const { return m_edited; }

    // Empties the list without deleting anything.
    void Forget();
    // Deletes the pending clone (a single-part edit) and holds nothing.
    void Discard();
    // Replaces the held part by its clone, which the edits then change.
    void MakeEditableCopy();
    // Ignored while a clone is pending.
    void Hold(std::vector<CMilledPart*> parts);
    // Runs the clone as one part edit of the part it was made from; a clone
    // equal to the part makes no command.
    void CommitPendingEdit();
    void CommitRowEdits();
    void CancelRowEdits();
    bool IsPlacedSingleRow();
    void FinishGridEditing();
    void RefreshGrid();
    // The unpin step: when a held part has copies placed by hand, asks the
    // owner with the prompt and unpins their diagrams when it agrees. False
    // when the user declined.
    bool Commit(int prompt);
    // Drops held parts that are no longer in the document's list.
    void DropRemovedParts();

private:
    bool IsInList(const CMilledPart* part) const;
    void Reset();

    IPartsListMgr* m_grid = nullptr;
    IPinnedEditPrompt* m_owner;
    std::vector<CMilledPart*> m_held;
    bool m_hasData = false;
    int m_mode = kNothingHeld;
    CMilledPart* m_edited = nullptr;
    const std::vector<CMilledPart*>* m_partsList = nullptr;
};

// Whether the editable values of two parts are the same: number and its
// text, texts, copies, dragged-off copies, sizes and material.
bool PartEditValuesEqual(const CMilledPart& a, const CMilledPart& b);
