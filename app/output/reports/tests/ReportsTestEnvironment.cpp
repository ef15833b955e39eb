// The program's string service with this layer's texts, once for all tests.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"
#include "output/reports/ReportsStrings.h"
#ifdef KWL_REPORTS_UI_TESTS
#include "grids/GridsStrings.h"
#endif

#include <QFile>
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
        // One abbreviated heading, for the tests that switch them on.
        QFile abbreviations(m_languageFolder.filePath(QStringLiteral("Abbr_English.ini")));
        if (abbreviations.open(QIODevice::WriteOnly))
            abbreviations.write("[ReportColumns]\r\nPartNumber=P#\r\n");
        abbreviations.close();
        InitUIStrings(m_languageFolder.path(), {FoundationStringResources(), ModelStringResources(),
                                                OptimizationStringResources(), ReportsStringResources(),
#ifdef KWL_REPORTS_UI_TESTS
                                                // The report grid's headings shared with the grids.
                                                GridsStringResources(),
#endif
                                                });
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ReportsTestEnvironment);

} // namespace
