#include "HtmlText.h"

namespace
{
struct CharacterReference
{
    char16_t unit;
    const char16_t* reference;
};

constexpr CharacterReference kReferences[] = {
    {u'&', u"&amp;"}, {u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'"', u"&quot;"}, {u'\'', u"&#39;"},
};

const char16_t* ReferenceFor(char16_t unit)
{
    for (const CharacterReference& entry : kReferences)
    {
        if (entry.unit == unit)
            return entry.reference;
    }
    return nullptr;
}
}

std::u16string HtmlEscaped(const std::u16string& text)
{
    std::u16string escaped;
    escaped.reserve(text.size());
    for (const char16_t unit : text)
    {
        if (const char16_t* reference = ReferenceFor(unit))
            escaped += reference;
        else
            escaped += unit;
    }
    return escaped;
}

std::u16string HtmlAscii(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string HtmlNumber(std::uint64_t value)
{
    return HtmlAscii(std::to_string(value));
}
