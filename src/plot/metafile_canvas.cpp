#include "plot/metafile_canvas.h"

#include "model/codepage.h"

#include <algorithm>
#include <cmath>

namespace tesmor::plot {

namespace {

enum Function : std::uint16_t {
    EofRecord = 0x0000,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    PolygonRecord = 0x0324,
    PolylineRecord = 0x0325,
    EllipseRecord = 0x0418,
    TextOut = 0x0521,
};

constexpr int Transparent = 1;
constexpr int Anisotropic = 8;
constexpr int Alternate = 1;

std::int16_t Coord(int v)
{
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

std::int16_t Word(std::uint32_t v)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFFu));
}

// COLORREF 0x00BBGGRR as two words, low word first.
void PushColour(std::vector<std::int16_t>& params, Colour c)
{
    params.push_back(Word(c.r | (c.g << 8)));
    params.push_back(Word(c.b));
}

void PushBytes(std::vector<std::int16_t>& params, const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto lo = static_cast<std::uint8_t>(bytes[i]);
        const auto hi = i + 1 < bytes.size() ? static_cast<std::uint8_t>(bytes[i + 1]) : 0u;
        params.push_back(Word(lo | (hi << 8)));
    }
}

void AppendWord(std::string& out, std::uint16_t w)
{
    out.push_back(static_cast<char>(w & 0xFF));
    out.push_back(static_cast<char>(w >> 8));
}

void AppendDword(std::string& out, std::uint32_t d)
{
    AppendWord(out, static_cast<std::uint16_t>(d & 0xFFFF));
    AppendWord(out, static_cast<std::uint16_t>(d >> 16));
}

// A styled pen wider than one pixel is drawn solid.
Pen Effective(Pen pen)
{
    if (pen.width > 1)
        pen.style = PenStyle::Solid;
    return pen;
}

} // namespace

std::array<std::uint8_t, 22> PlaceableHeader(int right, int bottom, int unitsPerInch)
{
    const std::uint16_t words[10] = {0xCDD7,
                                     0x9AC6,
                                     0,
                                     0,
                                     0,
                                     static_cast<std::uint16_t>(Coord(right)),
                                     static_cast<std::uint16_t>(Coord(bottom)),
                                     static_cast<std::uint16_t>(unitsPerInch),
                                     0,
                                     0};
    std::uint16_t checksum = 0;
    std::array<std::uint8_t, 22> out {};
    for (int i = 0; i < 10; ++i) {
        checksum ^= words[i];
        out[static_cast<std::size_t>(2 * i)] = static_cast<std::uint8_t>(words[i] & 0xFF);
        out[static_cast<std::size_t>(2 * i + 1)] = static_cast<std::uint8_t>(words[i] >> 8);
    }
    out[20] = static_cast<std::uint8_t>(checksum & 0xFF);
    out[21] = static_cast<std::uint8_t>(checksum >> 8);
    return out;
}

MetafileCanvas::MetafileCanvas(int width, int height, int unitsPerInch)
    : m_width(width)
    , m_height(height)
    , m_unitsPerInch(unitsPerInch)
{
    record(SetMapMode, {Anisotropic});
    record(SetWindowOrg, {0, 0});
    record(SetWindowExt, {Coord(height), Coord(width)});
    record(SetBkMode, {Transparent});
    record(SetPolyFillMode, {Alternate});
}

void MetafileCanvas::record(std::uint16_t function, const std::vector<std::int16_t>& params)
{
    const auto size = static_cast<std::uint32_t>(3 + params.size());
    m_records.push_back(static_cast<std::uint16_t>(size & 0xFFFF));
    m_records.push_back(static_cast<std::uint16_t>(size >> 16));
    m_records.push_back(function);
    for (std::int16_t p : params)
        m_records.push_back(static_cast<std::uint16_t>(p));
    m_largestRecord = std::max(m_largestRecord, size);
}

int MetafileCanvas::createObject()
{
    const auto free = std::find(m_slotUsed.begin(), m_slotUsed.end(), false);
    const auto slot = static_cast<int>(free - m_slotUsed.begin());
    if (free == m_slotUsed.end())
        m_slotUsed.push_back(true);
    else
        *free = true;
    m_peakSlots = std::max(
        m_peakSlots, static_cast<int>(std::count(m_slotUsed.begin(), m_slotUsed.end(), true)));
    return slot;
}

void MetafileCanvas::deleteObject(int slot)
{
    if (slot < 0)
        return;
    record(DeleteObject, {static_cast<std::int16_t>(slot)});
    m_slotUsed[static_cast<std::size_t>(slot)] = false;
}

void MetafileCanvas::selectPen(const Pen& wanted)
{
    const Pen pen = Effective(wanted);
    if (m_pen == pen)
        return;
    std::vector<std::int16_t> params {static_cast<std::int16_t>(pen.style),
                                      Coord(std::max(pen.width, 0)), 0};
    PushColour(params, pen.colour);
    record(CreatePenIndirect, params);
    const int slot = createObject();
    record(SelectObject, {static_cast<std::int16_t>(slot)});
    deleteObject(m_penSlot);
    m_penSlot = slot;
    m_pen = pen;
}

void MetafileCanvas::selectBrush(Colour fill)
{
    if (m_brush == fill)
        return;
    std::vector<std::int16_t> params {0}; // solid
    PushColour(params, fill);
    params.push_back(0);
    record(CreateBrushIndirect, params);
    const int slot = createObject();
    record(SelectObject, {static_cast<std::int16_t>(slot)});
    deleteObject(m_brushSlot);
    m_brushSlot = slot;
    m_brush = fill;
}

void MetafileCanvas::selectFont(const FontKey& key)
{
    if (m_font == key)
        return;
    // Negative height: the character (em) height rather than the cell height.
    std::vector<std::int16_t> params {Coord(-key.height), 0, Coord(key.escapement),
                                      Coord(key.escapement), Coord(key.weight)};
    // italic, underline, strike-out, charset 0 (ANSI), out precision, clip precision,
    // quality 0, pitch and family 0.
    PushBytes(params, std::string(8, '\0'));
    std::string face = model::Utf8ToCp1252(key.face).substr(0, 31);
    face.push_back('\0');
    PushBytes(params, face);
    record(CreateFontIndirect, params);
    const int slot = createObject();
    record(SelectObject, {static_cast<std::int16_t>(slot)});
    deleteObject(m_fontSlot);
    m_fontSlot = slot;
    m_font = key;
}

void MetafileCanvas::setTextColour(Colour colour)
{
    if (m_textColour == colour)
        return;
    std::vector<std::int16_t> params;
    PushColour(params, colour);
    record(SetTextColor, params);
    m_textColour = colour;
}

void MetafileCanvas::setTextAlign(TextAlign align)
{
    if (m_textAlign == align)
        return;
    int flags = align.h == HAlign::Left ? 0 : align.h == HAlign::Right ? 2 : 6;
    flags |= align.v == VAlign::Top ? 0 : align.v == VAlign::Bottom ? 8 : 24;
    record(SetTextAlign, {static_cast<std::int16_t>(flags)});
    m_textAlign = align;
}

void MetafileCanvas::polygon(std::span<const Point> points, Colour fill, Colour outline)
{
    if (points.empty())
        return;
    selectPen({PenStyle::Solid, outline, 1});
    selectBrush(fill);
    std::vector<std::int16_t> params {static_cast<std::int16_t>(points.size())};
    for (const Point& p : points) {
        params.push_back(Coord(p.x));
        params.push_back(Coord(p.y));
    }
    record(PolygonRecord, params);
}

void MetafileCanvas::ellipse(const Rect& box, Colour fill, Colour outline)
{
    selectPen({PenStyle::Solid, outline, 1});
    selectBrush(fill);
    record(EllipseRecord, {Coord(box.bottom), Coord(box.right), Coord(box.top), Coord(box.left)});
}

void MetafileCanvas::polyline(std::span<const Point> points, const Pen& pen)
{
    // A record holds at most 32767 points; longer lines continue in the next record.
    constexpr std::size_t MaxPoints = 16000;
    if (points.size() < 2)
        return;
    selectPen(pen);
    for (std::size_t start = 0; start + 1 < points.size(); start += MaxPoints - 1) {
        const std::size_t end = std::min(points.size(), start + MaxPoints);
        std::vector<std::int16_t> params {static_cast<std::int16_t>(end - start)};
        for (std::size_t i = start; i < end; ++i) {
            params.push_back(Coord(points[i].x));
            params.push_back(Coord(points[i].y));
        }
        record(PolylineRecord, params);
    }
}

void MetafileCanvas::text(const TextItem& item)
{
    const std::string bytes = model::Utf8ToCp1252(item.text).substr(0, 32000);
    if (bytes.empty())
        return;
    const int escapement = static_cast<int>(std::lround(item.angle * 10.0));
    selectFont({item.height, item.weight, escapement, item.face});
    setTextColour(item.colour);
    setTextAlign(item.align);
    std::vector<std::int16_t> params {static_cast<std::int16_t>(bytes.size())};
    PushBytes(params, bytes);
    params.push_back(Coord(item.at.y));
    params.push_back(Coord(item.at.x));
    record(TextOut, params);
}

std::string MetafileCanvas::bytes() const
{
    // The closing records: delete the objects still alive, then the end record.
    MetafileCanvas tail(*this);
    for (int slot : {m_penSlot, m_brushSlot, m_fontSlot})
        tail.deleteObject(slot);
    tail.record(EofRecord, {});

    std::string out;
    const auto header = PlaceableHeader(m_width + 1, m_height + 1, m_unitsPerInch);
    out.append(header.begin(), header.end());
    AppendWord(out, 1); // memory metafile
    AppendWord(out, 9); // header words
    AppendWord(out, 0x0300);
    AppendDword(out, static_cast<std::uint32_t>(9 + tail.m_records.size()));
    AppendWord(out, static_cast<std::uint16_t>(std::max(tail.m_peakSlots, 1)));
    AppendDword(out, tail.m_largestRecord);
    AppendWord(out, 0);
    for (std::uint16_t w : tail.m_records)
        AppendWord(out, w);
    return out;
}

} // namespace tesmor::plot
