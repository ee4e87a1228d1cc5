// A font definition: a TrueType file of the project with a pixel size, an effect and boldness.
#pragma once

#include "model/kx_class.h"

#include <array>
#include <string>
#include <string_view>

class CFontData : public KXClass {
public:
    CFontData();
    ~CFontData() override;

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

private:
    int m_faceId = 100;
    std::string m_name;
    std::string m_file;
    int m_size = 16;
    int m_effect = 0;
    int m_bold = 0;
    int m_boldEffect = 0;
};
