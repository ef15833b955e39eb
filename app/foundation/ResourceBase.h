#pragma once

#include <QString>

// Every user-visible text of the program by numeric string id.
class ResourceBase
{
public:
    virtual ~ResourceBase() = default;

    // The cached text; an id never registered gives its raw resource, or an
    // empty text when there is none.
    virtual QString Text(int id) = 0;
    // The abbreviated override when "Abbreviated Headers" is on and one exists.
    virtual QString HeaderText(int id) = 0;
    // The text up to its first line feed (all of it when there is none).
    virtual QString FirstLine(int id) = 0;
    // The text after its first line feed (empty when there is none).
    virtual QString SecondPart(int id) = 0;
    virtual bool HasText(int id) const = 0;
    virtual QString GetLanguageFolder() const = 0;
    // The "Display WxL" preference.
    virtual bool IsWidthBeforeLength() const = 0;
};

// The current service; null until installed.
ResourceBase* GetResources();
// Installs service as the current one, deleting any earlier one.
void InstallResources(ResourceBase* service);
// Text(id) of the current service; empty when none is installed.
QString LoadUIString(int id);
