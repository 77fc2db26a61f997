#pragma once

// A canvas that writes a placeable Windows metafile: a 22-byte placeable header, then a
// standard metafile (18-byte header, records, end record).
//
// Layout, all little-endian 16-bit words unless stated:
//   placeable header  key 0x9AC6CDD7 (32 bits), handle 0, bounding box left top right bottom,
//                     units per inch, reserved 0 (32 bits), checksum = XOR of the ten words before
//   standard header   type 1, header words 9, version 0x0300, file size in words (32 bits, the
//                     placeable header excluded), object-table slots, largest record in words
//                     (32 bits), 0
//   record            size in words incl. its 6-byte head (32 bits), function, parameters
// Single points in records are written y first; point arrays x first; shape boxes as bottom,
// right, top, left. The logical window is set with anisotropic mapping, so the player fits the
// picture to the placeable box. Pens, brushes and fonts are created when a drawing needs one that
// differs from the current one, and the replaced object is deleted after the new one is selected.

#include "plot/canvas.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tesmor::plot {

// The 22-byte placeable header for the box (0, 0, right, bottom).
std::array<std::uint8_t, 22> PlaceableHeader(int right, int bottom, int unitsPerInch);

class MetafileCanvas : public Canvas
{
public:
    // A logical window of width x height units; the placeable box is one unit larger, as
    // Windows records it, at `unitsPerInch` logical units per inch.
    MetafileCanvas(int width = 8000, int height = 8000, int unitsPerInch = 1000);

    void polygon(std::span<const Point> points, Colour fill, Colour outline) override;
    void ellipse(const Rect& box, Colour fill, Colour outline) override;
    using Canvas::polyline;
    void polyline(std::span<const Point> points, const Pen& pen) override;
    void text(const TextItem& item) override;

    // The whole file: placeable header, standard header, the records drawn so far, the deletion
    // of every object still alive and the end record. The canvas may be drawn on further.
    std::string bytes() const;

private:
    struct FontKey
    {
        int height = 0;
        int weight = 0;
        int escapement = 0;
        std::string face;
        friend bool operator==(const FontKey&, const FontKey&) = default;
    };
    void record(std::uint16_t function, const std::vector<std::int16_t>& params);
    int createObject();
    void deleteObject(int slot);
    void selectPen(const Pen& pen);
    void selectBrush(Colour fill);
    void selectFont(const FontKey& key);
    void setTextColour(Colour colour);
    void setTextAlign(TextAlign align);

    int m_width;
    int m_height;
    int m_unitsPerInch;
    std::vector<std::uint16_t> m_records; // records after the standard header
    std::uint32_t m_largestRecord = 0;
    std::vector<bool> m_slotUsed;
    int m_peakSlots = 0;
    std::optional<Pen> m_pen;
    int m_penSlot = -1;
    std::optional<Colour> m_brush;
    int m_brushSlot = -1;
    std::optional<FontKey> m_font;
    int m_fontSlot = -1;
    std::optional<Colour> m_textColour;
    std::optional<TextAlign> m_textAlign;
};

} // namespace tesmor::plot
