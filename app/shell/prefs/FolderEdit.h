#pragma once

#include <QLineEdit>

// A folder field with a browse button inside its frame: the folder mode of
// the program's file-name edit box as the file locations page uses it. The
// folder it answers is a full path with a trailing separator; validation
// refuses an empty, missing or non-folder path with a message.
class FolderEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FolderEdit(QWidget* parent = nullptr);

    // The first path of the text ("a; b" holds two), as a full path ending in
    // "/"; empty when the text names none.
    QString Folder() const;
    // True when the field is disabled or names an existing folder; otherwise
    // shows why and answers false.
    bool Validate() const;
    QAction* BrowseAction() const { return m_browse; }

private:
    void Browse();

    QAction* m_browse;
};
