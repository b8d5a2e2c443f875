#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A dialog template read back from its resource bytes, classic or extended. Class names given
// as predefined atoms come back as their names ("Button", "Edit", "Static"); a text given as
// an ordinal comes back as "#" and its number.
// Position and size in dialog units.
struct DialogRect
{
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;

    bool operator==(const DialogRect&) const = default;
};

struct DialogItem
{
    std::int32_t id;
    std::u16string className;
    std::u16string text;
    std::uint32_t style;
    std::uint32_t exStyle;
    DialogRect rect;
};

struct DialogTemplate
{
    bool extended = false;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    DialogRect rect;
    std::u16string menu;
    std::u16string className;
    std::u16string caption;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::u16string face;
    std::vector<DialogItem> items;
};

// An empty template (no items, no size) when the bytes run short.
DialogTemplate ParseDialogTemplate(std::span<const std::uint8_t> bytes);
