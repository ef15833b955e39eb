#pragma once
// Edits several selected parts at once: each field starts with the value
// all parts share (empty when they differ), and only the fields the user
// changes are written, to every part, as one "Group Edit" undo step. An edit
// that pinned layout diagrams would block is offered for unpinning; the
// unpin the user agrees to runs with the part edits on OK, never on Cancel.

#include "foundation/CDimension.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CMilledPart;
class CSheetGoodEx;
class IPartsDoc;
class IPinnedEditPrompt;
class QComboBox;
class ColorStatic;
class QLabel;
class QLineEdit;

class CGroupEditDlg : public QDialog
{
    Q_OBJECT
public:
    // Control ids of the dialog's fields.
    enum Control : int {
        kDescription = 422,
        kMaterial = 424,
        kCopies = 425,
        kThickness = 426,
        kWidth = 427,
        kLength = 428,
        kIntro = 429,
        kUserInfo = 431,
        kLockNotice = 32185,
    };
    static constexpr unsigned kLockNoticeColor = 0xC80000;

    // prompt: asks whether blocking diagrams may be unpinned; null shows the
    // pinned-edit alert.
    CGroupEditDlg(IPartsDoc& document, std::vector<CMilledPart*> parts, QWidget* parent = nullptr,
        IPinnedEditPrompt* prompt = nullptr);
    ~CGroupEditDlg() override;

    QLineEdit* GetEdit(int id) const;
    QComboBox* GetMaterialBox() const { return m_materialBox; }
    QLabel* GetIntro() const { return m_intro; }
    ColorStatic* GetLockNotice() const { return m_lockNotice; }
    // The parts whose diagrams OK will unpin, in the order agreed to.
    const std::vector<CMilledPart*>& GetPartsToUnpin() const { return m_unpin; }

    // What leaving a field does (kill focus), and the material choice.
    void OnDescriptionLeft();
    void OnUserInfoLeft();
    void OnCopiesLeft();
    void OnThicknessLeft();
    void OnWidthLeft();
    void OnLengthLeft();
    void OnMaterialChosen(int index);

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FieldState
    {
        bool shared = true;
        bool changed = false;
    };
    enum Field : int {
        kFieldDescription,
        kFieldUserInfo,
        kFieldMaterial,
        kFieldCopies,
        kFieldThickness,
        kFieldWidth,
        kFieldLength,
        kFieldCount
    };
    using PartTest = std::function<bool(const CMilledPart&)>;

    void BuildControls();
    void FillFields();
    void FillMaterialList();
    void SelectSharedMaterial();
    void ShowCopies();
    void ShowLength(QLineEdit* edit, Field field, const CDimension& value);
    void OnTextLeft(QLineEdit* edit, Field field, QString& shared);
    void OnLengthFieldLeft(QLineEdit* edit, Field field, CDimension& shared,
        const std::function<const CDimension&(const CMilledPart&)>& get);
    // The selected parts with hand-placed copies for which the test holds
    // may be changed only after their diagrams are unpinned: asks, and
    // remembers the agreed parts for OK.
    bool PinnedCheck(const PartTest& test, int prompt);
    bool Confirm(int prompt);
    void RunLeaveHandler(QObject* field);

    IPartsDoc& m_document;
    std::vector<CMilledPart*> m_parts;
    QString m_description;
    QString m_userInfo;
    std::shared_ptr<CSheetGoodEx> m_material;
    std::uint32_t m_copies = 0;
    CDimension m_thickness;
    CDimension m_width;
    CDimension m_length;
    FieldState m_fields[kFieldCount];

    IPinnedEditPrompt* m_prompt;
    std::vector<CMilledPart*> m_unpin;
    QLineEdit* m_descriptionEdit = nullptr;
    QLineEdit* m_userInfoEdit = nullptr;
    QComboBox* m_materialBox = nullptr;
    QLineEdit* m_copiesEdit = nullptr;
    QLineEdit* m_thicknessEdit = nullptr;
    QLineEdit* m_widthEdit = nullptr;
    QLineEdit* m_lengthEdit = nullptr;
    QLabel* m_intro = nullptr;
    ColorStatic* m_lockNotice = nullptr;
};
