#pragma once

#include <cstdint>
#include <string>

// Every word the dialog shows, so that the wording can be read, reviewed and changed in one place.
// Where a sentence holds a number or a name, it is a function that agrees with the number; which
// sentences are shown, and when, stays with the part that shows them. The About entry's text and
// the dialogs' own templates are in the resource script.
namespace words
{
// The main dialog
inline constexpr char16_t kImproperPath[] = u"Improper file name or file path.";
inline constexpr char16_t kErrorCaption[] = u"Error";
inline constexpr char16_t kSelectFileTitle[] = u"Select PGS Data File";
// Description and pattern of the one file type, each ended by a zero unit in the system's own form.
inline constexpr char16_t kFileFilter[] = u"Vantor Stored Program Files (*.pgs)\0*.pgs\0";
inline constexpr char16_t kReportEntry[] = u"&Report of the Last Check...";
// "N Files Checked...", with "Done!" once the run has ended well.
std::u16string CountLine(std::uint16_t count, bool done);
std::u16string StoredAs(const std::u16string& cleanedName);
std::u16string ActiveProgramNotSaved(const std::u16string& name);

// What the result lists add after a name
inline constexpr char16_t kRecoveredTag[] = u" (recovered)";
inline constexpr char16_t kDuplicateTag[] = u" (duplicate, left out)";

// The question after a run that left intact programs behind
inline constexpr char16_t kLeftBehindInstruction[] = u"Intact programs were left behind";
inline constexpr char16_t kShowPrograms[] = u"Show the programs";
inline constexpr char16_t kShowReportLink[] = u"<A>Show the report</A>";
std::u16string HeldBehindDamage(const std::u16string& fileName, std::uint32_t count);
std::u16string HeldBehindEndMark(const std::u16string& fileName, std::uint32_t count);
std::u16string TakeBehindDamage(std::uint32_t count);
std::u16string TakeBehindDamageNote(const std::u16string& cleanedName);
std::u16string TakeBehindEndMark(std::uint32_t count);
std::u16string TakeAll(std::uint32_t total);
inline constexpr char16_t kTakeBehindEndMarkNote[] =
    u"Programs behind the end mark may be older copies or programs deleted on the controller.";
std::u16string LeftBehindLine(std::uint64_t offset, const std::u16string& printableName, bool pastEnd);
}
