#include "SharedText.h"

std::u16string CSharedText::Get() const
{
    std::lock_guard lock(m_lock);
    return m_text;
}

void CSharedText::Set(std::u16string text)
{
    std::lock_guard lock(m_lock);
    m_text = std::move(text);
}

void CSharedText::Empty()
{
    std::lock_guard lock(m_lock);
    m_text.clear();
}

bool CSharedText::IsEmpty() const
{
    std::lock_guard lock(m_lock);
    return m_text.empty();
}
