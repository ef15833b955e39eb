// The program's string service for every test of the print dialog, the
// option pages and the preview, and the two printing pages in the sheet.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "output/print/PrintStrings.h"
#include "output/print/ui/PrintPreferencePages.h"
#include "output/print/ui/PrintUiStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrintUiTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // The session log is one file per user, which test processes running
        // at the same time would empty under each other's feet.
        qputenv("XDG_DATA_HOME", m_dataFolder.path().toUtf8());
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), PrintStringResources(),
                PrintUiStringResources() });
        RegisterPrintPreferencePages();
    }

private:
    QTemporaryDir m_languageFolder;
    QTemporaryDir m_dataFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new PrintUiTestEnvironment);

} // namespace
