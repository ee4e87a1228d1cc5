// One dialog (screen) of the project: its name, caption, place, size, background colour, the
// tree of objects drawn on it and the names of the files generated for it.
#pragma once

#include "model/kx_class.h"
#include "model/prefix_settings.h"
#include "platform/tree_sink.h"

#include <string>
#include <string_view>

class CObjectDataList;

class CKXDialogData : public KXClass {
public:
    // Every dialog gets its root group "OGROOT", whatever its name, so that no operation meets a
    // dialog without one.
    CKXDialogData(std::string_view name, const kx::PrefixSettings &prefixes);
    ~CKXDialogData() override;

    const std::string &Name() const { return m_name; }
    // Stores the name and derives the class name and the four file names from it.
    void SetName(std::string_view name);

    const std::string &Title() const { return m_title; }
    void SetTitle(std::string_view title) { m_title = title; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetPosition(int x, int y)
    {
        m_x = x;
        m_y = y;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetSize(int width, int height)
    {
        m_width = width;
        m_height = height;
    }
    const std::string &BackgroundColour() const { return m_background; }
    void SetBackgroundColour(std::string_view colour) { m_background = colour; }

    CObjectDataList *RootGroup() const { return m_root; }

    const std::string &ClassName() const { return m_className; }
    const std::string &HeaderFile() const { return m_headerFile; }
    const std::string &DesignHeaderFile() const { return m_designHeaderFile; }
    const std::string &DesignSourceFile() const { return m_designSourceFile; }
    const std::string &ClassSourceFile() const { return m_classSourceFile; }

    // Inserts the item labelled with the name, then the object tree below it.
    kx::TreeItem AddToTree(
        kx::ITreeSink &tree, kx::TreeItem parent, kx::TreeItem after = kx::kNoTreeItem);

private:
    const kx::PrefixSettings *m_prefixes;
    std::string m_name;
    std::string m_title;
    int m_x = 0;
    int m_y = 0;
    int m_width = 640;
    int m_height = 480;
    CObjectDataList *m_root = nullptr;
    std::string m_background = "KX_COL_TRANSPARENT";
    std::string m_className;
    std::string m_headerFile;
    std::string m_designHeaderFile;
    std::string m_designSourceFile;
    std::string m_classSourceFile;
};
