#include "TextConversion.h"

namespace platform
{
namespace
{
constexpr char32_t kReplacement = 0xFFFD;
constexpr char16_t kEscapedByteBase = 0xDC00;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsEscapedByte(char16_t unit) { return unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF; }

void AppendUtf8(std::string& out, char32_t cp)
{
    auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(static_cast<unsigned char>(value))); };
    if (cp < 0x80)
        byte(cp);
    else if (cp < 0x800)
    {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
    else
    {
        byte(0xF0 | (cp >> 18));
        byte(0x80 | ((cp >> 12) & 0x3F));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000)
    {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// Decodes one sequence at text[i]; returns its length in bytes (at least 1) and the code point.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80)
    {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, cp = lead & 0x1Fu, minimum = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, cp = lead & 0x0Fu, minimum = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, cp = lead & 0x07u, minimum = 0x10000;
    else
    {
        cp = kReplacement;
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k)
    {
        if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
        {
            cp = kReplacement;
            return k;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    return length;
}
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        char32_t cp = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        }
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            cp = kReplacement;
        AppendUtf8(out, cp);
    }
    return out;
}

bool HasLoneSurrogate(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            return true;
    }
    return false;
}

namespace
{
// Valid UTF-8 is decoded. A sequence that is not becomes one U+FFFD, or with `escapeBytes` its
// first byte alone becomes a lone surrogate and what follows that byte is read afresh. A U+FFFD
// that was in the text as its own three bytes stays U+FFFD either way.
std::u16string Decode(std::string_view text, bool escapeBytes)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
    {
        char32_t cp = 0;
        std::size_t length = DecodeUtf8(text, i, cp);
        if (escapeBytes && cp == kReplacement && text.substr(i, length) != "\xEF\xBF\xBD")
        {
            cp = kEscapedByteBase + static_cast<unsigned char>(text[i]);
            length = 1;
        }
        AppendUtf16(out, cp);
        i += length;
    }
    return out;
}
}

std::u16string Decimal(std::uint64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string FromUtf8(std::string_view text)
{
    return Decode(text, false);
}

std::u16string FromFileName(std::string_view bytes)
{
    return Decode(bytes, true);
}

std::string ToFileName(std::u16string_view name)
{
    std::string out;
    out.reserve(name.size());
    std::size_t plain = 0;
    for (std::size_t i = 0; i < name.size(); ++i)
    {
        if (IsHighSurrogate(name[i]) && i + 1 < name.size() && IsLowSurrogate(name[i + 1]))
            ++i;
        else if (IsEscapedByte(name[i]))
        {
            out += ToUtf8(name.substr(plain, i - plain));
            out.push_back(static_cast<char>(name[i] - kEscapedByteBase));
            plain = i + 1;
        }
    }
    return out + ToUtf8(name.substr(plain));
}
}
