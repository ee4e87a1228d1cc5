// An image definition: the state pictures, text colours, font and text layout that dress the
// buttons, edit boxes or frames that name it.
#pragma once

#include "model/geometry.h"
#include "model/kx_class.h"
#include "model/picture.h"
#include "model/vocabulary.h"

#include <array>
#include <string>
#include <string_view>

class CNameIdList;
class CProjectContext;

// Index of an image definition element as the project-file reader hands it to ApplyAttribute.
enum ImageElement : int {
    kImgType = 0,
    kImgName = 1,
    kImgId = 2,
    kImgSlotFile = 3, // 3..8: slots 0..5
    kImgSlotColour = 9, // 9..14
    kImgSlotSubColour = 15, // 15..20
    kImgFontId = 21,
    kImgFont = 22,
    kImgMarginY = 23,
    kImgAlignY = 24,
    kImgMarginX = 25,
    kImgAlignX = 26,
    kImgStretch = 27,
};

class CImageData : public KXClass {
public:
    CImageData();
    ~CImageData() override;

    // Index of an element name of an image definition; the frame words "Top", "Middle" and
    // "Bottom" share the indexes of slots 0 to 2. -1 for an unknown name.
    static int ElementIndex(std::string_view tag);
    // Sets one value read from the project file. Slot files are resolved through the project's
    // picture cache; "Id" adds an entry to the project's name/ID list.
    void ApplyAttribute(int index, std::string_view text, CProjectContext &project);

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
    // Stores the file name and resolves the slot's picture at once through the project's cache
    // (none when there is no project or the file cannot be decoded; the name stays either way).
    void SetSlotFile(int slot, std::string_view file, CProjectContext *project);
    const std::string &SlotColour(int slot) const;
    void SetSlotColour(int slot, std::string_view name);
    const std::string &SlotSubColour(int slot) const;
    void SetSlotSubColour(int slot, std::string_view name);

    // Drawing value of a slot's colour names (exact match of a bare name; 0 when unknown).
    std::uint32_t DrawingColour(int slot) const;
    std::uint32_t DrawingSubColour(int slot) const;

    // Decoded picture of a slot, owned by the picture cache; none when unresolved.
    const kx::IPicture *Picture(int slot) const
    {
        return ValidSlot(slot) ? m_pictures[slot] : nullptr;
    }
    void SetPicture(int slot, const kx::IPicture *picture);

    // The size an object of the given type takes from this definition's pictures: the Normal
    // picture for buttons and edit boxes, the three strips stacked for frames; 10 x 10 when the
    // picture is missing and for other types.
    kx::KXSize NaturalSize(int objectType) const;

private:
    static bool ValidSlot(int slot) { return slot >= 0 && slot < kx::kMaxImageSlots; }

    std::array<const kx::IPicture *, kx::kMaxImageSlots> m_pictures {};
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
