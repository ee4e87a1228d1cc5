#include "ui/canvas/play_mode.h"

#include "model/kx_dialog_data.h"
#include "model/object_data.h"
#include "platform/text_conversion.h"
#include "render/dialog_painter.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/support/qt_text.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <iterator>

namespace {

// The text of a key or an input method as the device's edit box holds it: characters that its
// code page has no form for are left out, and so are control characters.
std::string TypedText(const QString &text)
{
    std::string typed;
    for (const uint codePoint : text.toUcs4()) {
        if (codePoint < 0x20 || codePoint == 0x7F)
            continue;
        const std::string utf8
            = kx::ui::ToUtf8(QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1));
        if (kx::CountLostInShiftJis(utf8) == 0)
            typed += kx::ToShiftJis(utf8);
    }
    return typed;
}

QColor ColourOf(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
        static_cast<int>((value >> 16) & 0xFF));
}

bool IsActivationKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A key the device's screen takes: a character, or one of the keys that move the focus, click
// or edit.
bool IsDeviceKey(const QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    static constexpr int kKeys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return,
        Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
        Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Escape};
    if (std::find(std::begin(kKeys), std::end(kKeys), key->key()) != std::end(kKeys))
        return true;
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

} // namespace

CPlayMode::CPlayMode(CKXDialogEditorView *view, QObject *parent)
    : QObject(parent)
    , m_view(view)
{
    m_clock.start();
    m_tick.setSingleShot(true);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (!IsAlive())
            return;
        m_session->Tick(Now());
        Settle();
    });
    m_session = std::make_unique<CPlaySession>(*view->Dialog(), static_cast<IPlayHost &>(*this));
    m_running = true;
    m_hadInputMethod = view->testAttribute(Qt::WA_InputMethodEnabled);
    view->setAttribute(Qt::WA_InputMethodEnabled, true);
    view->installEventFilter(this);
    view->setCursor(Qt::ArrowCursor);
    view->SetPlay(this);
    view->setFocus(Qt::OtherFocusReason);
    // An edit of the dialog while it plays (the panel, undo) changes what the play stands on.
    if (CKXDialogEditorDoc *document = view->Document()) {
        connect(document, &CKXDialogEditorDoc::Changed, this, [this](int what) {
            if (what & ~kChangeSelection)
                emit EndRequested();
        });
    }
    Settle();
}

CPlayMode::~CPlayMode()
{
    End();
}

void CPlayMode::End()
{
    if (!m_running)
        return;
    m_running = false;
    m_tick.stop();
    if (CKXDialogEditorView *view = m_view) {
        view->removeEventFilter(this);
        view->setAttribute(Qt::WA_InputMethodEnabled, m_hadInputMethod);
        view->SetPlay(nullptr);
        if (view->hasFocus())
            QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
    }
}

bool CPlayMode::IsAlive() const
{
    return m_running && m_view && m_view->Dialog();
}

void CPlayMode::ViewClosing()
{
    if (!m_running)
        return;
    m_running = false;
    m_tick.stop();
    if (CKXDialogEditorView *view = m_view)
        view->removeEventFilter(this);
    m_view = nullptr;
    emit EndRequested();
}

// ---- Input ----

bool CPlayMode::eventFilter(QObject *watched, QEvent *event)
{
    CKXDialogEditorView *view = m_view;
    if (watched != view || !IsAlive())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint p = view->ToCanvas(mouse->position());
        const CKXDialogData *dialog = view->Dialog();
        if (event->type() == QEvent::MouseMove) {
            emit view->CanvasPointChanged(p,
                dialog && p.x() >= 0 && p.y() >= 0 && p.x() < dialog->Width()
                    && p.y() < dialog->Height());
            if (mouse->buttons() & Qt::LeftButton)
                m_session->Move(p.x(), p.y(), Now());
        } else if (mouse->button() == Qt::LeftButton) {
            if (event->type() == QEvent::MouseButtonRelease) {
                m_session->Release(p.x(), p.y(), Now());
            } else {
                view->setFocus(Qt::MouseFocusReason);
                m_session->Press(p.x(), p.y(), Now());
            }
        }
        Settle();
        return true;
    }
    case QEvent::ShortcutOverride:
        // The keys of the device are the play's, even where a command of the editor has them
        // (Delete); commands with Ctrl or Alt and the function keys (F5 ends the play) stay
        // the editor's.
        if (IsDeviceKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        KeyPressed(static_cast<QKeyEvent *>(event));
        Settle();
        return true;
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsActivationKey(key->key()) && !key->isAutoRepeat())
            m_session->KeyUp(Now());
        Settle();
        return true;
    }
    case QEvent::InputMethod:
        InputMethod(static_cast<QInputMethodEvent *>(event));
        Settle();
        return true;
    case QEvent::InputMethodQuery:
        AnswerQuery(static_cast<QInputMethodQueryEvent *>(event));
        return true;
    case QEvent::ContextMenu:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void CPlayMode::KeyPressed(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        emit EndRequested();
        return;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        m_session->FocusNext(key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier));
        return;
    }
    if (m_session->EditBox()) {
        switch (key) {
        case Qt::Key_Backspace:
            m_session->Backspace();
            return;
        case Qt::Key_Delete:
            m_session->DeleteForward();
            return;
        case Qt::Key_Left:
            m_session->MoveCaret(-1);
            return;
        case Qt::Key_Right:
            m_session->MoveCaret(1);
            return;
        case Qt::Key_Home:
            m_session->CaretToStart();
            return;
        case Qt::Key_End:
            m_session->CaretToEnd();
            return;
        default:
            break;
        }
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const std::string typed = TypedText(event->text());
            if (!typed.empty())
                m_session->InsertText(typed);
        }
        return;
    }
    if (IsActivationKey(key) && !event->isAutoRepeat())
        m_session->KeyDown(Now());
}

void CPlayMode::InputMethod(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        m_session->InsertText(TypedText(event->commitString()));
    m_session->SetPreedit(TypedText(event->preeditString()));
    event->accept();
}

void CPlayMode::AnswerQuery(QInputMethodQueryEvent *query) const
{
    const CObjectData *box = m_session->EditBox();
    const QString text = box ? kx::ui::FromModelText(m_session->EditText()) : QString();
    const std::string before = m_session->EditText().substr(0, m_session->Caret());
    for (const Qt::InputMethodQuery item : {Qt::ImEnabled, Qt::ImCursorRectangle,
             Qt::ImSurroundingText, Qt::ImCursorPosition, Qt::ImAnchorPosition, Qt::ImHints}) {
        if (!(query->queries() & item))
            continue;
        switch (item) {
        case Qt::ImEnabled:
            query->setValue(item, box != nullptr);
            break;
        case Qt::ImCursorRectangle:
            query->setValue(item, m_view ? m_view->ToWidget(CaretBox()) : QRect());
            break;
        case Qt::ImSurroundingText:
            query->setValue(item, text);
            break;
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
            query->setValue(item, kx::ui::FromModelText(before).size());
            break;
        case Qt::ImHints:
            query->setValue(item, static_cast<int>(Qt::ImhNone));
            break;
        default:
            break;
        }
    }
    query->accept();
}

void CPlayMode::Settle()
{
    if (!IsAlive())
        return;
    const std::int64_t next = m_session->NextTick();
    if (next < 0)
        m_tick.stop();
    else
        m_tick.start(static_cast<int>(std::clamp<std::int64_t>(next - Now(), 0, 60000)));
    // The caret may have moved: its old and new places are painted, and the input method places
    // its window there.
    const kx::KXRect caret = CaretBox();
    if (caret != m_caret && m_view) {
        m_view->update(m_view->ToWidget(m_caret).adjusted(-1, -1, 1, 1));
        m_view->update(m_view->ToWidget(caret).adjusted(-1, -1, 1, 1));
        m_caret = caret;
    }
    if (m_view && m_view->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryInput | Qt::ImEnabled);
}

// ---- The canvas ----

kx::KXRect CPlayMode::CaretBox(std::uint32_t *colour) const
{
    CObjectData *box = IsAlive() ? m_session->EditBox() : nullptr;
    if (!box)
        return {};
    kx::DialogPainter &painter = m_view->Painter();
    painter.SetStateSource(m_session.get());
    const kx::TextCaret caret = painter.CaretOf(*box, m_session->Caret());
    painter.SetStateSource(nullptr);
    if (colour)
        *colour = caret.colour;
    return caret.box;
}

void CPlayMode::PaintOverlay(QPainter &painter) const
{
    std::uint32_t colour = 0;
    const kx::KXRect caret = CaretBox(&colour);
    if (caret.IsEmpty() || !m_view)
        return;
    painter.fillRect(m_view->ToWidget(caret), ColourOf(colour));
}

void CPlayMode::Repaint(const kx::KXRect &area)
{
    if (m_view)
        m_view->UpdateArea(area);
}

void CPlayMode::Receive(const PlayEvent &event)
{
    emit EventReceived(event);
}
