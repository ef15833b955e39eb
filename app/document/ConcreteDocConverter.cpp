#include "document/ConcreteDocConverter.h"

#include "document/CKWLDoc.h"

IDoc* ConcreteDocConverter::Convert(QObject* document)
{
    auto* project = qobject_cast<CKWLDoc*>(document);
    return project ? static_cast<IDoc*>(project) : nullptr;
}

void InstallDocConverter()
{
    SetDocConverter(std::make_shared<ConcreteDocConverter>());
}
