// A font definition: a TrueType file of the project with a pixel size, an effect and boldness,
// plus the drawing fields the text rasterizer reads from its working copy.
#pragma once

#include "model/kx_class.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class CNameIdList;

// Index of a font definition element as the project-file reader hands it to ApplyAttribute.
enum FontElement : int {
    kFontName = 0,
    kFontId = 1,
    kFontFile = 2,
    kFontSize = 3,
    kFontEffect = 4,
    kFontBold = 5,
    kFontBoldEffect = 6,
};

class CFontData : public KXClass {
public:
    CFontData();
    // A definition equal in every field, its serial included: the canvas draws with such
    // working copies and never changes the project's definitions.
    CFontData(const CFontData &other);
    ~CFontData() override;

    CFontData &operator=(const CFontData &) = delete;

    // Index of an element name of a font definition; -1 for an unknown name.
    static int ElementIndex(std::string_view tag);
    // Sets one value read from the project file; "Id" only adds an entry to ids.
    void ApplyAttribute(int index, std::string_view text, CNameIdList &ids);

    const std::string &Name() const { return m_name; }
    void SetName(std::string_view name) { m_name = name; }
    const std::string &File() const { return m_file; }
    void SetFile(std::string_view file) { m_file = file; }
    int Size() const { return m_size; }
    void SetSize(int size) { m_size = size; }
    int Effect() const { return m_effect; }
    void SetEffect(int effect) { m_effect = effect; }
    bool Bold() const { return m_bold != 0; }
    void SetBold(bool on) { m_bold = on ? 1 : 0; }
    bool BoldEffect() const { return m_boldEffect != 0; }
    void SetBoldEffect(bool on) { m_boldEffect = on ? 1 : 0; }
    // Identifier under which the rasterizer caches the face; given when added to the list.
    int FaceId() const { return m_faceId; }
    void SetFaceId(int id) { m_faceId = id; }

    // ---- Drawing fields of a working copy ----
    using Matrix = std::array<double, 4>; // xx, xy, yx, yy
    const Matrix &Transform() const { return m_transform; }
    void SetTransform(const Matrix &matrix) { m_transform = matrix; }
    bool Vertical() const { return m_vertical != 0; }
    void SetVertical(bool on) { m_vertical = on ? 1 : 0; }
    bool StrokeFlag() const { return m_stroke != 0; }
    void SetStrokeFlag(bool on) { m_stroke = on ? 1 : 0; }
    int EmboldenStrength() const { return m_emboldenStrength; }
    void SetEmboldenStrength(int strength) { m_emboldenStrength = strength; }
    std::uint32_t MainColour() const { return m_mainColour; }
    void SetMainColour(std::uint32_t colour) { m_mainColour = colour; }
    std::uint32_t SubColour() const { return m_subColour; }
    void SetSubColour(std::uint32_t colour) { m_subColour = colour; }

    static constexpr Matrix kIdentity {1.0, 0.0, 0.0, 1.0};
    static constexpr int kFirstFaceId = 100;

private:
    int m_faceId = kFirstFaceId;
    std::string m_name;
    std::string m_file;
    int m_size = 16;
    int m_effect = 0;
    int m_bold = 0;
    int m_boldEffect = 0;
    Matrix m_transform = kIdentity;
    int m_vertical = 0;
    int m_stroke = 0;
    int m_emboldenStrength = 1;
    std::uint32_t m_mainColour = 0;
    std::uint32_t m_subColour = 0;
};
