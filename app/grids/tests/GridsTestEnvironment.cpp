// Installs the program's string service once for all tests of the grids.
#include "grids/GridsStrings.h"
#include "optimization/manual/ManualEditStrings.h"

#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class GridsTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                ManualEditStringResources(), GridsStringResources() });
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GridsTestEnvironment);

} // namespace
