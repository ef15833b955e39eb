#include "model/PartCommands.h"

#include "foundation/IDoc.h"

#include "model/CMilledPart.h"
#include "model/IPartsDoc.h"
#include "model/ModelStrings.h"

CPartEdit::CPartEdit(CMilledPart* part, std::unique_ptr<CMilledPart> newValues)
    : CommandBase(part && newValues ? part->GetChangeMask(*newValues) : 0,
                  part && newValues ? part->GetDetailMask(*newValues) : 0, std::make_shared<NullUpdateInfo>()),
      m_part(part), m_newValues(std::move(newValues)),
      m_oldValues(part ? std::unique_ptr<CMilledPart>(part->Clone()) : nullptr)
{ }

CPartEdit::~CPartEdit() = default;

QString CPartEdit::GetName() const
{
    return UiText(kStrEditItem).arg(m_part ? m_part->GetTypeName() : UiText(kStrPart));
}

void CPartEdit::Apply(const CMilledPart& values)
{
    if (!m_part)
        return;
    if (auto* document = dynamic_cast<IPartsDoc*>(GetTarget()))
        m_part->AcceptPairVisitor(*document, values);
}

void CPartEdit::Execute()
{
    if (m_newValues)
        Apply(*m_newValues);
}

void CPartEdit::Undo()
{
    if (m_oldValues)
        Apply(*m_oldValues);
}

ReoptimizeUnplacedPartsCmd::ReoptimizeUnplacedPartsCmd()
    : CommandBase(GetPartsEditHintMask(), GetPartsHintMask(), std::make_shared<NullUpdateInfo>())
{ }

QString ReoptimizeUnplacedPartsCmd::GetName() const
{
    return UiText(kStrReoptimizeUnplaced);
}

IPartsDoc* ReoptimizeUnplacedPartsCmd::Document() const
{
    return dynamic_cast<IPartsDoc*>(GetTarget());
}

void ReoptimizeUnplacedPartsCmd::Execute()
{
    IPartsDoc* document = Document();
    if (!document)
        return;
    const std::vector<CMilledPart*> parts = document->GetPartsContainer();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        CMilledPart* part = parts[i];
        if (!part || !part->HasUnplacedCopies())
            continue;
        m_saved[i] = {part, part->GetDraggedOffCopies()};
        document->SetDraggedOffCopies(part, 0);
    }
}

void ReoptimizeUnplacedPartsCmd::Undo()
{
    if (IPartsDoc* document = Document())
        for (const auto& [position, saved] : m_saved)
            document->SetDraggedOffCopies(saved.first, saved.second);
    m_saved.clear();
}
