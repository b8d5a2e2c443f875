#include "ActiveProgramBoxes.h"

#include <Dialog.h>

void CActiveProgramBoxes::OnSaved(const std::u16string& /*name*/, const std::u16string& /*path*/)
{
}

void CActiveProgramBoxes::OnNotSaved(const std::u16string& name)
{
    toolkit::MessageBoxOk(u"Failed to save active program " + name);
}
