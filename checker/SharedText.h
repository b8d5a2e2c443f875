#pragma once

#include <mutex>
#include <string>

// A wide string that one thread writes while another reads it: every access takes the lock,
// and a reader gets a copy, so it never sees a string half written.
class CSharedText
{
public:
    std::u16string Get() const;
    void Set(std::u16string text);
    void Empty();
    bool IsEmpty() const;

private:
    mutable std::mutex m_lock;
    std::u16string m_text;
};
