#include "gridctrl/CUGPtrList.h"

int CUGPtrList::Add(void* pointer, int param, const Tag* tag)
{
    if (m_used >= static_cast<int>(m_entries.size()))
        m_entries.resize(m_entries.size() + 10);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        Entry& e = m_entries[i];
        if (e.inUse)
            continue;
        e.inUse = true;
        e.pointer = pointer;
        e.param = param;
        e.tag = tag ? *tag : Tag{};
        ++m_used;
        return static_cast<int>(i);
    }
    return -1;
}

void* CUGPtrList::GetAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()) || !m_entries[index].inUse)
        return nullptr;
    return m_entries[index].pointer;
}

int CUGPtrList::GetEntryParam(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()) || !m_entries[index].inUse)
        return 0;
    return m_entries[index].param;
}

int CUGPtrList::SetEntryParam(int index, int value)
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return 1;
    if (!m_entries[index].inUse)
        return 2;
    m_entries[index].param = value;
    return 0;
}

int CUGPtrList::FillReserved(int index, void* pointer)
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()) || !m_entries[index].inUse)
        return 1;
    if (m_entries[index].pointer)
        return 2;
    m_entries[index].pointer = pointer;
    return 0;
}
