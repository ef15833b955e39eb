#include "shell/ProgramStringTables.h"

#include "document/DocumentStrings.h"
#include "grids/GridsStrings.h"
#include "grids/PartsGridStrings.h"
#include "layouts/LayoutsStrings.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"
#include "optimization/manual/ManualEditStrings.h"
#include "output/export/ExportStrings.h"
#include "output/print/PrintStrings.h"
#include "output/print/ui/PrintUiStrings.h"
#include "output/reports/ReportsStrings.h"
#include "shell/ShellStrings.h"
#include "shell/controls/ControlsStrings.h"
#include "shell/prefs/PrefsStrings.h"

std::vector<std::span<const StringResource>> ProgramStringTables()
{
    return { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
             DocumentStringResources(), GridsStringResources(), PartsGridStringResources(), LayoutsStringResources(),
             ManualEditStringResources(), PrintStringResources(), PrintUiStringResources(), ReportsStringResources(),
             ExportStringResources(), ControlsStringResources(), PrefsStringResources(), ShellStringResources() };
}
