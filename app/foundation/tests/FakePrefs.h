#pragma once

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"

#include <map>

// Preferences held in memory, installed for one test and removed after it.
class FakePrefs : public UserPrefsBase
{
public:
    std::map<int, int> ints;

    bool IsNewPrefsFile() const override { return false; }
    QString GetString(int) const override { return QString(); }
    bool GetFlag(int id) const override { return GetInt(id) != 0; }
    int GetInt(int id) const override
    {
        const auto it = ints.find(id);
        return it == ints.end() ? 0 : it->second;
    }
    double GetReal(int) const override { return 0.0; }
    void SetReal(int, double) override { }
    void SetString(int, const QString&) override { }
    void SetFlag(int id, bool value) override { ints[id] = value ? 1 : 0; }
    void SetInt(int id, int value) override { ints[id] = value; }
    void ToggleFlag(int id) override { SetFlag(id, !GetFlag(id)); }
    const PrintSettings& GetPrintSettings() const override { return m_print; }
    void SetPrintSettings(const PrintSettings& settings) override { m_print = settings; }
    void ResetPageSetup() override { }
    bool IsMetricDimensions() const override { return false; }
    bool DeletePrefsFile() override { return true; }

private:
    PrintSettings m_print;
};

// Installs a FakePrefs for the scope of one test.
class ScopedFakePrefs
{
public:
    ScopedFakePrefs()
        : prefs(new FakePrefs)
    {
        SetUserPrefs(prefs);
    }
    ~ScopedFakePrefs() { SetUserPrefs(nullptr); }
    FakePrefs* prefs;
};
