#include "ActiveProgramBoxes.h"

#include "DialogWords.h"

#include <Dialog.h>

void CActiveProgramBoxes::OnSaved(const std::u16string& /*name*/, const std::u16string& /*path*/)
{
}

void CActiveProgramBoxes::OnNotSaved(const std::u16string& name)
{
    ++m_notSaved;
    toolkit::MessageBoxOk(words::ActiveProgramNotSaved(name));
}
