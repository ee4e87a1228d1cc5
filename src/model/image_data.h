// An image definition: the state pictures, text colours, font and text layout that dress the
// buttons, edit boxes or frames that name it.
#pragma once

#include "model/geometry.h"
#include "model/kx_class.h"
#include "model/vocabulary.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class CImageData : public KXClass {
public:
    CImageData();
    ~CImageData() override;

    int Type() const { return m_type; }
    void SetType(int type) { m_type = type; }
    const std::string &Name() const { return m_name; }
    void SetName(std::string_view name) { m_name = name; }
    const std::string &FontName() const { return m_fontName; }
    void SetFontName(std::string_view name) { m_fontName = name; }
    int AlignX() const { return m_alignX; }
    void SetAlignX(int align) { m_alignX = align; }
    int AlignY() const { return m_alignY; }
    void SetAlignY(int align) { m_alignY = align; }
    int Stretch() const { return m_stretch; }
    void SetStretch(int stretch) { m_stretch = stretch; }
    int MarginX() const { return m_marginX; }
    void SetMarginX(int margin) { m_marginX = margin; }
    int MarginY() const { return m_marginY; }
    void SetMarginY(int margin) { m_marginY = margin; }

    // Per-slot texts; a slot outside 0..5 answers an empty text and ignores writes.
    const std::string &SlotFile(int slot) const;
    void SetSlotFileName(int slot, std::string_view file);
    const std::string &SlotColour(int slot) const;
    void SetSlotColour(int slot, std::string_view name);
    const std::string &SlotSubColour(int slot) const;
    void SetSlotSubColour(int slot, std::string_view name);

    // Size of the decoded picture of a slot, known once the picture has been loaded.
    std::optional<kx::KXSize> PictureSize(int slot) const;
    void SetPictureSize(int slot, std::optional<kx::KXSize> size);

private:
    static bool ValidSlot(int slot) { return slot >= 0 && slot < kx::kMaxImageSlots; }

    std::array<std::optional<kx::KXSize>, kx::kMaxImageSlots> m_pictureSizes;
    int m_type = 0;
    std::string m_name;
    std::string m_fontName;
    int m_alignX = 0;
    int m_alignY = 1;
    int m_stretch = 0;
    int m_marginX = 0;
    int m_marginY = 0;
    std::array<std::string, kx::kMaxImageSlots> m_files;
    std::array<std::string, kx::kMaxImageSlots> m_colours;
    std::array<std::string, kx::kMaxImageSlots> m_subColours;
};
