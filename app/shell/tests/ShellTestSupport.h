#pragma once
// The program started in the test process: message boxes and file dialogs
// answered by the test, and the session log read back. What the program
// leaves in the user's folders is put back at the end of each test.

#include "SavedFolders.h"

#include "shell/CKerfwellPlusApp.h"
#include "shell/ShellDialogs.h"

#include "document/CKWLDoc.h"
#include "foundation/SessionLog.h"
#include "model/CMaterials.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/SheetGoodSizeCost.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<SavedFolders::Path> roots;
        for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"})
            if (const QByteArray path = qgetenv(folder); !path.isEmpty())
                roots.emplace_back(path.toStdString());
        m_savedFolders.emplace(
            std::move(roots), std::set<SavedFolders::Path> {QFile::encodeName(SessionLog::Instance().GetPath()).toStdString()});
        m_previousQuestion = SetQuestionFunction(
            [this](const QString& text, QMessageBox::StandardButtons, QMessageBox::Icon icon) {
                m_messages << text;
                m_icons << icon;
                return m_answer;
            });
        m_previousDialog = SetFileDialogFunction([this](const FileDialogRequest& request, QString& path) {
            m_dialogs << (request.open ? QStringLiteral("open:") : QStringLiteral("save:")) + path;
            if (m_chosenPath.isEmpty())
                return false;
            path = m_chosenPath;
            return true;
        });
    }

    void TearDown() override
    {
        m_app.reset();
        SetQuestionFunction(m_previousQuestion);
        SetFileDialogFunction(m_previousDialog);
        m_savedFolders.reset();
    }

    CKerfwellPlusApp& Start(const QStringList& arguments = {}, const QString& instance = QStringLiteral("KwlShellTest"))
    {
        m_app = std::make_unique<CKerfwellPlusApp>(instance);
        EXPECT_TRUE(m_app->InitInstance(arguments));
        return *m_app;
    }

    // A 48 x 96 sheet of Birch, 3/4", unlimited, in the library.
    static std::shared_ptr<CSheetGoodEx> AddBirch()
    {
        auto* library = dynamic_cast<CMaterials*>(GetMaterialsLibrary());
        EXPECT_TRUE(library);
        if (!library)
            return nullptr;
        auto material = std::make_shared<CSheetGoodEx>(QStringLiteral("Birch"));
        auto row = std::make_shared<SheetGoodSizeCost>();
        row->SetThickness(CDimension::FromInches(0.75));
        SheetDimensions sheet = row->GetSheetDimensions();
        sheet.SetWidth(CDimension::FromInches(48));
        sheet.SetLength(CDimension::FromInches(96));
        row->SetSheetDimensions(sheet);
        row->SetUnlimited();
        material->GetSizeCosts().push_back(row);
        library->GetMaterials().push_back(material);
        return material;
    }

    // Birch and a 10 x 20 part of it: a project that optimizes into one diagram.
    static CMilledPart* AddBirchPart(CKerfwellPlusApp& app, std::uint32_t copies = 2)
    {
        const std::shared_ptr<CSheetGoodEx> material = AddBirch();
        if (!material)
            return nullptr;
        auto* part = new CMilledPart();
        part->SetMaterial(material);
        part->SetThickness(CDimension::FromInches(0.75));
        part->SetWidth(CDimension::FromInches(10));
        part->SetLength(CDimension::FromInches(20));
        part->SetCopies(copies);
        app.GetDocument()->AppendPart(part);
        return part;
    }

    static QStringList LogLines()
    {
        QFile file(SessionLog::Instance().GetPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (const int mark = line.indexOf("] "); mark >= 0)
                lines << QString::fromUtf8(line.mid(mark + 2)).trimmed();
        return lines;
    }

    std::unique_ptr<CKerfwellPlusApp> m_app;
    QStringList m_messages;
    QList<QMessageBox::Icon> m_icons; // one per message
    QStringList m_dialogs;
    QString m_chosenPath;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;
    QuestionFunction m_previousQuestion;
    FileDialogFunction m_previousDialog;
    std::optional<SavedFolders> m_savedFolders;
};
