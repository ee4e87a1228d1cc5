// The paint of a dialog as the device shows it: the background pattern, then every object of
// the dialog's group tree drawn by its type, with its pictures and its text.
#pragma once

#include "platform/message_sink.h"
#include "render/surface.h"
#include "render/text_layout.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

class CFontData;
class CFreeTypeFont;
class CImageData;
class CKXDialogData;
class CObjectData;
class CProjectContext;

namespace kx {

class IObjectStates;
class IPicture;
class IPictureCache;

inline constexpr std::uint32_t kPatternDark = Rgb(128, 128, 128);
inline constexpr std::uint32_t kPatternLight = Rgb(192, 192, 192);
inline constexpr std::uint32_t kPlaceholderColour = Rgb(255, 128, 128);
inline constexpr std::uint32_t kCanvasColour = Rgb(255, 255, 255);
// Height of the placeholder of a button or edit box that has no height of its own.
inline constexpr int kPlaceholderMinHeight = 30;

// Fills the surface with 8 x 8 squares, dark at the top left, light beside and below, repeating
// every 16 pixels from the top-left corner.
void FillBackgroundPattern(Surface &surface);

// Draws dialogs and their objects with the project's image and font definitions. Drawing keeps
// each object's picture (without its text) in the object, and writes back into the model what
// the device decides: a button's height from its picture and a movie's size from its file. A
// font name that names no definition is drawn with the first font definition in its place and
// reported once; only Repair writes the substitute into the model, so that a paint never changes
// what the user's history holds.
class DialogPainter {
public:
    DialogPainter(CProjectContext &project, CFreeTypeFont &fonts, IMessageSink &messages);

    // Draws every object as if it were in this state (an index of the object states) where its
    // image definition has a picture for it; -1, the default, draws the normal pictures. Such
    // pictures are drawn afresh and not kept in the objects.
    void SetStateOverride(int state) { m_state = state; }
    // Draws each object in the state the source gives it (its own initial state, or what a play
    // of the dialog made of it) and with the text it gives, where its image definition has a
    // picture for that state; an object or group in the Hide state draws nothing. None, the
    // default, leaves the override above in charge. The caller keeps the source alive while set.
    void SetStateSource(const IObjectStates *states) { m_states = states; }
    const IObjectStates *StateSource() const { return m_states; }

    // The whole paint of a view: the pattern, then the dialog's root group. The surface is
    // normally the dialog's size.
    void PaintDialog(Surface &surface, CKXDialogData &dialog);
    // Makes the repairs that drawing makes (a button's height from its picture, a movie's size
    // from its file) and writes the substitute of a missing font into the model, without drawing
    // anything to keep, so that a loaded dialog's history starts from the state the canvas shows.
    // definitions: whether the image definitions' missing fonts are written too (a load); a
    // dialog that joins a project being edited leaves the definitions, which belong to the
    // project's history, as they are.
    void Repair(CKXDialogData &dialog, bool definitions = true);
    // The pictures objects keep are drawn afresh at their next paint (after image definitions
    // or picture files changed).
    static void ForgetPictures(CKXDialogData &dialog);
    // Problems reported so far may be reported again (a new project).
    void ForgetReported() { m_reported.clear(); }
    // Paints only the area again (after an edit that changed it): the pattern, then every object
    // that was or is drawn there, nothing outside the area except where an object drawn there
    // reaches further, in which case the area grows. Answers the area painted in the end.
    KXRect PaintArea(Surface &surface, CKXDialogData &dialog, const KXRect &area);
    // Draws one object, or a group with its children from the first to the last. Hidden objects
    // and groups draw nothing. Each object drawn keeps the bounds of what it drew.
    void DrawObject(Surface &surface, CObjectData &object);
    // Where the caret of a button or edit box stands after the first caret bytes of the text it
    // shows, laid out as its paint lays it out; an empty box when it shows no text.
    TextCaret CaretOf(CObjectData &object, std::size_t caret);

private:
    void DrawLeaf(Surface &surface, CObjectData &object);
    // Whether a partial paint can leave the object out.
    bool Outside(const CObjectData &object) const;
    void DrawStateImageObject(Surface &surface, CObjectData &object);
    // The picture slot a button or edit box is shown with in its state (0 when its definition
    // has no picture for the state), and the picture's height in height.
    int ShownSlot(const CObjectData &object, const CImageData &image, int &height) const;
    const std::string &ShownText(const CObjectData &object) const;
    // The font and the rest of the placement (whose rectangle the caller sets) of the text of a
    // button, edit box or frame shown with the picture of this slot; none without a font.
    const CFontData *ImageObjectText(
        CObjectData &object, CImageData &image, int slot, TextPlacement &place);
    void DrawPictureObject(Surface &surface, CObjectData &object);
    void DrawTextObject(Surface &surface, CObjectData &object);
    // The font a button, edit box or frame writes its text with: the definition's font, or the
    // first font definition in its place (reported and written into the definition).
    const CFontData *ImageFont(const CObjectData &object, CImageData &image);
    // The first font definition, announcing it as the substitute with the message given.
    const CFontData *Substitute(std::string_view message);
    // Tells the user once per problem, however often it is met.
    void Report(std::string_view message, MessageIcon icon);
    // The decoded picture of a file of the project's resources folder; none for a name that
    // leaves the folder.
    const IPicture *FindPicture(IPictureCache &cache, const std::string &file) const;
    // Tells, in one message, which picture and font file names the paint refused and the user
    // has not been told of yet.
    void ReportRefusedFiles();

    CProjectContext &m_project;
    CFreeTypeFont &m_fonts;
    IMessageSink &m_messages;
    int m_state = -1;
    const IObjectStates *m_states = nullptr;
    bool m_repairing = false;
    bool m_repairingDefinitions = false;
    std::set<std::string, std::less<>> m_reported;
    // During PaintArea: the area, and the bounds of what the objects drawn there drew.
    const KXRect *m_area = nullptr;
    KXRect m_reach;
};

} // namespace kx
