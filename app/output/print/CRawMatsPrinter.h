#pragma once
// Prints the materials library instead of the project: for every sheet good,
// its size/cost rows as a table captioned with the material's name. The
// preview host makes one for the raw-materials scope, runs PrintBody once
// and destroys it.

#include "output/print/CPrintEngineBase.h"

class CRawMatsPrinter : public CPrintEngineBase
{
public:
    CRawMatsPrinter(
        IDoc* document, IPrintViewMgr* viewManager, QWidget* host, platform::IPrintControl* control);
    ~CRawMatsPrinter() override;

    void PrintBody() override;
};
