#pragma once

#include <windows.h>

#include <string>

namespace toolkit
{
// A child control of a dialog, bound once by its id when the dialog initialises.
class CControl
{
public:
    void Bind(HWND dialog, int id);
    HWND Handle() const { return m_hWnd; }

    std::u16string Text() const;
    // Leaves the control alone when it shows `text` already.
    void SetText(const std::u16string& text);
    void Enable(bool enable);

private:
    HWND m_hWnd = nullptr;
};

class CStatic : public CControl
{
};

class CEdit : public CControl
{
};

class CButton : public CControl
{
public:
    // BST_CHECKED (1) when ticked, BST_UNCHECKED (0) when not.
    int GetCheck() const;
};
}
