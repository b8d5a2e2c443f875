#pragma once

#include <ExaminedRecord.h>

#include <string>
#include <vector>

// The texts of the question asked when a run left intact programs behind, put together from the
// dialog's words (DialogWords.h). The content and the list are shown where a link can be written
// as markup, so neither holds any.
struct LeftBehindTexts
{
    std::u16string content;
    // Each command link's text, a line break, then its note; empty where the link is not shown.
    std::u16string behindDamageLink;
    std::u16string allLink;
    std::u16string programs; // one line per program left behind
};

// `fileName` is the source's name, `cleanedName` that of its cleaned file; `programs` are the
// intact programs the run left behind, in file order.
LeftBehindTexts MakeLeftBehindTexts(const std::u16string& fileName, const std::u16string& cleanedName,
                                    const std::vector<LeftBehindProgram>& programs);
