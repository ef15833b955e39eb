// The program's string service with this layer's texts, once for all tests.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"
#include "output/reports/ReportsStrings.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ReportsTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // Reports are text in the user's locale: the expected rows are en-US.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        InitUIStrings(m_languageFolder.path(), {FoundationStringResources(), ModelStringResources(),
                                                OptimizationStringResources(), ReportsStringResources()});
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ReportsTestEnvironment);

} // namespace
