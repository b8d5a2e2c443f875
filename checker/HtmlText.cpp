#include "HtmlText.h"

std::u16string HtmlEscaped(const std::u16string& text)
{
    std::u16string escaped;
    escaped.reserve(text.size());
    for (const char16_t unit : text)
    {
        switch (unit)
        {
        case u'&':
            escaped += u"&amp;";
            break;
        case u'<':
            escaped += u"&lt;";
            break;
        case u'>':
            escaped += u"&gt;";
            break;
        case u'"':
            escaped += u"&quot;";
            break;
        case u'\'':
            escaped += u"&#39;";
            break;
        default:
            escaped += unit;
        }
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
