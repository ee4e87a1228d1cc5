// One dialog (screen) of the project: its name, caption, place, size, background colour, the
// tree of objects drawn on it, its editing history and the names of the files generated for it.
#pragma once

#include "history/undo_buffer.h"
#include "model/kx_class.h"
#include "model/prefix_settings.h"
#include "platform/tree_sink.h"

#include <memory>
#include <string>
#include <string_view>

class CObjectDataList;

// Index of a dialog element as the project-file reader hands it to ApplyAttribute.
enum DialogElement : int {
    kDlgName = 0,
    kDlgTitle = 2,
    kDlgPosition = 3,
    kDlgSize = 4,
    kDlgColorBG = 5,
};

class CKXDialogData : public KXClass {
public:
    // Every dialog gets its root group "OGROOT", whatever its name, so that no operation meets a
    // dialog without one. Only the class name is derived here; SetName derives all five names.
    CKXDialogData(std::string_view name, const kx::PrefixSettings &prefixes);
    ~CKXDialogData() override;

    // A copy for the editing history: the dialog's own properties, no root group, no history.
    static std::unique_ptr<CKXDialogData> MakeSnapshot(const CKXDialogData &dialog);

    // Copies the KXClass part, the name (without deriving names), title, position, size and
    // background; not the root group, the history or the derived names.
    void CopyFrom(const KXClass &other) override;
    // Compares name, title, position, size and background.
    bool IsSameAs(const KXClass &other) const override;
    // Puts back title, position, size and background from a snapshot (undo and redo).
    void RestoreProperties(const CKXDialogData &snapshot);

    // Index of an element name of a dialog; -1 for an unknown name.
    static int ElementIndex(std::string_view tag);
    // Sets one value read from the project file.
    void ApplyAttribute(int index, std::string_view text);

    // A dialog read into another project takes this project's prefixes (and the names derived
    // from them).
    void UsePrefixes(const kx::PrefixSettings &prefixes);

    const std::string &Name() const { return m_name; }
    // Stores the name and derives the class name and the four file names from it.
    void SetName(std::string_view name);
    // A rename by the user: SetName, and the history's copies of the dialog take the name too.
    // Undo never restores a name, so the rename is no step of its own and the redo steps stay.
    void Rename(std::string_view name);

    // Caption, CP932.
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

    // Records what changed since the last step of the history.
    void SaveUndoInfo() { m_history.SaveUndoInfo(*this); }
    UndoBuffer &History() { return m_history; }
    const UndoBuffer &History() const { return m_history; }

    // Inserts the item labelled with the name, then the objects of the root group below it.
    kx::TreeItem AddToTree(
        kx::ITreeSink &tree, kx::TreeItem parent, kx::TreeItem after = kx::kNoTreeItem);

private:
    struct SnapshotTag { };
    CKXDialogData(SnapshotTag, const kx::PrefixSettings &prefixes);

    const kx::PrefixSettings *m_prefixes;
    std::string m_name;
    std::string m_title;
    int m_x = 0;
    int m_y = 0;
    int m_width = 640;
    int m_height = 480;
    CObjectDataList *m_root = nullptr;
    std::string m_background = "KX_COL_TRANSPARENT";
    UndoBuffer m_history;
    std::string m_className;
    std::string m_headerFile;
    std::string m_designHeaderFile;
    std::string m_designSourceFile;
    std::string m_classSourceFile;
};
