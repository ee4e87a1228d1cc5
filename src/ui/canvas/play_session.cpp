#include "ui/canvas/play_session.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/vocabulary.h"

#include <algorithm>

using kx::kStateActDown;
using kx::kStateActive;
using kx::kStateDisable;
using kx::kStateDown;
using kx::kStateFocus;
using kx::kStateHide;
using kx::kStateNormal;

namespace {

template <typename Visit>
void EachObject(CObjectData &object, const Visit &visit)
{
    visit(object);
    if (object.IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList &>(object).Children()) {
            if (child)
                EachObject(*child, visit);
        }
    }
}

// Where the character after the byte at offset begins in a CP932 text.
std::size_t NextCharacter(const std::string &text, std::size_t offset)
{
    if (offset >= text.size())
        return text.size();
    const bool wide = kx::IsCp932LeadByte(static_cast<unsigned char>(text[offset]));
    return std::min(text.size(), offset + (wide ? 2 : 1));
}

// Where the character before offset begins: the text is read from its start, since a trail
// byte may look like a single-byte character.
std::size_t PreviousCharacter(const std::string &text, std::size_t offset)
{
    std::size_t at = 0;
    for (std::size_t next = 0; (next = NextCharacter(text, at)) < offset && next > at;)
        at = next;
    return offset == 0 ? 0 : at;
}

bool IsPressable(const CObjectData &object)
{
    return object.Type() == kTypeButton;
}

} // namespace

CPlaySession::CPlaySession(CKXDialogData &dialog, IPlayHost &host)
    : m_dialog(dialog)
    , m_host(host)
{
    // One object holds the focus: the first that starts in the Focus state. It shows the state
    // by holding the focus, and shows Normal once the focus moves on.
    for (CObjectData *object : FocusOrder()) {
        if (object->Attr() == kStateFocus) {
            m_focus = object->Serial();
            SetBase(*object, kStateNormal);
            break;
        }
    }
}

// ---- States ----

int CPlaySession::BaseOf(const CObjectData &object) const
{
    const auto found = m_base.find(object.Serial());
    return found != m_base.end() ? found->second : object.Attr();
}

void CPlaySession::SetBase(const CObjectData &object, int state)
{
    m_base[object.Serial()] = state;
}

int CPlaySession::StateOf(const CObjectData &object) const
{
    const int base = BaseOf(object);
    if (&object == m_held && m_heldInside && IsPressable(object))
        return base == kStateActive || base == kStateActDown ? kStateActDown : kStateDown;
    if (m_focus != 0 && object.Serial() == m_focus)
        return kStateFocus;
    return base;
}

const std::string *CPlaySession::TextOf(const CObjectData &object) const
{
    const auto found = m_edits.find(object.Serial());
    return found != m_edits.end() ? &found->second.shown : nullptr;
}

bool CPlaySession::IsShown(const CObjectData &object) const
{
    for (const CObjectData *o = &object; o; o = o->Parent()) {
        if (o->Hide() || BaseOf(*o) == kStateHide)
            return false;
    }
    return true;
}

bool CPlaySession::IsEnabled(const CObjectData &object) const
{
    for (const CObjectData *o = &object; o; o = o->Parent()) {
        if (BaseOf(*o) == kStateDisable)
            return false;
    }
    return true;
}

bool CPlaySession::TakesFocus(const CObjectData &object) const
{
    return (object.Type() == kTypeButton || object.Type() == kTypeEditbox) && object.Click()
        && IsShown(object) && IsEnabled(object);
}

std::vector<CObjectData *> CPlaySession::FocusOrder() const
{
    std::vector<CObjectData *> order;
    if (CObjectDataList *root = m_dialog.RootGroup()) {
        EachObject(*root, [&](CObjectData &object) {
            if (!object.IsGroup() && TakesFocus(object))
                order.push_back(&object);
        });
    }
    return order;
}

CObjectData *CPlaySession::InputAt(int x, int y) const
{
    // The topmost first: children from the last to the first, hidden groups left out.
    const auto find = [&](const auto &self, CObjectData &object) -> CObjectData * {
        if (object.Hide() || BaseOf(object) == kStateHide)
            return nullptr;
        if (!object.IsGroup())
            return object.Click() && object.GetRect().Contains(x, y) ? &object : nullptr;
        const auto &children = static_cast<CObjectDataList &>(object).Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            if (*child) {
                if (CObjectData *found = self(self, **child))
                    return found;
            }
        }
        return nullptr;
    };
    CObjectDataList *root = m_dialog.RootGroup();
    return root ? find(find, *root) : nullptr;
}

CObjectData *CPlaySession::Focus() const
{
    CObjectDataList *root = m_dialog.RootGroup();
    return m_focus != 0 && root ? root->FindBySerial(m_focus) : nullptr;
}

CObjectData *CPlaySession::EditBox() const
{
    CObjectData *focus = Focus();
    return focus && focus->Type() == kTypeEditbox && TakesFocus(*focus) ? focus : nullptr;
}

// ---- The pointer ----

void CPlaySession::Press(int x, int y, std::int64_t now)
{
    if (m_pointerDown)
        return;
    m_pointerDown = true;
    Emit(PlayEvent::Kind::CursorDown, nullptr, x, y);
    if (m_held)
        return; // a key holds a button already
    CObjectData *object = InputAt(x, y);
    // A disabled object takes the press and does nothing with it.
    if (object && IsEnabled(*object))
        Hold(object, now, false);
}

void CPlaySession::Move(int x, int y, std::int64_t now)
{
    if (!m_pointerDown)
        return;
    Emit(PlayEvent::Kind::CursorMove, nullptr, x, y);
    if (!m_held || m_heldByKey)
        return;
    const bool inside = m_held->GetRect().Contains(x, y);
    if (inside != m_heldInside) {
        m_heldInside = inside;
        // Back on the button, the repeat starts again from its delay.
        m_nextRepeat = inside && m_held->Repeat() ? now + kRepeatDelay : -1;
        Repaint(*m_held);
    }
}

void CPlaySession::Release(int x, int y, std::int64_t now)
{
    if (!m_pointerDown)
        return;
    m_pointerDown = false;
    Emit(PlayEvent::Kind::CursorUp, nullptr, x, y);
    if (!m_held || m_heldByKey)
        return;
    Tick(now);
    m_heldInside = m_held->GetRect().Contains(x, y);
    LetGo(m_heldInside);
}

void CPlaySession::Hold(CObjectData *object, std::int64_t now, bool byKey)
{
    m_held = object;
    m_heldInside = true;
    m_heldByKey = byKey;
    m_clicked = false;
    m_pressTime = now;
    m_nextRepeat = IsPressable(*object) && object->Repeat() ? now + kRepeatDelay : -1;
    Emit(PlayEvent::Kind::Down, object);
    Repaint(*object);
}

void CPlaySession::LetGo(bool click)
{
    CObjectData *object = m_held;
    m_held = nullptr;
    m_nextRepeat = -1;
    Emit(PlayEvent::Kind::Up, object);
    Repaint(*object);
    // A push-click button has had its click while it was held.
    if (click && !m_clicked)
        Click(*object);
}

void CPlaySession::Tick(std::int64_t now)
{
    if (!m_held || !m_heldInside || !IsPressable(*m_held))
        return;
    if (m_held->PushClick() && !m_clicked && now - m_pressTime >= m_held->PushTime()) {
        m_clicked = true;
        Click(*m_held);
    }
    while (m_nextRepeat >= 0 && now >= m_nextRepeat) {
        Emit(PlayEvent::Kind::Repeat, m_held);
        m_nextRepeat += kRepeatInterval;
    }
}

std::int64_t CPlaySession::NextTick() const
{
    if (!m_held || !m_heldInside || !IsPressable(*m_held))
        return -1;
    std::int64_t next = m_nextRepeat;
    if (m_held->PushClick() && !m_clicked) {
        const std::int64_t push = m_pressTime + std::max(0, m_held->PushTime());
        next = next < 0 ? push : std::min(next, push);
    }
    return next;
}

void CPlaySession::Click(CObjectData &object)
{
    Emit(PlayEvent::Kind::Click, &object);
    if (object.Type() == kTypeButton)
        SelectRadio(object);
    else if (object.Type() == kTypeEditbox && TakesFocus(object))
        SetFocus(&object);
}

void CPlaySession::SelectRadio(CObjectData &button)
{
    CObjectDataList *group = button.Parent();
    while (group && !group->Radio())
        group = group->Parent();
    if (!group)
        return;
    // The other buttons of this radio group (not of a radio group inside it) let go of being
    // the active one.
    EachObject(*group, [&](CObjectData &other) {
        if (&other == &button || other.Type() != kTypeButton)
            return;
        CObjectDataList *owner = other.Parent();
        while (owner && !owner->Radio())
            owner = owner->Parent();
        const int base = BaseOf(other);
        if (owner == group && (base == kStateActive || base == kStateActDown)) {
            SetBase(other, kStateNormal);
            Repaint(other);
        }
    });
    SetBase(button, kStateActive);
    Repaint(button);
}

// ---- Keys ----

void CPlaySession::SetFocus(CObjectData *object)
{
    CObjectData *old = Focus();
    if (old == object)
        return;
    if (old) {
        if (auto found = m_edits.find(old->Serial()); found != m_edits.end()) {
            found->second.preedit.clear();
            EditChanged(*old, found->second, false);
        }
    }
    m_focus = object ? object->Serial() : 0;
    // A Focus state of its own gives way to the focus itself.
    if (object && BaseOf(*object) == kStateFocus)
        SetBase(*object, kStateNormal);
    if (old)
        Repaint(*old);
    if (object)
        Repaint(*object);
}

void CPlaySession::FocusNext(bool backwards)
{
    const std::vector<CObjectData *> order = FocusOrder();
    if (order.empty())
        return;
    const CObjectData *focus = Focus();
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        if (order[i] == focus)
            at = i;
    }
    std::ptrdiff_t next = 0;
    if (at < 0)
        next = backwards ? n - 1 : 0;
    else
        next = (at + (backwards ? n - 1 : 1)) % n;
    SetFocus(order[next]);
}

void CPlaySession::KeyDown(std::int64_t now)
{
    CObjectData *focus = Focus();
    if (!focus || m_held || focus->Type() != kTypeButton || !TakesFocus(*focus))
        return;
    Hold(focus, now, true);
}

void CPlaySession::KeyUp(std::int64_t now)
{
    if (!m_held || !m_heldByKey)
        return;
    Tick(now);
    LetGo(true);
}

// ---- Text ----

CPlaySession::Edit &CPlaySession::EditOf(CObjectData &object)
{
    auto found = m_edits.find(object.Serial());
    if (found == m_edits.end()) {
        // Typing goes on from the text the box shows, with the caret at its end.
        Edit edit;
        edit.text = object.Text();
        edit.caret = edit.text.size();
        edit.shown = edit.text;
        found = m_edits.emplace(object.Serial(), std::move(edit)).first;
    }
    return found->second;
}

void CPlaySession::EditChanged(CObjectData &object, Edit &edit, bool textChanged)
{
    edit.shown = edit.text.substr(0, edit.caret) + edit.preedit + edit.text.substr(edit.caret);
    Repaint(object);
    if (textChanged) {
        PlayEvent event;
        event.kind = PlayEvent::Kind::Text;
        event.object = &object;
        event.text = edit.text;
        m_host.Receive(event);
    }
}

void CPlaySession::InsertText(std::string_view text)
{
    CObjectData *box = EditBox();
    if (!box)
        return;
    Edit &edit = EditOf(*box);
    edit.preedit.clear();
    edit.text.insert(edit.caret, text);
    edit.caret += text.size();
    EditChanged(*box, edit, !text.empty());
}

void CPlaySession::SetPreedit(std::string_view text)
{
    CObjectData *box = EditBox();
    if (!box)
        return;
    Edit &edit = EditOf(*box);
    if (edit.preedit == text)
        return;
    edit.preedit = text;
    EditChanged(*box, edit, false);
}

void CPlaySession::Backspace()
{
    CObjectData *box = EditBox();
    if (!box)
        return;
    Edit &edit = EditOf(*box);
    if (edit.caret == 0 || !edit.preedit.empty())
        return;
    const std::size_t start = PreviousCharacter(edit.text, edit.caret);
    edit.text.erase(start, edit.caret - start);
    edit.caret = start;
    EditChanged(*box, edit, true);
}

void CPlaySession::DeleteForward()
{
    CObjectData *box = EditBox();
    if (!box)
        return;
    Edit &edit = EditOf(*box);
    if (edit.caret >= edit.text.size() || !edit.preedit.empty())
        return;
    edit.text.erase(edit.caret, NextCharacter(edit.text, edit.caret) - edit.caret);
    EditChanged(*box, edit, true);
}

void CPlaySession::MoveCaret(int characters)
{
    CObjectData *box = EditBox();
    if (!box)
        return;
    Edit &edit = EditOf(*box);
    if (!edit.preedit.empty())
        return;
    for (; characters > 0; --characters)
        edit.caret = NextCharacter(edit.text, edit.caret);
    for (; characters < 0; ++characters)
        edit.caret = PreviousCharacter(edit.text, edit.caret);
    EditChanged(*box, edit, false);
}

void CPlaySession::CaretToStart()
{
    if (CObjectData *box = EditBox()) {
        Edit &edit = EditOf(*box);
        edit.caret = 0;
        EditChanged(*box, edit, false);
    }
}

void CPlaySession::CaretToEnd()
{
    if (CObjectData *box = EditBox()) {
        Edit &edit = EditOf(*box);
        edit.caret = edit.text.size();
        EditChanged(*box, edit, false);
    }
}

std::size_t CPlaySession::Caret() const
{
    const CObjectData *box = EditBox();
    if (!box)
        return 0;
    const auto found = m_edits.find(box->Serial());
    if (found == m_edits.end())
        return box->Text().size();
    return found->second.caret + found->second.preedit.size();
}

std::string CPlaySession::EditText() const
{
    const CObjectData *box = EditBox();
    if (!box)
        return {};
    const auto found = m_edits.find(box->Serial());
    return found == m_edits.end() ? box->Text() : found->second.text;
}

// ---- The host ----

void CPlaySession::Emit(PlayEvent::Kind kind, const CObjectData *object, int x, int y)
{
    PlayEvent event;
    event.kind = kind;
    event.object = object;
    event.x = x;
    event.y = y;
    m_host.Receive(event);
}

void CPlaySession::Repaint(const CObjectData &object)
{
    // Where it was drawn last and where it lies: a picture of another state may be higher.
    m_host.Repaint(object.DrawnBounds().United(object.GetRect()));
}
