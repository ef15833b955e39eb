#pragma once

#include <QString>

class CSawSetupEx;
class GrainInfo;

// What any material offers for reading: name, grain and saw setup.
class IMaterialData
{
public:
    virtual ~IMaterialData() = default;
    // Empty while the material is a placeholder.
    virtual QString GetName() const = 0;
    virtual const GrainInfo& GetGrainInfo() const = 0;
    virtual const CSawSetupEx& GetSawSetup() const = 0;
    // Whether parts of this material are annotated in the fancy style.
    virtual bool UsesFancyAnnotation() const { return false; }
};
