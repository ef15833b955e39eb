// Installs the program's string service once for all tests of the layout
// editing commands.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"
#include "optimization/manual/ManualEditStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ManualTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                ManualEditStringResources() });
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ManualTestEnvironment);

} // namespace
