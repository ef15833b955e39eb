// The string service with the texts of every layer a printed project shows,
// once for all tests of the document printer.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "grids/GridsStrings.h"
#include "layouts/LayoutsStrings.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"
#include "output/print/PrintStrings.h"
#include "output/reports/ReportsStrings.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DocPrinterTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
                LayoutsStringResources(), GridsStringResources(), ReportsStringResources(),
                PrintStringResources() });
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DocPrinterTestEnvironment);

} // namespace
