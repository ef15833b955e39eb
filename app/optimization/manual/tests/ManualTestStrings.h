#pragma once
// The string tables the tests of the layout editing commands read.

#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "optimization/OptimizationStrings.h"
#include "optimization/manual/ManualEditStrings.h"

#include <QString>

// An empty or missing language folder: no abbreviated-header overrides.
inline void InstallManualTestStrings(const QString& languageFolder)
{
    InitUIStrings(languageFolder,
        { FoundationStringResources(), ModelStringResources(), OptimizationStringResources(),
            ManualEditStringResources() });
}
