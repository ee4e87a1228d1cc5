// The generation run and the skeleton files of the application: main.cpp, the application's
// own source and header, the application class, its design source, and the class source and
// header of every dialog. The skeleton files are written once with the plain banner and then
// belong to the user; the application design source carries the marker and is rewritten by
// every run.
#include "codegen/skeleton_generator.h"

#include "codegen/code_names.h"
#include "codegen/code_stream.h"
#include "codegen/design_context.h"
#include "codegen/generated_file.h"
#include "codegen/generation_state.h"
#include "codegen/handler_names.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"

namespace kx {

namespace {

// Image definition types that differ from a button's in the application design source.
constexpr int kImageEditbox = 1;
constexpr int kImageFrame = 2;

// The application class name, checked before anything of the file is written: the file is about
// it, so its reason comes first.
Identifier AppClass(CodeStream &out, const CProjectContext &project)
{
    const Identifier name {"application class", project.Root().AppClassName()};
    out.Check(name);
    return name;
}

// A dialog's class name, checked where it is written.
Identifier DialogClass(const CKXDialogData &dialog)
{
    return {"dialog class", dialog.ClassName()};
}

// The same, checked before anything of the file is written.
Identifier CheckedDialogClass(CodeStream &out, const CKXDialogData &dialog)
{
    const Identifier name = DialogClass(dialog);
    out.Check(name);
    return name;
}

// A file name inside the double quotes of an #include line.
QuotedFileName Included(std::string_view fileName)
{
    return {"included file", fileName};
}

Literal Truth(bool on)
{
    return on ? Literal("TRUE") : Literal("FALSE");
}

// A text colour of an image definition; the library needs a colour, so none is black.
// It is written after the "KX_COL_" prefix.
IdentifierTail ColourName(const std::string &name)
{
    return {"colour", name.empty() ? std::string_view("BLACK") : std::string_view(name)};
}

// ---- main.cpp ----

// The program opens the first dialog of the project and runs the library's event loop.
void WriteMainText(CodeStream &out, const CProjectContext &project, const CKXDialogData &dialog)
{
    const Identifier a = AppClass(out, project);
    const Identifier d = CheckedDialogClass(out, dialog);
    out << "#include \"" << a << ".h\"\n";
    out << "#include \"" << Included(dialog.HeaderFile()) << "\"\n";
    out.Line();
    out << a << " app;\n";
    out.Line();
    out.Lines({"int main(int argc, char **argv)", "{"});
    out.Lines({"\tint quit = FALSE;", ""});
    out.Lines({"\tif( app.Initialize(argc, argv) ){", ""});
    out << "\t\t" << d << "* dlg = new " << d << "(app.GetCore());\n";
    out << "\t\tdlg->OpenDialog(" << dialog.X() << ',' << dialog.Y() << ");\n";
    out.Line();
    out.Lines({
        "\t\twhile( !quit ){",
        "\t\t\t_KXEvent event;",
        "\t\t\tif( app.GetEvent(&event) ){",
        "\t\t\t\tif( app.CheckEvent(&event) == -1 ) quit = TRUE;",
        "\t\t\t}",
        "\t\t}",
        "\t}",
    });
    out.Lines({"\tapp.Finish();", "}"});
}

// main.cpp needs the first dialog; without a project or without dialogs it is refused rather
// than left empty.
GenerationResult WriteMainSource(const CProjectContext *project, const std::string &folder)
{
    const std::string fileName = "main.cpp";
    if (!project)
        return NotGenerated(fileName, "no project is open");
    const CKXDialogData *dialog = project->Dialogs().At(0);
    if (!dialog)
        return NotGenerated(fileName, "the project has no dialog");
    return WriteGeneratedFile(
        folder, fileName, false, [&](CodeStream &out) { WriteMainText(out, *project, *dialog); });
}

// ---- Application files ----

void WriteApplicationSourceText(CodeStream &out, const CProjectContext &project)
{
    out << "#include \"" << Included(project.Root().ProjectName()) << ".h\"\n";
    out.Lines({"", "// アプリケーション全体で使用するクラス", ""});
}

void WriteApplicationHeaderText(CodeStream &out, const CProjectContext & /*project*/)
{
    out.Lines({
        "#pragma once",
        "#include <kxlib.h>",
        "#include <semaphore.h>",
        "#include \"resourceid.h\"",
        "",
        "// アプリケーション全体で使用するクラス",
        "",
    });
}

void WriteApplicationClassHeaderText(CodeStream &out, const CProjectContext &project)
{
    const Identifier a = AppClass(out, project);
    out.Line("#pragma once");
    out << "#include \"" << Included(project.Root().ProjectName()) << ".h\"\n";
    out.Line();
    out.Lines({
        "class AppSound : public KXSound",
        "{",
        "public:",
        "\tAppSound();",
        "\t~AppSound();",
        "",
        "\tvirtual void Button(int act,int handleobj);",
        "\tvirtual void Keyboard(int act,int handleobj);",
        "\tvirtual void Quit();",
        "\tvirtual void Open(int handledlg);",
        "\tvirtual void Close(int handledlg);",
        "\tvirtual void Wheel(int val);",
        "\tvirtual void User(int id,void* data);",
        "};",
        "",
    });
    out << "class " << a << " : public KXApplication\n";
    out.Lines({"{", "public:"});
    out << '\t' << a << "();\n";
    out << "\t~" << a << "();\n";
    out.Lines({
        "",
        "\tint Initialize(int argc, char **argv);",
        "\tvirtual void SetImage();",
        "\tvirtual const char* GetIdName(int id=-1);",
        "\tvirtual void ReceiveEvent(int id,int fd);",
        "",
        "\tvoid Finish();",
        "",
        "private:",
        "\tAppSound mSound;",
        "};",
    });
}

// The sound class reacts to the library's sound events; every handler starts empty.
void WriteAppSoundFunctions(CodeStream &out)
{
    out.EmptyFunction("AppSound::AppSound()");
    out.EmptyFunction("AppSound::~AppSound()");
    out.Lines({
        "void AppSound::Button(int act,int handleobj)",
        "{",
        "\tswitch(act){",
        "\tcase KX_ACT_DOWN:",
        "\t\tbreak;",
        "\tcase KX_ACT_UP:",
        "\t\tbreak;",
        "\tcase KX_ACT_CLICK:",
        "\t\tbreak;",
        "\tcase KX_ACT_REPEAT:",
        "\t\tbreak;",
        "\t}",
        "}",
        "",
    });
    out.Lines({
        "void AppSound::Keyboard(int act,int handleobj)",
        "{",
        "\tswitch(act){",
        "\tcase KX_ACT_DOWN:",
        "\t\tbreak;",
        "\tcase KX_ACT_UP:",
        "\t\tbreak;",
        "\t}",
        "}",
        "",
    });
    out.EmptyFunction("void AppSound::Quit()");
    out.EmptyFunction("void AppSound::Open(int handledlg)");
    out.EmptyFunction("void AppSound::Close(int handledlg)");
    out.EmptyFunction("void AppSound::Wheel(int val)");
    out.EmptyFunction("void AppSound::User(int id,void* data)");
}

void WriteApplicationClassSourceText(CodeStream &out, const CProjectContext &project)
{
    const Identifier a = AppClass(out, project);
    out << "#include \"" << a << ".h\"\n";
    out.Line();
    WriteAppSoundFunctions(out);
    out.EmptyFunction(a, "::", a, "()");
    out.EmptyFunction(a, "::~", a, "()");

    out << "int " << a << "::Initialize(int argc, char **argv)\n";
    out.Line("{");
    out.Lines({
        "\t// オブジェクトの初期化を行います。必ず最初に実行してください。",
        "\tint ret = KXApplication::Initialize(argc,argv,KX_COLMODE_PALETTE);",
        "",
        "\tif( ret ){",
        "\t\t// ロケールを設定します。",
        "\t\tif (setlocale(LC_ALL, \"ja_JP.UTF-8\") == 0){",
        "\t\t\tprintf(\"ロケールの設定に失敗しました.\\n\");",
        "\t\t}",
        "",
        "\t\t// タイマーと特殊イベントのスレッドを開始します。",
        "\t\tCreateThread();",
        "",
        "\t\t// 使用するサウンドオブジェクトを登録します。",
        "\t\tGetCore()->SetSoundClass(&mSound);",
        "",
        "\t\t// 入力を監視するデバイスのファイルディスクリプタを登録します。(複数登録可)",
        "\t\t// 例：シリアルポートを登録する",
        "\t\t// int fd = open(\"/dev/ttySC0\",O_RDWR|O_NOCTTY|O_NDELAY)",
        "\t\t// AddEventFd(fd)",
        "\t}",
        "",
        "\treturn ret;",
        "}",
        "",
    });

    out.Lines({
        "// 登録したファイルディスクリプタが読み取り可能になると実行されます。",
        "// id には 0(ゼロ)から始まる、登録された順番が設定されます。",
    });
    out.EmptyFunction("void ", a, "::ReceiveEvent(int id,int fd)");

    out.Line("// オブジェクトの終了処理を行います。"
             "組み込みプログラムの場合、終了される事はありません。");
    out << "void " << a << "::Finish()\n";
    out.Line("{");
    out.Lines({
        "\t// タイマーと特殊イベントのスレッドを停止します。",
        "\tCancelThread();",
        "",
        "\t// オブジェクトを解放します。",
        "\tRelease();",
        "}",
        "",
    });
}

// One state (or frame part) of an image definition. The colours are those of colourSlot: a
// frame's three parts all take its first state's colours.
void WriteImageLine(CodeStream &out, Literal call, const CImageData &image, Ascii state,
    int colourSlot, const std::string &file)
{
    out << '\t' << call << '(' << Identifier {"image", image.Name()} << ',' << state << ','
        << Identifier {"font", image.FontName()} << ',' << image.MarginX() << ','
        << Ascii {AlignXWords().Constant(image.AlignX())} << '|'
        << Ascii {AlignYWords().Constant(image.AlignY())} << ',' << Ascii {kColourPrefix}
        << ColourName(image.SlotColour(colourSlot)) << ',' << Ascii {kColourPrefix}
        << ColourName(image.SlotSubColour(colourSlot)) << ",\""
        << QuotedFileName {"picture file", file} << "\");\n";
}

// The library calls that register an image definition. Buttons and edit boxes name only the
// states that have a picture; a frame always names its three parts.
void WriteImageDefinition(CodeStream &out, const CImageData &image)
{
    const WordTable &slots = ImageSlotWords(image.Type());
    if (image.Type() == kImageFrame) {
        for (int slot = 0; slot < slots.Count(); ++slot)
            WriteImageLine(
                out, "SetImageFrame", image, {slots.Constant(slot)}, 0, image.SlotFile(slot));
        return;
    }
    const Literal call
        = image.Type() == kImageEditbox ? Literal("SetImageEditbox") : Literal("SetImageButton");
    for (int slot = 0; slot < slots.Count(); ++slot) {
        if (!image.SlotFile(slot).empty())
            WriteImageLine(out, call, image, {slots.Constant(slot)}, slot, image.SlotFile(slot));
    }
}

// GetIdName and SetImage of the application: the names of the font and image identifiers, and
// the registration of every font and image definition with the library.
void WriteApplicationDesignText(CodeStream &out, const CProjectContext &project)
{
    const Identifier a = AppClass(out, project);
    out << "#include \"" << a << ".h\"\n";
    out.Line();
    out << "const char* " << a << "::GetIdName(int id)\n";
    out.Lines({"{", "\tswitch( id ){"});
    out << "\tcase -1:              return \"" << a << "\";\n";
    for (const auto &font : project.Fonts())
        WriteIdNameCase(out, {"font", font->Name()});
    for (const auto &image : project.Images())
        WriteIdNameCase(out, {"image", image->Name()});
    out.Lines({"\t}", "\treturn NULL;", "}", ""});

    out << "void " << a << "::SetImage()\n";
    out.Line("{");
    for (const auto &font : project.Fonts()) {
        out << "\tSetFont(" << Identifier {"font", font->Name()} << ",\""
            << QuotedFileName {"font file", font->File()} << "\"," << font->Size() << ','
            << Ascii {FontEffects().Constant(font->Effect())} << ',' << Truth(font->Bold()) << ','
            << Truth(font->BoldEffect()) << ");\n";
    }
    for (const auto &image : project.Images()) {
        out.Line();
        WriteImageDefinition(out, *image);
    }
    out.Line("};");
}

using ApplicationText = void (*)(CodeStream &, const CProjectContext &);

// One application file: the name it is logged under without a project, where its name comes
// from (the project name or the application class name), its suffix, its banner and its text.
struct ApplicationFile {
    const char *placeholder;
    bool namedAfterClass;
    const char *suffix;
    bool notice;
    ApplicationText writeText;
};

// In the order a run writes them. The placeholders of the class header and of the design
// source are the names the skeleton window has always shown for them.
constexpr ApplicationFile kApplicationFiles[] = {
    {"???.cpp", false, ".cpp", false, WriteApplicationSourceText},
    {"???.h", false, ".h", false, WriteApplicationHeaderText},
    {"App???.cpp", true, ".cpp", false, WriteApplicationClassSourceText},
    {"App???Class.cpp", true, ".h", false, WriteApplicationClassHeaderText},
    {"App???.cpp", true, "Design.cpp", true, WriteApplicationDesignText},
};

GenerationResult WriteApplicationFile(
    const ApplicationFile &kind, const CProjectContext *project, const std::string &folder)
{
    if (!project)
        return NotGenerated(kind.placeholder, "no project is open");
    const CKXResourceData &root = project->Root();
    const std::string fileName
        = (kind.namedAfterClass ? root.AppClassName() : root.ProjectName()) + kind.suffix;
    return WriteGeneratedFile(
        folder, fileName, kind.notice, [&](CodeStream &out) { kind.writeText(out, *project); });
}

// ---- Dialog class files ----

void WriteDialogClassHeaderText(
    CodeStream &out, const CProjectContext &project, const CKXDialogData &dialog)
{
    const Identifier d = CheckedDialogClass(out, dialog);
    out.Line("#pragma once");
    out << "#include \"" << AppClass(out, project) << ".h\"\n";
    out << "#include \"" << Included(dialog.DesignHeaderFile()) << "\"\n";
    out.Lines({"", ""});
    out << "using namespace _" << d << ";\n";
    out.Line();
    out << "namespace _" << d << "\n";
    out.Lines({"{", ""});
    out << "class " << d << " : public KXDialog\n";
    out.Lines({"{", "public:"});
    out << '\t' << d << "(KXCore* core);\n";
    out << "\tvirtual ~" << d << "();\n";
    out.Line();
    // SingleTimer is declared with the library's TimeVal here and defined with struct timeval in
    // the class source; both name the same type.
    out.Lines({
        "\tvirtual void SetImage();",
        "\tvirtual const char* GetIdName(int id=-1);",
        "\tvirtual void PreInitial();",
        "\tvirtual void PostInitial(KXHandle handledlg,int id);",
        "\tvirtual void Activate();",
        "\tvirtual void Inactivate();",
        "\tvirtual void Draw(KXRect region);",
        "\tvirtual void Closed(KXHandle handledlg,int id,int param);",
        "",
        "\tvirtual void Timer(struct timeval time);",
        "\tvirtual void SingleTimer(TimeVal time);",
        "",
        "\tvirtual void ReceiveUserEvent(int param,void* data,KXHandle handledlg,KXHandle "
        "handleobj);",
        "",
    });
    // The handlers of the objects' input, as the library calls them.
    for (const DialogEvent event : {DialogEvent::DownButton, DialogEvent::UpButton,
             DialogEvent::ClickButton, DialogEvent::MoveCursor}) {
        const DialogHandler &handler = HandlerOf(event);
        out.Line("\tvirtual void ", handler.name, handler.parameters, ";");
    }
    out.Lines({"};", "", "}"});
}

// The first half of the dialog class: construction, opening, activation, drawing, closing.
void WriteDialogLifecycleMethods(CodeStream &out, const CKXDialogData &dialog)
{
    const Identifier d = DialogClass(dialog);
    // The constructor hands the library the dialog's identifier from resourceid.h.
    const std::string dialogId = AsciiUpper(d.name);
    out.BeginMethod("コンストラクタ", "1度だけ呼ばれる構築用のコードを記述します。", d, "::", d,
        "(KXCore* core) : KXDialog(core,", Identifier {"dialog class", dialogId}, ")");
    out.Lines({
        "\tSetImage();",
        "\t//AddKeyboard(KEYBOARD);\t// キーボードからのイベントを受け取ります。",
        "\t//SetBGFocus(TRUE);\t\t\t// バックグラウンドになっても"
        "ボタンクリックなどのイベントを受け取ります。",
    });
    out.EndMethod();

    out.BeginMethod("デストラクタ", "終了処理を記述します。", d, "::~", d, "()");
    out.EndMethod();

    out.BeginMethod("ダイアログが開く直前に呼ばれます。",
        "ダイアログが開く直前に行う処理を記述します。", "void ", d, "::PreInitial()");
    out.EndMethod();

    out.BeginMethod("ダイアログが開いた直後に呼ばれます。",
        "ダイアログが開いた直後に行う処理を記述します。", "void ", d,
        "::PostInitial(KXHandle handledlg,int id)");
    out.Lines({"\tif( id == GetId() ){", "\t}"});
    out.EndMethod();

    out.BeginMethod("ダイアログがアクティブになった時に呼ばれます。",
        "ダイアログがアクティブになった時に行う処理を記述します。", "void ", d, "::Activate()");
    out.Lines({
        "\t// SetTimerInterval(100);\t\t// タイマーを使用します。",
        "\t// SetSingleTimerInterval(10);\t// １回のみのタイマーを使用します。",
        "\t// SetFocusObject(OBJECTID);\t// 最初にフォーカスを置くオブジェクトを指定します。",
        "\t// SetCaretObject(OBJECTID);\t// 最初にキャレットを置く"
        "エディットボックスオブジェクトを指定します。",
        "\tSetCaretObject(KX_CARET_AUTO);\t// 最初に見つかった"
        "エディットボックスがキャレットを持つ。",
    });
    out.EndMethod();

    out.BeginMethod("ダイアログがアクティブでなくなった時に呼ばれます。",
        "ダイアログがアクティブでなくなった時に行う処理を記述します。", "void ", d,
        "::Inactivate()");
    out.Line("\tKXDialog::Inactivate();\t// キャレットを消す処理が行われる。");
    out.EndMethod();

    out.BeginMethod("表示の更新が必要な時に呼ばれます。", "描画処理を記述します。", "void ", d,
        "::Draw(KXRect region)");
    out.EndMethod();

    out.BeginMethod("このダイアログもしくは他のダイアログが閉じた時に呼ばれます。",
        "ダイアログが閉じた時の処理を記述します。", "void ", d,
        "::Closed(KXHandle handledlg,int id,int param)");
    out.Lines({
        "",
        "\t// このダイアログが閉じた",
        "\tif( id == GetId() ){",
        "\t}",
        "\t// 他のダイアログが閉じた",
        "\telse{",
        "\t}",
    });
    out.EndMethod();
}

// The second half: timers, user events, keys, buttons and the mouse.
void WriteDialogEventMethods(CodeStream &out, const CKXDialogData &dialog)
{
    const Identifier d = DialogClass(dialog);
    out.BeginMethod("定期タイマーイベントが発生した時に呼ばれます。",
        "定期タイマー処理を記述します。", "void ", d, "::Timer(struct timeval time)");
    out.EndMethod();

    out.BeginMethod("シングルタイマーイベントが発生した時に呼ばれます。",
        "シングルタイマー処理を記述します。", "void ", d, "::SingleTimer(struct timeval time)");
    out.EndMethod();

    // A title of three comment lines.
    out.BeginMethod("ユーザイベントを受信した時に呼ばれます。\n"
                    "// ユーザーイベントは PostEventUser で発行します。\n"
                    "// GetCore()->PostEventUser(int param,void* data,KXHandle handledlg,"
                    "KXHandle handleobj)",
        "ユーザイベントを受信した時の処理を記述します。", "void ", d,
        "::ReceiveUserEvent(int param,void* data,KXHandle handledlg,KXHandle handleobj)");
    out.EndMethod();

    out.BeginMethod("キー／ボタンが押された時に呼ばれます。",
        "キー／ボタンが押された時の処理を記述します。", "void ", d,
        "::", HandlerOf(DialogEvent::DownButton).name,
        HandlerOf(DialogEvent::DownButton).parameters);
    out.Lines({
        "",
        "\t// 例：ESCキーが押されたらダイアログを閉じる",
        "\t//KXObject* obj = GetObjectFromHandle(handleobj);",
        "\t//if( obj ){",
        "\t//\tint objid = obj->GetId();",
        "\t//\tswitch( objid ){",
        "\t//\tcase KEYBOARD:",
        "\t//\t\tif( obj->GetText() ){",
        "\t//\t\t\tstring key(obj->GetText());",
        "\t//\t\t\tif( key == \"ESC\" ){",
        "\t//\t\t\t\tClose();",
        "\t//\t\t\t}",
        "\t//\t\t}",
        "\t//\t\tbreak;",
        "\t//\t}",
        "\t//}",
    });
    out.EndMethod();

    out.BeginMethod("キー／ボタンが離された時に呼ばれます。",
        "キー／ボタンが離された時の処理を記述します。", "void ", d,
        "::", HandlerOf(DialogEvent::UpButton).name, HandlerOf(DialogEvent::UpButton).parameters);
    out.EndMethod();

    // One empty case for every clickable object of the dialog, for the user to fill in.
    out.BeginMethod("ボタンオブジェクトをクリック（確定）した時に呼ばれます。",
        "ボタンオブジェクトをクリック（確定）した時の処理を記述します。", "void ", d,
        "::", HandlerOf(DialogEvent::ClickButton).name,
        HandlerOf(DialogEvent::ClickButton).parameters);
    out.Lines({
        "",
        "\tKXObject* obj = GetObjectFromHandle(handleobj);",
        "\tif( obj ){",
        "\t\tint objid = obj->GetId();",
        "\t\tswitch( objid ){",
    });
    dialog.RootGroup()->EmitClickCase(out);
    out.Lines({"\t\t}", "\t}"});
    out.EndMethod();

    out.BeginMethod("マウスの移動・クリックイベントが発生した時に呼ばれます。",
        "マウスの移動・クリックイベントが発生した時の処理を記述します。", "void ", d,
        "::", HandlerOf(DialogEvent::MoveCursor).name,
        HandlerOf(DialogEvent::MoveCursor).parameters);
    out.Lines({
        "\tswitch( act ){",
        "\tcase KX_ACT_DOWN:\t// ボタンが押された",
        "\t\tbreak;",
        "\tcase KX_ACT_UP:\t\t// ボタンが放された",
        "\t\tbreak;",
        "\tcase KX_ACT_MOVE:\t// マウスが移動した",
        "\t\tbreak;",
        "\t}",
    });
    out.EndMethod();
}

void WriteDialogClassSourceText(CodeStream &out, const CKXDialogData &dialog)
{
    CheckedDialogClass(out, dialog);
    out << "#include \"" << Included(dialog.HeaderFile()) << "\"\n";
    out.Lines({"", ""});
    WriteDialogLifecycleMethods(out, dialog);
    WriteDialogEventMethods(out, dialog);
}

GenerationResult WriteDialogClassSource(const CKXDialogData &dialog, const std::string &folder)
{
    if (!dialog.RootGroup()) // only a history snapshot has no tree, and it is never generated
        return NotGenerated(dialog.ClassSourceFile(), "the dialog has no objects tree");
    return WriteGeneratedFile(folder, dialog.ClassSourceFile(), false,
        [&](CodeStream &out) { WriteDialogClassSourceText(out, dialog); });
}

GenerationResult WriteDialogClassHeader(
    const CProjectContext &project, const CKXDialogData &dialog, const std::string &folder)
{
    return WriteGeneratedFile(folder, dialog.HeaderFile(), false,
        [&](CodeStream &out) { WriteDialogClassHeaderText(out, project, dialog); });
}

// Why the design files of a dialog are refused, naming the file: empty when neither is.
std::string RefusedDesign(const GeneratedFile &source, const GeneratedFile &header)
{
    for (const GeneratedFile *design : {&source, &header}) {
        const std::string reason = design->RefusalReason();
        if (!reason.empty())
            return EscapedName(design->FileName()) + " is cancelled: " + reason;
    }
    return {};
}

// A class file of a dialog whose design files are cancelled: it is not touched.
GenerationResult CancelledWithDesign(const std::string &fileName, const std::string &why)
{
    return {fileName, FileOutcome::Refused, why};
}

bool IsSelected(const CKXDialogData &dialog, const SkeletonSettings &settings)
{
    return settings.dialogScope == kScopeAllDialogs || dialog.Name() == settings.dialogName;
}

} // namespace

std::string GenerationFolder(std::string_view outputFolder)
{
    if (outputFolder.empty())
        return "./";
    std::string folder(outputFolder);
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string UpdatedLine(std::string_view fileName)
{
    return "○ " + std::string(fileName) + " を更新しました。";
}

std::string CancelledLine(std::string_view fileName, std::string_view reason)
{
    std::string line = "× " + std::string(fileName) + " キャンセルしました。";
    if (!reason.empty())
        line += " " + std::string(reason);
    return line;
}

std::string GenerationResult::LogLine() const
{
    // A name that holds a line break must not break the log's lines.
    const std::string shown = EscapedName(fileName);
    return IsWritten() ? UpdatedLine(shown) : CancelledLine(shown, reason);
}

std::string AsciiUpper(std::string_view text)
{
    std::string result(text);
    for (char &c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

std::string AsciiLower(std::string_view text)
{
    std::string result(text);
    for (char &c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

std::vector<GenerationResult> RunGeneration(
    CProjectContext *project, const SkeletonSettings &settings, IMessageSink *messages)
{
    // Every run numbers identifiers from the same bases and takes the GetText switch afresh.
    GenerationState state;
    state.getTextSupport = settings.getTextSupport;
    const std::string folder = GenerationFolder(settings.outputFolder);

    std::vector<GenerationResult> log;
    if (settings.writeResourceId)
        log.push_back(WriteResourceIdHeader(project, folder, state));
    if (settings.writeMain)
        log.push_back(WriteMainSource(project, folder));
    if (settings.writeApplication) {
        for (const ApplicationFile &kind : kApplicationFiles)
            log.push_back(WriteApplicationFile(kind, project, folder));
    }
    if (settings.writeDialogs && project) {
        for (const auto &dialog : project->Dialogs()) {
            if (!IsSelected(*dialog, settings))
                continue;
            // The class files include the design files: when a name refuses those, the class
            // files would not build and are cancelled with them.
            const auto designSource = PrepareDialogDesignSource(*project, *dialog, folder, state);
            const auto designHeader = PrepareDialogDesignHeader(*project, *dialog, folder, state);
            const std::string refused = RefusedDesign(*designSource, *designHeader);
            if (refused.empty()) {
                log.push_back(WriteDialogClassSource(*dialog, folder));
                log.push_back(WriteDialogClassHeader(*project, *dialog, folder));
            } else {
                log.push_back(CancelledWithDesign(dialog->ClassSourceFile(), refused));
                log.push_back(CancelledWithDesign(dialog->HeaderFile(), refused));
            }
            log.push_back(designSource->Finish());
            log.push_back(designHeader->Finish());
        }
    }
    if (settings.writeProjectFile)
        log.push_back(WriteProjectFile(project, folder, messages));
    return log;
}

} // namespace kx
