#pragma once

#include "model/OptimizationSettings.h"

#include <QString>

class ArchiveWrapper;

// Every project's name, notes and optimization settings. The document owns
// one record and stores it in the project file; a new project starts from the
// optimization preferences the user last applied.
class ProjectSettings
{
public:
    ProjectSettings(); // empty texts, then ResetToDefaults
    ProjectSettings(const ProjectSettings&) = default;
    ProjectSettings& operator=(const ProjectSettings&) = default;

    void Assign(const ProjectSettings& other) { *this = other; }

    const QString& GetProjectName() const { return m_name; }
    void SetProjectName(const QString& name) { m_name = name; }
    const QString& GetNotes() const { return m_notes; }
    void SetNotes(const QString& notes) { m_notes = notes; }
    const OptimizationSettings& GetOptimizationSettings() const { return m_optimization; }
    // Copies only the optimization words; name and notes stay.
    void SetOptimizationSettings(const OptimizationSettings& settings) { m_optimization = settings; }

    // Empty name and notes; objective, packing and the two stock preferences
    // from the preferences ("Primary Objective", "Packing Other", "OffCuts
    // First", "Inventory First"), the other words 1, 1 and 0.
    void ResetToDefaults();

    // Schema 10, name, notes, the optimization block. Loading accepts only
    // schema 10 and changes the record only once everything was read.
    void Serialize(ArchiveWrapper& ar);

    bool operator==(const ProjectSettings&) const = default;

private:
    QString m_name;
    QString m_notes;
    OptimizationSettings m_optimization;
};

// Writes objective, packing and the two stock preferences where a new
// project's ResetToDefaults reads them.
void WriteOptimizationPreferences(const OptimizationSettings& settings);

// The settings of the project in use: the document installs its own record
// when it is made; the options page and the optimization run read them here.
// Null until a document installed one.
ProjectSettings* GetCurrentProjectSettings();
void SetCurrentProjectSettings(ProjectSettings* settings);
