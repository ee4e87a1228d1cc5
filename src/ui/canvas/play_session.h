// A dialog tried as the device runs it: the states its objects show while the user presses
// buttons, picks radio buttons, moves the focus and types into edit boxes, and the events the
// application receives for it. Nothing of it is written into the model: the states and texts are
// kept here, by object serial, and the painter asks for them. Knows nothing of Qt, so its rules
// are tested without a display.
#pragma once

#include "model/geometry.h"
#include "render/object_states.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CKXDialogData;
class CObjectData;
class CObjectDataList;

// One thing the application receives from the dialog.
struct PlayEvent {
    enum class Kind {
        CursorDown, // the pointer went down (x, y)
        CursorMove, // it moved while down
        CursorUp, // it went up
        Down, // an object went down (by the pointer or a key)
        Up, // it went up again
        Click, // it was clicked
        Repeat, // a held button repeats its click
        Text, // the text of an edit box changed (text holds it, CP932)
    };
    Kind kind = Kind::CursorDown;
    const CObjectData *object = nullptr; // none for the pointer's own events
    int x = 0;
    int y = 0;
    std::string text;
};

// What a play asks of the canvas around it.
class IPlayHost {
public:
    virtual ~IPlayHost() = default;
    // Objects here show other states or texts: this part of the canvas is to be drawn again.
    virtual void Repaint(const kx::KXRect &area) = 0;
    virtual void Receive(const PlayEvent &event) = 0;
};

class CPlaySession final : public kx::IObjectStates {
public:
    // A held button with "Repeat" repeats its click after this many milliseconds, then at this
    // interval, as long as it is held.
    static constexpr std::int64_t kRepeatDelay = 500;
    static constexpr std::int64_t kRepeatInterval = 100;

    // Every object starts in its initial state; the first object that takes the focus and
    // starts in the Focus state has the focus.
    CPlaySession(CKXDialogData &dialog, IPlayHost &host);

    // kx::IObjectStates
    int StateOf(const CObjectData &object) const override;
    const std::string *TextOf(const CObjectData &object) const override;

    // The pointer, in canvas pixels, at a time in milliseconds of a steady clock.
    void Press(int x, int y, std::int64_t now);
    void Move(int x, int y, std::int64_t now);
    void Release(int x, int y, std::int64_t now);
    // Time passes for a held button (push-click, repeat).
    void Tick(std::int64_t now);
    // When Tick has something to do next; -1 for never.
    std::int64_t NextTick() const;

    // Tab and Shift+Tab: the focus to the next or previous button or edit box that takes it, in
    // tree order, round the end.
    void FocusNext(bool backwards);
    // Space or Return on the focused button: down, and up again (a click).
    void KeyDown(std::int64_t now);
    void KeyUp(std::int64_t now);

    // Typing into the focused edit box (CP932). The text being composed by an input method is
    // shown at the caret until it is committed.
    void InsertText(std::string_view text);
    void SetPreedit(std::string_view text);
    void Backspace();
    void DeleteForward();
    // The caret by whole characters; Home and End.
    void MoveCaret(int characters);
    void CaretToStart();
    void CaretToEnd();

    CObjectData *Focus() const;
    // The focused object when it is an edit box that takes text.
    CObjectData *EditBox() const;
    // The object held down, or none.
    CObjectData *Held() const { return m_held; }
    // The caret in the focused edit box's shown text (after the text being composed), in bytes.
    std::size_t Caret() const;
    // The focused edit box's text without what is being composed.
    std::string EditText() const;

    // The buttons and edit boxes that take the focus, in tree order.
    std::vector<CObjectData *> FocusOrder() const;
    // The object that takes the pointer at a canvas point: the topmost object shown there whose
    // "Click" is on (disabled ones too, which then do nothing); none elsewhere.
    CObjectData *InputAt(int x, int y) const;

private:
    struct Edit {
        std::string text;
        std::size_t caret = 0;
        std::string preedit;
        std::string shown; // text with the preedit at the caret
    };

    int BaseOf(const CObjectData &object) const;
    void SetBase(const CObjectData &object, int state);
    bool IsShown(const CObjectData &object) const;
    bool IsEnabled(const CObjectData &object) const;
    bool TakesFocus(const CObjectData &object) const;
    void SetFocus(CObjectData *object);
    void Hold(CObjectData *object, std::int64_t now, bool byKey);
    void LetGo(bool click);
    void Click(CObjectData &object);
    void SelectRadio(CObjectData &button);
    Edit &EditOf(CObjectData &object);
    void EditChanged(CObjectData &object, Edit &edit, bool textChanged);
    void Emit(PlayEvent::Kind kind, const CObjectData *object, int x = 0, int y = 0);
    void Repaint(const CObjectData &object);

    CKXDialogData &m_dialog;
    IPlayHost &m_host;
    // States that differ from the objects' initial ones, and the texts typed, by serial.
    std::unordered_map<std::uint64_t, int> m_base;
    std::unordered_map<std::uint64_t, Edit> m_edits;
    std::uint64_t m_focus = 0;
    bool m_pointerDown = false;
    CObjectData *m_held = nullptr;
    bool m_heldInside = false;
    bool m_heldByKey = false;
    bool m_clicked = false; // the held button's push-click has come
    std::int64_t m_pressTime = 0;
    std::int64_t m_nextRepeat = -1;
};
