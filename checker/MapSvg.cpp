#include "MapSvg.h"

#include "HtmlText.h"
#include "MemoryMap.h"
#include "PrintableName.h"

namespace
{
constexpr unsigned kPitch = 20; // pixels from one cell to the next
constexpr unsigned kSide = 18;

std::u16string Classes(const MapCell& cell)
{
    return std::u16string(ByteKindName(cell.kind)) + (cell.damaged ? u" damaged" : u"");
}

std::u16string Title(const MapCell& cell, std::uint32_t index, const std::vector<ExaminedRecord>& records)
{
    const std::uint64_t first = std::uint64_t{index} * CMemoryMap::kCellSize;
    std::u16string title = u"Bytes " + HtmlNumber(first) + u" to " + HtmlNumber(first + CMemoryMap::kCellSize - 1) + u": " +
                           ByteKindName(cell.kind) + (cell.damaged ? u", damaged" : u"");
    for (const std::size_t record : cell.records)
    {
        title += u"\n";
        title += PrintableName(records[record].name) + u" (" + HtmlAscii(VerdictName(records[record].verdict)) + u")";
    }
    if (cell.recordsTouched > cell.records.size())
        title += u"\nand " + HtmlNumber(cell.recordsTouched - cell.records.size()) + u" more";
    return HtmlEscaped(title);
}

std::u16string Rect(const std::u16string& classes, unsigned x, unsigned y)
{
    return u"<rect class=\"" + classes + u"\" x=\"" + HtmlNumber(x) + u"\" y=\"" + HtmlNumber(y) + u"\" width=\"" +
           HtmlNumber(kSide) + u"\" height=\"" + HtmlNumber(kSide) + u"\"";
}

std::u16string Swatch(const std::u16string& classes, const std::u16string& meaning)
{
    return u"<li><svg width=\"20\" height=\"20\">" + Rect(classes, 1, 1) + u"/></svg> " + meaning + u"</li>\n";
}
}

std::u16string MapSvg(const FinishedRun& run)
{
    const CMemoryMap map(run.records, run.results.skipped, run.results.sourceSize, run.results.endMark);
    const unsigned rows = CMemoryMap::kCells / CMemoryMap::kCellsPerRow;
    std::u16string svg = u"<svg id=\"map\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                         HtmlNumber(kPitch * CMemoryMap::kCellsPerRow) + u"\" height=\"" + HtmlNumber(kPitch * rows) +
                         u"\" role=\"img\" aria-label=\"Memory map\">\n";
    for (std::uint32_t i = 0; i < CMemoryMap::kCells; ++i)
    {
        const MapCell& cell = map.Cells()[i];
        svg += Rect(Classes(cell), (i % CMemoryMap::kCellsPerRow) * kPitch + 1, (i / CMemoryMap::kCellsPerRow) * kPitch + 1) +
               u"><title>" + Title(cell, i, run.records) + u"</title></rect>\n";
    }
    return svg + u"</svg>\n";
}

std::u16string MapLegend()
{
    return u"<ul id=\"legend\">\n" +
           Swatch(u"good", u"good: a program whose checksum verifies") +
           Swatch(u"recovered", u"recovered: an intact program only a salvage takes") +
           Swatch(u"duplicate", u"duplicate: recovered, of the name of a program already kept") +
           Swatch(u"bad", u"bad: a program whose checksum fails or that ends beyond the memory") +
           Swatch(u"unknown-state", u"unknown-state: a record of no known state") +
           Swatch(u"empty", u"empty: an empty record") +
           Swatch(u"free", u"free: at or behind the end mark") +
           Swatch(u"skipped", u"skipped: passed over by a search for the next intact program") +
           Swatch(u"unexamined", u"unexamined: the check stopped before it") +
           Swatch(u"absent", u"absent: beyond the end of the file") +
           Swatch(u"free damaged", u"outlined: the square holds damage (bad, unknown-state or skipped bytes)") +
           u"</ul>\n";
}
