#pragma once

#include <QString>

#include <memory>

// What moving the materials library to another folder asks of the library,
// which lives in the data model: the model installs it at start-up, the
// general-settings edit uses it.
class IMaterialsLibraryFolder
{
public:
    virtual ~IMaterialsLibraryFolder() = default;

    // Saves the library when it changed since its last save.
    virtual void StoreIfDirty() = 0;
    virtual void SetFolder(const QString& folder) = 0;
    // Whether folder holds a library file.
    virtual bool ExistsIn(const QString& folder) const = 0;
    // Marks the library changed and saves it into its folder at once.
    virtual void StoreNow() = 0;
};

// Null until the data model installed one.
IMaterialsLibraryFolder* GetMaterialsLibraryFolder();
void SetMaterialsLibraryFolder(std::shared_ptr<IMaterialsLibraryFolder> library);
