#pragma once

#include "model/ProjectSettings.h"

// What the project-settings edit needs of the project document: its settings
// record, read and replaced whole. The document implements it beside IDoc
// (the command history's view of it), which stays free of model types.
class IProjectSettingsDoc
{
public:
    virtual ~IProjectSettingsDoc() = default;

    virtual const ProjectSettings& GetProjectSettings() const = 0;
    // Assigns the whole record and marks the project modified.
    virtual void SetProjectSettings(const ProjectSettings& settings) = 0;

    const OptimizationSettings& GetOptimizationSettings() const
    {
        return GetProjectSettings().GetOptimizationSettings();
    }
    // Replaces the optimization words only; name and notes stay.
    virtual void SetOptimizationSettings(const OptimizationSettings& settings)
    {
        ProjectSettings changed = GetProjectSettings();
        changed.SetOptimizationSettings(settings);
        SetProjectSettings(changed);
    }
};
