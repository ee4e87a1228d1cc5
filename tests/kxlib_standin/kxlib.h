// A stand-in for the device GUI library's header, just enough to compile the generated sources
// with -fsyntax-only on the build machine. Every name here is one the generated code uses; the
// signatures follow from the calls the generators write, and the values mean nothing.
#pragma once

#include <locale.h> // setlocale in the application's Initialize
#include <stdio.h> // printf, NULL
#include <sys/time.h> // struct timeval of the dialog timers

typedef int BOOL;
#define TRUE 1
#define FALSE 0

typedef int KXHandle;
typedef unsigned int KXColor;
typedef struct timeval TimeVal;

struct KXRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct _KXEvent {
    int type;
};

#define RGB(r, g, b) ((KXColor)(((b) << 16) | ((g) << 8) | (r)))

enum {
    KX_COL_BLACK,
    KX_COL_BLUE,
    KX_COL_GREEN,
    KX_COL_RED,
    KX_COL_CYAN,
    KX_COL_MAGENTA,
    KX_COL_YELLOW,
    KX_COL_WHITE,
    KX_COL_ORANGE,
    KX_COL_PINK,
    KX_COL_PURPLE,
    KX_COL_SKYBLUE,
    KX_COL_VIRIDIAN,
    KX_COL_GRAY,
    KX_COL_SILVER,
    KX_COL_TRANSPARENT,
};

enum {
    KX_ATTR_NORMAL,
    KX_ATTR_DISABLE,
    KX_ATTR_ACTIVE,
    KX_ATTR_FOCUS,
    KX_ATTR_DOWN,
    KX_ATTR_ACTDOWN,
    KX_ATTR_HIDE,
    KX_ATTR_TOP,
    KX_ATTR_MIDDLE,
    KX_ATTR_BOTTOM,
};

enum {
    KX_ALIGN_CENTER = 0x00,
    KX_ALIGN_LEFT = 0x01,
    KX_ALIGN_RIGHT = 0x02,
    KX_ALIGN_MIDDLE = 0x00,
    KX_ALIGN_TOP = 0x04,
    KX_ALIGN_BOTTOM = 0x08,
    KX_ALIGN_XSTRETCH = 0x10,
    KX_ALIGN_YSTRETCH = 0x20,
    KX_ALIGN_STRETCH = 0x30,
    KX_ALIGN_NOCLIP = 0x80,
};

enum {
    FONT_EFFECT_NORMAL,
    FONT_EFFECT_SHADOW,
    FONT_EFFECT_OUTLINE,
    FONT_EFFECT_SHADOW_OUTLINE,
    FONT_EFFECT_STROKE,
};

enum { KX_ACT_DOWN, KX_ACT_UP, KX_ACT_CLICK, KX_ACT_REPEAT, KX_ACT_MOVE };
enum { KX_COLMODE_PALETTE };
enum { KX_CARET_AUTO = -1 };

// Looks up the translation of a text marked for GetText.
const char *_(const char *text);

class KXSound {
public:
    virtual ~KXSound();
    virtual void Button(int act, int handleobj);
    virtual void Keyboard(int act, int handleobj);
    virtual void Quit();
    virtual void Open(int handledlg);
    virtual void Close(int handledlg);
    virtual void Wheel(int val);
    virtual void User(int id, void *data);
};

class KXCore {
public:
    void SetSoundClass(KXSound *sound);
};

class KXDialog;

class KXObject {
public:
    int GetId();
    void SetClickable(BOOL on);
    void SetEnableRepeat(BOOL on);
    void SetPushClickEnable(BOOL on);
    void SetPushClickTime(int milliseconds);
};

// Style arguments left out take the image definition's values.
class KXGroupObject : public KXObject {
public:
    KXGroupObject *AddGroup(KXDialog *dialog, int id, int x, int y, int attr = KX_ATTR_NORMAL);
    void SetRadioButton(BOOL on);

    KXObject *AddPicture(KXDialog *dialog, int id, int x, int y, int w, int h, const char *file,
        int attr = KX_ATTR_NORMAL);
    KXObject *AddIcon(KXDialog *dialog, int id, int x, int y, int w, int h, const char *file,
        int attr = KX_ATTR_NORMAL);
    KXObject *AddMovie(KXDialog *dialog, int id, int x, int y, const char *file,
        int attr = KX_ATTR_NORMAL, BOOL loop = FALSE);
    KXObject *AddCanvas(
        KXDialog *dialog, int id, int x, int y, int w, int h, int attr = KX_ATTR_NORMAL);
    KXObject *AddText(KXDialog *dialog, int id, const char *text, int x, int y, int w, int h,
        int font, int attr, KXColor colour, KXColor subColour, int align, int marginX, int marginY,
        int linespace = 10, BOOL vertical = FALSE);
    KXObject *AddButton(KXDialog *dialog, int id, const char *text, int x, int y, int w, int image,
        int attr = KX_ATTR_NORMAL, int font = -1, int align = -1, int marginX = -1,
        int marginY = -1, int linespace = 10);
    KXObject *AddEditbox(KXDialog *dialog, int id, const char *text, int x, int y, int w, int image,
        int attr = KX_ATTR_NORMAL, int font = -1, int align = -1, int marginX = -1,
        int marginY = -1, int linespace = 10);
    KXObject *AddFrame(KXDialog *dialog, int id, const char *text, int x, int y, int w, int h,
        int image, int attr = KX_ATTR_NORMAL, int font = -1, int align = -1, int marginX = -1,
        int marginY = -1, int linespace = 10);
};

class KXDialog {
public:
    KXDialog(KXCore *core, int id);
    virtual ~KXDialog();

    virtual void SetImage();
    virtual const char *GetIdName(int id = -1);
    virtual void PreInitial();
    virtual void PostInitial(KXHandle handledlg, int id);
    virtual void Activate();
    virtual void Inactivate();
    virtual void Draw(KXRect region);
    virtual void Closed(KXHandle handledlg, int id, int param);
    virtual void Timer(struct timeval time);
    virtual void SingleTimer(TimeVal time);
    virtual void ReceiveUserEvent(int param, void *data, KXHandle handledlg, KXHandle handleobj);
    virtual void DownButton(KXHandle handleobj, int act);
    virtual void UpButton(KXHandle handleobj, int act);
    virtual void ClickButton(KXHandle handleobj, int act);
    virtual void MoveCursor(int x, int y, int act);

    void OpenDialog(int x, int y);
    int GetId();
    KXObject *GetObjectFromHandle(KXHandle handle);
    void SetCaretObject(int id);
    void SetSize(int width, int height);
    void SetColorBG(KXColor colour);
    KXGroupObject *Group();
};

class KXApplication {
public:
    virtual ~KXApplication();

    int Initialize(int argc, char **argv, int colourMode);
    virtual void SetImage();
    virtual const char *GetIdName(int id = -1);
    virtual void ReceiveEvent(int id, int fd);

    KXCore *GetCore();
    void CreateThread();
    void CancelThread();
    void Release();
    int GetEvent(_KXEvent *event);
    int CheckEvent(_KXEvent *event);

    void SetFont(int id, const char *file, int size, int effect, BOOL bold, BOOL boldEffect);
    void SetImageButton(int id, int state, int font, int marginX, int align, KXColor colour,
        KXColor subColour, const char *file);
    void SetImageEditbox(int id, int state, int font, int marginX, int align, KXColor colour,
        KXColor subColour, const char *file);
    void SetImageFrame(int id, int part, int font, int marginX, int align, KXColor colour,
        KXColor subColour, const char *file);
};
