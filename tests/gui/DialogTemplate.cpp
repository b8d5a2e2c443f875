#include "DialogTemplate.h"

#include <cstring>
#include <stdexcept>

namespace
{
constexpr std::uint16_t kOrdinal = 0xFFFF;
constexpr std::uint32_t kSetFont = 0x40; // DS_SETFONT

// Reads the template front to back; every read checks that the bytes are there.
class Reader
{
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    template <typename T>
    T Read()
    {
        if (m_offset + sizeof(T) > m_bytes.size())
            throw std::out_of_range("dialog template ends early");
        T value;
        std::memcpy(&value, m_bytes.data() + m_offset, sizeof(T));
        m_offset += sizeof(T);
        return value;
    }

    std::u16string String()
    {
        std::u16string text;
        for (auto unit = Read<char16_t>(); unit != 0; unit = Read<char16_t>())
            text += unit;
        return text;
    }

    // A string, or 0xFFFF and an ordinal, which comes back as "#" and its number.
    std::u16string StringOrOrdinal()
    {
        const auto first = Read<std::uint16_t>();
        if (first == kOrdinal)
            return Ordinal(Read<std::uint16_t>());
        std::u16string text;
        for (auto unit = static_cast<char16_t>(first); unit != 0; unit = Read<char16_t>())
            text += unit;
        return text;
    }

    std::u16string ClassName()
    {
        const std::u16string name = StringOrOrdinal();
        if (name == u"#128")
            return u"Button";
        if (name == u"#129")
            return u"Edit";
        if (name == u"#130")
            return u"Static";
        return name;
    }

    void AlignToDword() { m_offset = (m_offset + 3) & ~std::size_t{3}; }
    void Skip(std::size_t count) { m_offset += count; }

private:
    static std::u16string Ordinal(std::uint16_t value)
    {
        std::u16string text = u"#";
        for (const char digit : std::to_string(value))
            text += static_cast<char16_t>(digit);
        return text;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

// An extended template stores a help id and the extended style before the style.
void ReadStyles(Reader& in, bool extended, std::uint32_t& style, std::uint32_t& exStyle)
{
    if (extended)
    {
        in.Read<std::uint32_t>();
        exStyle = in.Read<std::uint32_t>();
        style = in.Read<std::uint32_t>();
        return;
    }
    style = in.Read<std::uint32_t>();
    exStyle = in.Read<std::uint32_t>();
}

DialogRect ReadRect(Reader& in)
{
    DialogRect rect;
    rect.x = in.Read<std::int16_t>();
    rect.y = in.Read<std::int16_t>();
    rect.cx = in.Read<std::int16_t>();
    rect.cy = in.Read<std::int16_t>();
    return rect;
}

void ReadHeader(Reader& in, DialogTemplate& dialog, std::uint16_t& count)
{
    ReadStyles(in, dialog.extended, dialog.style, dialog.exStyle);
    count = in.Read<std::uint16_t>();
    dialog.rect = ReadRect(in);
    dialog.menu = in.StringOrOrdinal();
    dialog.className = in.StringOrOrdinal();
    dialog.caption = in.String();
    if ((dialog.style & kSetFont) == 0)
        return;
    dialog.pointSize = in.Read<std::uint16_t>();
    if (dialog.extended)
    {
        dialog.weight = in.Read<std::uint16_t>();
        dialog.italic = in.Read<std::uint8_t>();
        dialog.charset = in.Read<std::uint8_t>();
    }
    dialog.face = in.String();
}

DialogItem ReadItem(Reader& in, bool extended)
{
    in.AlignToDword();
    DialogItem item{};
    ReadStyles(in, extended, item.style, item.exStyle);
    item.rect = ReadRect(in);
    item.id = extended ? in.Read<std::int32_t>() : in.Read<std::int16_t>();
    item.className = in.ClassName();
    item.text = in.StringOrOrdinal();
    in.Skip(in.Read<std::uint16_t>());
    return item;
}
}

DialogTemplate ParseDialogTemplate(std::span<const std::uint8_t> bytes)
{
    DialogTemplate dialog;
    try
    {
        Reader in(bytes);
        const auto version = in.Read<std::uint16_t>();
        const auto signature = in.Read<std::uint16_t>();
        dialog.extended = version == 1 && signature == kOrdinal;
        if (!dialog.extended)
            in = Reader(bytes);
        std::uint16_t count = 0;
        ReadHeader(in, dialog, count);
        for (std::uint16_t i = 0; i < count; ++i)
            dialog.items.push_back(ReadItem(in, dialog.extended));
    }
    catch (const std::out_of_range&)
    {
        return DialogTemplate{};
    }
    return dialog;
}
