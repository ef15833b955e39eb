// Installs the program's string service once for all tests of this layer.
#include "LayoutsTestSupport.h"

#include "foundation/TCPResource.h"
#include "foundation/UIResources.h"
#include "foundation/UIStringTable.h"
#include "layouts/LayoutsStrings.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class LayoutsTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                LayoutsStringResources() });
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new LayoutsTestEnvironment);

} // namespace

ScopedDefaultPrefs::ScopedDefaultPrefs()
    : prefs(new DefaultPrefs)
{
    prefs->texts[1009] = QStringLiteral("DejaVu Sans");
    prefs->texts[1035] = QStringLiteral("DejaVu Sans");
    SetUserPrefs(prefs);
    RefreshUIFonts();
}

ScopedDefaultPrefs::~ScopedDefaultPrefs()
{
    SetUserPrefs(nullptr);
}
