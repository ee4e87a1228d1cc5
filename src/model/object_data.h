// One control of a dialog (button, edit box, frame, picture, icon, movie, canvas, text) and the
// operations that every editing tool applies to it through the dialog's root group.
#pragma once

#include "model/geometry.h"
#include "model/kx_class.h"
#include "platform/tree_sink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CObjectDataList;
class CImageDataList;
class CNameIdList;
class UndoBuffer;
class UndoRecord;

namespace kx {
class ObjectNameIndex;
class CodeStream;
struct DesignContext;
} // namespace kx

// Type codes of objects; the index into the object type words.
enum ObjectType : int {
    kTypeButton = 0,
    kTypeEditbox = 1,
    kTypeFrame = 2,
    kTypePicture = 3,
    kTypeIcon = 4,
    kTypeMovie = 5,
    kTypeCanvas = 6,
    kTypeText = 7,
    kTypeGroup = 8,
};

// Index of an object attribute as the project-file reader hands it to ApplyAttribute.
enum ObjectElement : int {
    kObjType = 0,
    kObjName = 1,
    kObjPosition = 3,
    kObjSize = 4,
    kObjWidth = 5,
    kObjHeight = 6,
    kObjText = 7,
    kObjImageId = 8,
    kObjImage = 9,
    kObjImageFile = 10,
    kObjFontId = 11,
    kObjFont = 12,
    kObjMarginX = 13,
    kObjAlignX = 14,
    kObjMarginY = 15,
    kObjAlignY = 16,
    kObjStretch = 17,
    kObjAttr = 18,
    kObjClick = 19,
    kObjRepeat = 20,
    kObjRadio = 21,
    kObjGetText = 22,
    kObjPushClick = 23,
    kObjPushTime = 24,
    kObjLock = 25,
    kObjHide = 26,
    kObjTextCol = 27,
    kObjTextColSub = 28,
    kObjLoop = 29,
    kObjVertical = 30,
    kObjLinespace = 31,
};

// Kind flags gathered by CollectSelectionInfo; they combine by bitwise OR.
enum SelectionKind : int {
    kSelectionFramed = 1, // Frame, Canvas, Text
    kSelectionStateImage = 2, // Button, Editbox
    kSelectionPicture = 4, // Picture, Icon, Movie
};

// Edges and sizes that AlignEdge sets on the selected objects.
enum AlignEdgeKind : int {
    kAlignLeft = 0,
    kAlignRight = 1,
    kAlignTop = 2,
    kAlignBottom = 3,
    kAlignWidth = 4,
    kAlignHeight = 5,
};

// The canvas's last rendering of an object, kept until the object's picture changes.
struct CachedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // 24-bit rows, top-down
};

// One control of a dialog. Positions are relative to the parent group. The serial is shared by
// all snapshots of the object, and CopyFrom/IsSameAs cover exactly the attributes the editing
// history tracks: "Lock", "Hide", "PushClick", "PushTime" and "GetText" are deliberately left out,
// so changing only those records no undo step.
class CObjectData : public KXClass {
public:
    explicit CObjectData(CObjectDataList *parent = nullptr);
    ~CObjectData() override;

    // Index of an element name of an object in the project file; -1 for an unknown tag.
    static int ElementIndex(std::string_view tag);

    // ---- Virtual operations; a group passes them on to its children ----
    void CopyFrom(const KXClass &other) override;
    bool IsSameAs(const KXClass &other) const override;

    // Inserts the item "<Type> = <Name>" under parent and answers it.
    virtual kx::TreeItem AddToTree(kx::ITreeSink &tree, kx::TreeItem parent);
    // The topmost unlocked, visible object under the canvas point, or none.
    virtual CObjectData *HitTest(int x, int y);
    virtual void SetSelected(bool selected);
    virtual bool IsSelected() const;
    virtual CObjectData *FindSelected();
    // Moves this object (when selected) into the target group; the caller removes it from its
    // old children array when this answers true.
    virtual bool MoveSelectedInto(CObjectDataList *target);
    virtual int CountSelected() const;
    // Selects the objects lying wholly inside the rectangle and appends them to list if given.
    virtual void SelectInRect(
        int left, int top, int right, int bottom, std::vector<CObjectData *> *list = nullptr);
    // Gathers facts about the selected objects; every output is optional. minSize needs the
    // image definitions of an open project.
    virtual void CollectSelectionInfo(kx::KXRect *bounds, kx::KXSize *minSize, int *kindFlags,
        int *count, const CImageDataList *images = nullptr);
    virtual bool LocateIndex(const CObjectData *object, int &counter) const;
    virtual CObjectData *LocateAt(int index, int &counter);
    virtual void PreviewScale(const kx::KXRect &from, const kx::KXRect &to);
    virtual void ApplyScale(const kx::KXRect &from, const kx::KXRect &to);
    virtual void AlignEdge(int kind, int value);
    virtual int GroupDepth(int level) const;
    virtual int CountNodes() const;
    // ---- Generated design code (the code generator implements these) ----
    // The object's enumerator line in the dialog's design header. A group adds the lines of its
    // children in pre-order; the root group writes only theirs.
    virtual void EmitEnumerator(kx::CodeStream &out) const;
    // The object's case of GetIdName in the design source; the same walk as EmitEnumerator.
    virtual void EmitIdNameCase(kx::CodeStream &out) const;
    // The statement of SetImage that builds the object, then its setter lines. level is the
    // number of the group variable that holds the parent; a group assigns its own variable,
    // level + 1, and passes that on to its children.
    virtual void EmitDesign(kx::CodeStream &out, int level, const kx::DesignContext &context) const;
    // An empty case of the dialog's click handler for an object whose "Click" is on. A group
    // writes none for itself, only those of its children in pre-order.
    virtual void EmitClickCase(kx::CodeStream &out) const;
    virtual void ReplaceFontName(std::string_view oldName, std::string_view newName);
    virtual void ReplaceImageName(std::string_view oldName, std::string_view newName);
    virtual CObjectData *FindBySerial(std::uint64_t serial);
    virtual CObjectData *FindByName(std::string_view name);
    // ---- Project-file form (the project-file layer implements these) ----
    // Appends the object's element to out, the text converted to UTF-8.
    virtual void WriteXml(std::string &out, const CImageDataList *images) const;
    // Appends the element of what is selected, texts left in CP932 (the clipboard form).
    virtual void AppendSelectionXml(std::string &out, const CImageDataList *images) const;
    // Appends the object's element. A button, edit box or frame without a font is written with
    // the font of its image definition; the model stays as it is.
    void FormatXml(std::string &out, bool convertToUtf8, const CImageDataList *images) const;

    // Adds to record what changed in this object since the history's latest copy of it.
    virtual void RecordHistory(UndoBuffer &history, UndoRecord &record);

    virtual bool IsGroup() const { return false; }

    // Sets one attribute from its project-file text. Names are made unique within the dialog
    // (a group named "OGROOT" excepted), through names when given (the reader keeps one per
    // dialog), else by searching the tree; FontId and ImageId are looked up in ids.
    void ApplyAttribute(int index, std::string_view text, const CNameIdList &ids,
        kx::ObjectNameIndex *names = nullptr);

    // ---- Coordinates ----
    int AbsoluteX() const;
    int AbsoluteY() const;
    void SetAbsoluteX(int x);
    void SetAbsoluteY(int y);
    // Canvas rectangle including the preview offset and scale.
    kx::KXRect GetRect() const;
    // Number of groups that enclose the object, the root group included; 0 for a root group.
    int Depth() const;

    // ---- Colours of Text objects (0x00BBGGRR; 0 for a name outside the colour table) ----
    std::uint32_t TextColourValue() const;
    std::uint32_t SubColourValue() const;

    // ---- Attributes ----
    int Type() const { return m_tracked.type; }
    void SetType(int type) { m_tracked.type = type; }
    const std::string &Name() const { return m_tracked.name; }
    void SetName(std::string_view name) { m_tracked.name = name; }
    const std::string &Text() const { return m_tracked.text; }
    void SetText(std::string_view text) { m_tracked.text = text; }
    bool Lock() const { return m_lock; }
    void SetLock(bool on) { m_lock = on; }
    bool Hide() const { return m_hide; }
    void SetHide(bool on) { m_hide = on; }
    bool Click() const { return m_tracked.click; }
    void SetClick(bool on) { m_tracked.click = on; }
    bool PushClick() const { return m_pushClick; }
    void SetPushClick(bool on) { m_pushClick = on; }
    int PushTime() const { return m_pushTime; }
    void SetPushTime(int ms) { m_pushTime = ms; }
    // "Repeat" of buttons and edit boxes and "Loop" of movies share one field.
    bool Repeat() const { return m_tracked.repeat; }
    void SetRepeat(bool on) { m_tracked.repeat = on; }
    bool Radio() const { return m_tracked.radio; }
    void SetRadio(bool on) { m_tracked.radio = on; }
    bool IsGetText() const { return m_getText; }
    void SetGetText(bool on) { m_getText = on; }
    int Attr() const { return m_tracked.attr; }
    void SetAttr(int attr) { m_tracked.attr = attr; }
    int X() const { return m_tracked.x; }
    int Y() const { return m_tracked.y; }
    void SetPosition(int x, int y)
    {
        m_tracked.x = x;
        m_tracked.y = y;
    }
    int Width() const { return m_tracked.width; }
    int Height() const { return m_tracked.height; }
    void SetWidth(int width) { m_tracked.width = width; }
    void SetHeight(int height) { m_tracked.height = height; }
    const std::string &Image() const { return m_tracked.image; }
    void SetImage(std::string_view image); // also discards the cached picture
    const std::string &Font() const { return m_tracked.font; }
    void SetFont(std::string_view font) { m_tracked.font = font; }
    int AlignX() const { return m_tracked.alignX; }
    void SetAlignX(int align) { m_tracked.alignX = align; }
    int AlignY() const { return m_tracked.alignY; }
    void SetAlignY(int align) { m_tracked.alignY = align; }
    int MarginX() const { return m_tracked.marginX; }
    void SetMarginX(int margin) { m_tracked.marginX = margin; }
    int MarginY() const { return m_tracked.marginY; }
    void SetMarginY(int margin) { m_tracked.marginY = margin; }
    int Stretch() const { return m_tracked.stretch; }
    void SetStretch(int stretch) { m_tracked.stretch = stretch; }
    const std::string &TextCol() const { return m_tracked.textCol; }
    void SetTextCol(std::string_view colour) { m_tracked.textCol = colour; }
    const std::string &TextColSub() const { return m_tracked.textColSub; }
    void SetTextColSub(std::string_view colour) { m_tracked.textColSub = colour; }
    bool Vertical() const { return m_tracked.vertical; }
    void SetVertical(bool on) { m_tracked.vertical = on; }
    int Linespace() const { return m_tracked.linespace; }
    void SetLinespace(int linespace) { m_tracked.linespace = linespace; }
    const std::string &ImageFile() const { return m_tracked.imageFile; }
    // Discards the cached picture only when the file name really changes.
    void SetImageFile(std::string_view file);

    // The group that holds the object; tracked like the attributes, so that undo puts an object
    // back into the group it was moved out of.
    CObjectDataList *Parent() const { return m_tracked.parent; }
    void SetParent(CObjectDataList *parent) { m_tracked.parent = parent; }

    // ---- Editing state: never saved, never compared ----
    bool SelectedFlag() const { return m_selected; }
    int PreviewOffsetX() const { return m_previewOffsetX; }
    int PreviewOffsetY() const { return m_previewOffsetY; }
    double PreviewScaleX() const { return m_previewScaleX; }
    double PreviewScaleY() const { return m_previewScaleY; }
    void SetPreviewOffset(int dx, int dy)
    {
        m_previewOffsetX = dx;
        m_previewOffsetY = dy;
    }
    void ResetPreview();
    const CachedPicture *Cached() const { return m_cached.get(); }
    void SetCached(std::unique_ptr<CachedPicture> picture) { m_cached = std::move(picture); }
    void DiscardCachedPicture() { m_cached.reset(); }
    // Where the canvas last drew the object (its picture and its text, which may reach beyond
    // its rectangle); empty before the first paint. Partial repaints rely on it.
    const kx::KXRect &DrawnBounds() const { return m_drawn; }
    void SetDrawnBounds(const kx::KXRect &bounds) { m_drawn = bounds; }

protected:
    // Compares the tracked attributes (not the KXClass part, not the group's own state).
    bool SameTrackedState(const CObjectData &other) const;
    // Appends the object to the target's children and keeps its place on the canvas.
    void MoveInto(CObjectDataList &target);
    // The group whose tree this object belongs to: the topmost ancestor, or itself.
    CObjectData *TopAncestor();

    bool m_selected = false;

private:
    // Everything that CopyFrom copies and IsSameAs compares: the attributes the editing history
    // records, and the parent pointer, whose change is how a move between groups is recorded. A new
    // attribute that undo should restore goes here and nowhere else; the defaulted comparison
    // then cannot leave it out. Cheap fields come first, since the comparison stops at the first
    // difference.
    struct TrackedState {
        int type = kTypeButton;
        int attr = 0;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        int alignX = 0;
        int alignY = 1;
        int marginX = 0;
        int marginY = 0;
        int stretch = 0;
        int linespace = 10;
        bool click = false;
        bool repeat = false;
        bool radio = false;
        bool vertical = false;
        CObjectDataList *parent = nullptr;
        std::string name;
        std::string text;
        std::string font;
        std::string image;
        std::string imageFile;
        std::string textCol = "BLACK";
        std::string textColSub = "GRAY";

        bool operator==(const TrackedState &) const = default;
    };

    TrackedState m_tracked;
    // Not tracked: changing only these records no undo step, and undo leaves them as they are.
    bool m_lock = false;
    bool m_hide = false;
    bool m_pushClick = false;
    int m_pushTime = 200;
    bool m_getText = false;
    // Editing state: never saved, never compared, reset by CopyFrom.
    int m_previewOffsetX = 0;
    int m_previewOffsetY = 0;
    double m_previewScaleX = 1.0;
    double m_previewScaleY = 1.0;
    std::unique_ptr<CachedPicture> m_cached;
    // Where the canvas shows the object: kept through undo and redo, which change the model
    // before the canvas is painted again.
    kx::KXRect m_drawn;
};

// The object behind a model object of kind 5, or none. Cheaper than a dynamic_cast on the paths
// that compare every object of a dialog.
inline const CObjectData *AsObject(const KXClass &object)
{
    return object.Kind() == kKindObject ? static_cast<const CObjectData *>(&object) : nullptr;
}
