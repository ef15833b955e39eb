#pragma once

#include "foundation/ui/CUserPrefsPropSheet.h"

#include <QStringList>

class COXColorPickerButton;
class QComboBox;

// Fonts and font sizes of the lists and the layout diagrams, and the colour
// of part numbers in the bold diagram style.
class CFormatsPg : public CPreferencePage
{
    Q_OBJECT

public:
    // faces: the installed font faces to offer; empty asks the font database.
    explicit CFormatsPg(GeneralSettings* record, QWidget* parent = nullptr, const QStringList& faces = {});
    void CommitToRecord() override;

    QComboBox* ListFaceList() const { return m_listFace; }
    QComboBox* ListSizeBox() const { return m_listSize; }
    QComboBox* DiagramFaceList() const { return m_diagramFace; }
    QComboBox* DiagramSizeBox() const { return m_diagramSize; }
    QComboBox* SmallPartsSizeBox() const { return m_smallPartsSize; }
    QComboBox* BoldDimsSizeBox() const { return m_boldDimsSize; }
    COXColorPickerButton* BoldPartColorPicker() const { return m_boldPartColor; }

    // The faces of the installed fonts, symbol fonts left out.
    static QStringList InstalledFaces();

private:
    QComboBox* m_listFace;
    QComboBox* m_listSize;
    QComboBox* m_diagramFace;
    QComboBox* m_diagramSize;
    QComboBox* m_smallPartsSize;
    QComboBox* m_boldDimsSize;
    COXColorPickerButton* m_boldPartColor;
    // The list shows the face the system uses in place of a stored face that
    // is not installed; the stored face stays until the user picks one.
    bool m_listFaceStandsIn = false;
    bool m_diagramFaceStandsIn = false;
};
