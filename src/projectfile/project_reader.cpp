#include "projectfile/project_reader.h"

#include "model/object_data_list.h"
#include "model/object_name_index.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "platform/save_file.h"
#include "platform/text_conversion.h"

#include <expat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

// The part of the file the machine is in; it decides where element texts go.
enum Section : int {
    kSectionNone = -1,
    kSectionProperty = 0,
    kSectionDialog = 1,
    kSectionFont = 2,
    kSectionImage = 3,
    kSectionGroup = 4,
    kSectionObject = 5,
};

constexpr int kNoKey = -1;
constexpr int kPropertyProjectName = 0; // the prefixes follow as 1..15

constexpr char kParserCreationFailed[] = "エラー: XMLパーサーの作成に失敗しました.";
// The root element of every project file.
constexpr std::string_view kRootElement = "root";
// Names from the file are cut to this many bytes in messages.
constexpr std::size_t kShownNameLength = 60;
constexpr char kParseErrorFormat[] = "XML sErrMsg : %s at sLine %ld (%d)\n";
constexpr char kTooDeepFormat[]
    = "The project file nests groups deeper than %d levels; reading stopped at line %ld.";

// XML_Parse takes an int length; longer lines go over in parts of this size.
constexpr std::size_t kMaxParseChunk = 1U << 30;

template <typename... Args>
std::string FormatText(const char *format, Args... args)
{
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

// Index of a "Property" element: 0 for the project name, 1..15 for the prefixes in their order.
int PropertyIndex(std::string_view name)
{
    if (name == "Name")
        return kPropertyProjectName;
    for (int i = 0; i < kPrefixCount; ++i) {
        if (name == PrefixRows()[static_cast<std::size_t>(i)].element)
            return i + 1;
    }
    return kNoKey;
}

// Element texts lose the line ends and tabs of the file's layout at both ends; blanks stay.
std::string_view TrimLayout(std::string_view text)
{
    constexpr std::string_view kLayout = "\t\n\r";
    const std::size_t last = text.find_last_not_of(kLayout);
    if (last == std::string_view::npos)
        return {};
    text = text.substr(0, last + 1);
    return text.substr(text.find_first_not_of(kLayout));
}

// Copies text without its tab characters onto the end of line.
void AppendWithoutTabs(std::string &line, std::string_view text)
{
    for (std::size_t tab; (tab = text.find('\t')) != std::string_view::npos;) {
        line.append(text.substr(0, tab));
        text.remove_prefix(tab + 1);
    }
    line.append(text);
}

// A name from the file as a message shows it: on one line, and not without end.
std::string Shown(std::string_view name)
{
    std::string shown;
    for (const char c : name.substr(0, kShownNameLength))
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    if (name.size() > kShownNameLength)
        shown += "...";
    return shown;
}

std::string Quoted(std::string_view name)
{
    return "\"" + Shown(name) + "\"";
}

// A path as a message shows it: whole, on one line.
std::string QuotedPath(std::string_view path)
{
    std::string shown = "\"";
    for (const char c : path)
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    return shown + "\"";
}

std::string LostCharacters(std::string_view what, std::size_t lost)
{
    return std::string(what) + ": " + std::to_string(lost)
        + (lost == 1 ? " character has" : " characters have")
        + " no Shift_JIS (CP932) form and became \"?\"";
}

// The column, counted from 1, in a line of the text as it was read (line holds it from its start)
// of the place Expat reports as column parsedColumn (from 0, in characters) of the same line
// without its tabs.
int ColumnInLine(std::string_view line, XML_Size parsedColumn)
{
    XML_Size passed = 0;
    int column = 1;
    for (std::size_t i = 0; i < line.size() && line[i] != '\n';) {
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead != '\t' && passed == parsedColumn)
            break;
        // One character: its lead byte and the continuation bytes that follow.
        std::size_t next = i + 1;
        while (next < line.size() && (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80)
            ++next;
        if (lead != '\t')
            ++passed;
        if (column < INT_MAX)
            ++column;
        i = next;
    }
    return column;
}

struct ParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// One read from start to end: the parser, the state of the machine and what the read has made
// but not yet handed to the project. A fresh session per read keeps reads independent.
class ReadSession {
public:
    // errorColumn receives the column of a parse error before its message is shown.
    ReadSession(CProjectContext &project, IMessageSink &messages, int &errorColumn)
        : m_project(project)
        , m_messages(messages)
        , m_errorColumn(errorColumn)
    { }

    // False, after telling the user, when Expat cannot make a parser.
    bool CreateParser();
    // Continues inside dialog with its root group open, as for pasted text.
    void OpenRootGroupOf(CKXDialogData &dialog);
    // Reads a whole project file: its first element must be the project's root element.
    void ExpectProject(std::string_view path)
    {
        m_expectProject = true;
        m_path = path;
    }
    // After the feeding: whether the text was no project file (empty, another root element,
    // no element at all); the message has been shown then.
    bool NotAProject();
    // Shows, in one message, what the read dropped or changed: definitions and dialogs whose
    // name was taken, characters of titles and texts without a CP932 form, and picture and
    // font file names that leave the project's folders.
    void ReportChanges();
    // Hands text to the parser one line at a time, tabs removed, converting each line from CP932
    // first when asked.
    void FeedLines(std::string_view text, bool fromCp932);

    bool Failed() const { return m_failed; }
    const std::string &Error() const { return m_error; }

private:
    static void XMLCALL OnStartElement(void *data, const XML_Char *name, const XML_Char **);
    static void XMLCALL OnEndElement(void *data, const XML_Char *name);
    static void XMLCALL OnCharacterData(void *data, const XML_Char *text, int length);

    void StartElement(std::string_view name);
    void EndElement(std::string_view name);
    void ChooseKey(std::string_view name);

    void StartDialog();
    void StartFont();
    void StartImage();
    void StartGroup();
    void StartObject();
    void EndDialog();
    void EndFont();
    void EndImage();
    void EndGroup();
    void EndObject();

    void ApplyCollectedText();
    void ApplyValue(std::string_view text);
    void ApplyProperty(std::string_view text);

    void NoteFileName(std::string_view name);
    void StopNotAProject(const std::string &reason);

    void HandOver(std::string_view piece, bool last);
    void Parse(std::string_view piece, bool last, int lines);
    void StopTooDeep();
    void ReportFailure();
    // Where the parser stopped, as a column of the text that was fed (tabs included).
    int FailureColumn() const;

    CProjectContext &m_project;
    IMessageSink &m_messages;
    int &m_errorColumn;
    // The text being fed (UTF-8, or CP932 when m_sourceCp932), for placing a parse error.
    std::string_view m_source;
    bool m_sourceCp932 = false;
    std::unique_ptr<XML_ParserStruct, ParserDeleter> m_parser;

    int m_section = kSectionNone;
    int m_key = kNoKey;
    // The dialog being read. A dialog made by this read is owned until its end adds it to the
    // project; pasted text goes into a dialog the project already holds.
    CKXDialogData *m_dialog = nullptr;
    std::unique_ptr<CKXDialogData> m_newDialog;
    std::unique_ptr<CFontData> m_font;
    std::unique_ptr<CImageData> m_image;
    CObjectData *m_object = nullptr;
    // The open groups of the dialog, its root group first.
    std::vector<CObjectDataList *> m_groups;
    // The object names of the dialog being read, for making new names unique.
    ObjectNameIndex m_names;
    // Expat may hand one element's text in several pieces (around an entity, across lines); they
    // are gathered here and applied whole when the next element starts or ends.
    std::string m_text;

    // Lines gathered while the parser waits for the end of a long token (see HandOver).
    std::string m_held;
    int m_heldLines = 0;
    std::size_t m_pendingToken = 0;
    long long m_fedBytes = 0;
    int m_pieces = 0;

    bool m_stopped = false;
    bool m_failed = false;
    std::string m_error;

    bool m_expectProject = false;
    bool m_sawRoot = false;
    bool m_notProject = false;
    std::string m_path;

    // What the read dropped or changed, one line each, for the report at its end.
    std::vector<std::string> m_changes;
    // Characters lost in the current dialog's title and the current object's text, and the
    // lines of the current dialog, kept until the dialog is taken or dropped.
    std::size_t m_titleLost = 0;
    std::size_t m_textLost = 0;
    std::vector<std::pair<std::string, std::size_t>> m_dialogChanges;
};

bool ReadSession::CreateParser()
{
    // The file is read as UTF-8 whatever its declaration says.
    m_parser.reset(XML_ParserCreate("UTF-8"));
    if (!m_parser) {
        m_error = kParserCreationFailed;
        m_messages.ShowMessage(m_error, MessageIcon::Error);
        return false;
    }
    XML_SetUserData(m_parser.get(), this);
    XML_SetElementHandler(m_parser.get(), OnStartElement, OnEndElement);
    XML_SetCharacterDataHandler(m_parser.get(), OnCharacterData);
    return true;
}

void ReadSession::OpenRootGroupOf(CKXDialogData &dialog)
{
    m_dialog = &dialog;
    if (dialog.RootGroup()) {
        m_groups.push_back(dialog.RootGroup());
        m_names.Build(*dialog.RootGroup());
    }
}

void ReadSession::FeedLines(std::string_view text, bool fromCp932)
{
    m_source = text;
    m_sourceCp932 = fromCp932;
    std::string line;
    std::size_t start = 0;
    while (start < text.size() && !m_stopped) {
        const std::size_t lineFeed = text.find('\n', start);
        const std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed + 1;
        line.clear();
        AppendWithoutTabs(line, text.substr(start, end - start));
        start = end;
        if (fromCp932)
            HandOver(ToUtf8(line), end == text.size());
        else
            HandOver(line, end == text.size());
    }
}

// Every line is one piece for the parser. Expat 2.5 scans a token that is still incomplete again
// from its start with every piece, so a comment or tag spread over very many lines would cost
// time growing with the square of its length. While such a token is pending, lines are gathered
// until they are at least as long as the pending part, which keeps the work linear; files of the
// editor's own layout never hold a token across lines and go over line by line.
void ReadSession::HandOver(std::string_view piece, bool last)
{
    if (m_held.empty() && (last || piece.size() >= m_pendingToken)) {
        Parse(piece, last, 1);
        return;
    }
    m_held.append(piece);
    ++m_heldLines;
    if (!last && m_held.size() < m_pendingToken)
        return;
    const std::string held = std::move(m_held);
    const int lines = m_heldLines;
    m_held.clear();
    m_heldLines = 0;
    Parse(held, last, lines);
}

void ReadSession::Parse(std::string_view piece, bool last, int lines)
{
    const auto size = static_cast<long long>(piece.size());
    XML_Status status = XML_STATUS_OK;
    while (status == XML_STATUS_OK && piece.size() > kMaxParseChunk) {
        status = XML_Parse(m_parser.get(), piece.data(), static_cast<int>(kMaxParseChunk), 0);
        piece.remove_prefix(kMaxParseChunk);
    }
    if (status == XML_STATUS_OK) {
        status
            = XML_Parse(m_parser.get(), piece.data(), static_cast<int>(piece.size()), last ? 1 : 0);
    }
    if (status != XML_STATUS_OK) {
        ReportFailure();
        return;
    }
    m_pieces = lines > INT_MAX - m_pieces ? INT_MAX : m_pieces + lines;
    m_fedBytes += size;
    const XML_Index tokenStart = XML_GetCurrentByteIndex(m_parser.get());
    m_pendingToken = tokenStart < 0 || tokenStart > m_fedBytes
        ? 0
        : static_cast<std::size_t>(m_fedBytes - tokenStart);
}

void ReadSession::ReportFailure()
{
    // A read stopped by the machine has its message already; any other stop is Expat's error.
    // Before the first element it means the text is no project at all.
    if (!m_stopped && m_expectProject && !m_sawRoot) {
        const char *reason = XML_ErrorString(XML_GetErrorCode(m_parser.get()));
        StopNotAProject(FormatText("%s at line %ld", reason ? reason : "unreadable",
            static_cast<long>(XML_GetCurrentLineNumber(m_parser.get()))));
    }
    if (!m_stopped) {
        const char *reason = XML_ErrorString(XML_GetErrorCode(m_parser.get()));
        m_error = FormatText(kParseErrorFormat, reason ? reason : "",
            static_cast<long>(XML_GetCurrentLineNumber(m_parser.get())), m_pieces);
        m_errorColumn = FailureColumn();
        m_stopped = true;
    }
    m_failed = true;
    m_messages.ShowMessage(m_error, m_notProject ? MessageIcon::Error : MessageIcon::Information);
}

int ReadSession::FailureColumn() const
{
    // Expat counts the columns of the lines it was given, which lost their tabs; the line of the
    // text itself tells the column the user sees.
    const XML_Size lineNumber = XML_GetCurrentLineNumber(m_parser.get());
    std::size_t start = 0;
    for (XML_Size line = 1; line < lineNumber && start != std::string_view::npos; ++line) {
        start = m_source.find('\n', start);
        if (start != std::string_view::npos)
            ++start;
    }
    if (start == std::string_view::npos || start > m_source.size())
        return 0;
    std::string_view line = m_source.substr(start);
    line = line.substr(0, line.find('\n'));
    const XML_Size column = XML_GetCurrentColumnNumber(m_parser.get());
    return m_sourceCp932 ? ColumnInLine(ToUtf8(line), column) : ColumnInLine(line, column);
}

void ReadSession::StopNotAProject(const std::string &reason)
{
    m_notProject = true;
    m_error = QuotedPath(m_path) + " is not a project file: " + reason + ".";
    m_stopped = true;
    XML_StopParser(m_parser.get(), XML_FALSE);
}

bool ReadSession::NotAProject()
{
    if (m_expectProject && !m_sawRoot && !m_failed) {
        // Nothing reached the parser: the file holds no byte.
        m_notProject = true;
        m_error = QuotedPath(m_path) + " is empty: it is not a project file.";
        m_messages.ShowMessage(m_error, MessageIcon::Error);
    }
    return m_notProject;
}

void ReadSession::NoteFileName(std::string_view name)
{
    // Forms the verdict drawing will give, so that a refused name is told with this read.
    m_project.AcceptsFileName(name);
}

void ReadSession::ReportChanges()
{
    const std::vector<std::string> refused = m_project.TakeRefusedFileNames();
    if (!refused.empty())
        m_changes.push_back(CProjectContext::RefusedFileNamesText(refused));
    if (m_changes.empty())
        return;
    // What the model holds differs from the file (or the clipboard text) in these points.
    std::string text = m_path.empty() ? std::string("The pasted objects were read with changes:")
                                      : "Loading " + QuotedPath(m_path) + ":";
    for (const std::string &change : m_changes)
        text += "\n- " + change;
    m_messages.ShowMessage(text, MessageIcon::Warning);
}

void ReadSession::StopTooDeep()
{
    m_error = FormatText(kTooDeepFormat, ProjectReader::kMaxOpenGroups,
        static_cast<long>(XML_GetCurrentLineNumber(m_parser.get())));
    m_stopped = true;
    XML_StopParser(m_parser.get(), XML_FALSE);
}

void XMLCALL ReadSession::OnStartElement(void *data, const XML_Char *name, const XML_Char **)
{
    static_cast<ReadSession *>(data)->StartElement(name);
}

void XMLCALL ReadSession::OnEndElement(void *data, const XML_Char *name)
{
    static_cast<ReadSession *>(data)->EndElement(name);
}

void XMLCALL ReadSession::OnCharacterData(void *data, const XML_Char *text, int length)
{
    auto *session = static_cast<ReadSession *>(data);
    // Text read while no value element is open is never applied, so it is not even kept.
    if (session->m_stopped || session->m_key == kNoKey || length <= 0)
        return;
    session->m_text.append(text, static_cast<std::size_t>(length));
}

void ReadSession::StartElement(std::string_view name)
{
    // Expat may still report an element after the parser has been told to stop.
    if (m_stopped)
        return;
    if (m_expectProject && !m_sawRoot) {
        if (name != kRootElement) {
            StopNotAProject("its first element is <" + Shown(name) + ">, not <root>");
            return;
        }
        m_sawRoot = true;
    }
    ApplyCollectedText();
    ChooseKey(name);
    if (name == "Property")
        m_section = kSectionProperty;
    else if (name == "Dialog")
        StartDialog();
    else if (name == "Font")
        StartFont();
    else if (name == "Image")
        StartImage();
    else if (name == "Objects")
        StartGroup();
    else if (name == "Object")
        StartObject();
}

void ReadSession::EndElement(std::string_view name)
{
    if (m_stopped)
        return;
    ApplyCollectedText();
    m_key = kNoKey;
    if (name == "Font")
        EndFont();
    else if (name == "Image")
        EndImage();
    else if (name == "Objects")
        EndGroup();
    else if (name == "Object")
        EndObject();
    else if (name == "Dialog")
        EndDialog();
}

// Decides which value an element's text sets, by the section the element starts in. Outside
// the property section an element of an unknown name clears the key; inside it leaves it.
void ReadSession::ChooseKey(std::string_view name)
{
    switch (m_section) {
    case kSectionProperty:
        if (const int index = PropertyIndex(name); index != kNoKey)
            m_key = index;
        break;
    case kSectionDialog:
        if (m_dialog)
            m_key = CKXDialogData::ElementIndex(name);
        break;
    case kSectionFont:
        if (m_font)
            m_key = CFontData::ElementIndex(name);
        break;
    case kSectionImage:
        if (m_image)
            m_key = CImageData::ElementIndex(name);
        break;
    case kSectionGroup:
        if (m_dialog && !m_groups.empty())
            m_key = CObjectData::ElementIndex(name);
        break;
    case kSectionObject:
        if (m_dialog && m_object)
            m_key = CObjectData::ElementIndex(name);
        break;
    default:
        break;
    }
}

void ReadSession::StartDialog()
{
    m_section = kSectionDialog;
    // A dialog still open is left unfinished by this one and dropped with its objects.
    m_object = nullptr;
    m_groups.clear();
    m_newDialog = std::make_unique<CKXDialogData>(
        m_project.Prefixes().Get(kPrefixDID), m_project.Prefixes());
    m_titleLost = 0;
    m_dialogChanges.clear();
    m_dialog = m_newDialog.get();
    m_names.Build(*m_dialog->RootGroup());
}

// Definitions open only outside dialogs and definitions: "Font" and "Image" elements there are
// values of objects and image definitions.
void ReadSession::StartFont()
{
    if (m_section != kSectionNone && m_section != kSectionProperty)
        return;
    m_section = kSectionFont;
    m_font = std::make_unique<CFontData>();
}

void ReadSession::StartImage()
{
    if (m_section != kSectionNone && m_section != kSectionProperty)
        return;
    m_section = kSectionImage;
    m_image = std::make_unique<CImageData>();
}

void ReadSession::StartGroup()
{
    m_section = kSectionGroup;
    if (!m_dialog)
        return;
    if (m_groups.empty()) {
        // Only the editing history's copies of a dialog lack a root group.
        if (m_dialog->RootGroup())
            m_groups.push_back(m_dialog->RootGroup());
        return;
    }
    if (m_groups.size() >= static_cast<std::size_t>(ProjectReader::kMaxOpenGroups)) {
        StopTooDeep();
        return;
    }
    CObjectDataList *parent = m_groups.back();
    auto *group = new CObjectDataList(parent);
    parent->AddChild(group);
    m_groups.push_back(group);
}

void ReadSession::StartObject()
{
    m_section = kSectionObject;
    m_object = nullptr;
    if (!m_dialog || m_groups.empty())
        return;
    CObjectDataList *parent = m_groups.back();
    m_object = new CObjectData(parent);
    parent->AddChild(m_object);
}

void ReadSession::EndDialog()
{
    // Only a dialog made by this read goes to the list; a name already taken drops it, and its
    // destructor frees its objects.
    if (m_newDialog) {
        const std::string name = m_newDialog->Name();
        if (m_project.Dialogs().Add(m_newDialog) < 0) {
            m_newDialog.reset();
            m_changes.push_back("dialog " + Quoted(name) + " was dropped: the name is taken");
        } else {
            const std::string where = " in dialog " + Quoted(name);
            if (m_titleLost > 0) {
                m_changes.push_back(
                    LostCharacters("the title of dialog " + Quoted(name), m_titleLost));
            }
            for (const auto &[what, lost] : m_dialogChanges)
                m_changes.push_back(LostCharacters(what + where, lost));
        }
    }
    m_titleLost = 0;
    m_dialogChanges.clear();
    m_section = kSectionNone;
    m_dialog = nullptr;
    m_object = nullptr;
    m_groups.clear();
}

void ReadSession::EndFont()
{
    if (m_font) {
        m_font->SetFaceId(m_project.Fonts().NextFaceId());
        const std::string name = m_font->Name();
        m_project.Fonts().Add(m_font);
        if (m_font) // still held only when the name was taken
            m_changes.push_back("font " + Quoted(name) + " was dropped: the name is taken");
        m_font.reset();
    }
    if (m_section <= kSectionFont)
        m_section = kSectionNone;
}

void ReadSession::EndImage()
{
    if (m_image) {
        const std::string name = m_image->Name();
        m_project.Images().Add(m_image);
        if (m_image)
            m_changes.push_back("image " + Quoted(name) + " was dropped: the name is taken");
        m_image.reset();
    }
    if (m_section == kSectionImage)
        m_section = kSectionNone;
}

void ReadSession::EndGroup()
{
    // An end without an open group (outside any dialog) has nothing to close.
    if (!m_groups.empty())
        m_groups.pop_back();
    m_section = kSectionNone;
}

void ReadSession::EndObject()
{
    if (m_object && m_textLost > 0) {
        const std::string what = "the text of object " + Quoted(m_object->Name());
        // Pasted text goes into a dialog that is already the project's.
        if (m_newDialog)
            m_dialogChanges.emplace_back(what, m_textLost);
        else
            m_changes.push_back(LostCharacters(what, m_textLost));
    }
    m_textLost = 0;
    m_section = kSectionNone;
    m_object = nullptr;
}

void ReadSession::ApplyCollectedText()
{
    if (m_key != kNoKey) {
        if (const std::string_view text = TrimLayout(m_text); !text.empty())
            ApplyValue(text);
    }
    m_text.clear();
}

void ReadSession::ApplyValue(std::string_view text)
{
    // What the conversion to the editor's code page loses, and file names that leave the
    // project's folders, are told at the end of the read.
    if (m_section == kSectionDialog && m_key == kDlgTitle)
        m_titleLost += CountLostInShiftJis(text);
    else if (m_section == kSectionObject && m_object && m_key == kObjText)
        m_textLost += CountLostInShiftJis(text);
    if ((m_section == kSectionFont && m_key == kFontFile)
        || (m_section == kSectionImage && m_key >= kImgSlotFile
            && m_key < kImgSlotFile + kMaxImageSlots)
        || (m_section == kSectionObject && m_key == kObjImageFile))
        NoteFileName(text);
    switch (m_section) {
    case kSectionProperty:
        ApplyProperty(text);
        break;
    case kSectionDialog:
        if (m_dialog)
            m_dialog->ApplyAttribute(m_key, text);
        break;
    case kSectionFont:
        if (m_font)
            m_font->ApplyAttribute(m_key, text, m_project.NameIds());
        break;
    case kSectionImage:
        if (m_image)
            m_image->ApplyAttribute(m_key, text, m_project);
        break;
    case kSectionGroup:
        if (m_dialog && !m_groups.empty())
            m_groups.back()->ApplyAttribute(m_key, text, m_project.NameIds(), &m_names);
        break;
    case kSectionObject:
        if (m_dialog && m_object)
            m_object->ApplyAttribute(m_key, text, m_project.NameIds(), &m_names);
        break;
    default:
        break;
    }
}

void ReadSession::ApplyProperty(std::string_view text)
{
    if (m_key == kPropertyProjectName)
        m_project.Root().SetProjectName(text);
    else if (m_key > 0 && m_key <= kPrefixCount)
        m_project.Prefixes().Set(static_cast<PrefixIndex>(m_key - 1), text);
}

} // namespace

ProjectReader::ProjectReader(CProjectContext &project, IMessageSink &messages)
    : m_project(project)
    , m_messages(messages)
{ }

bool ProjectReader::ReadFile(const std::string &path)
{
    m_parseFailed = false;
    m_lastError.clear();
    m_errorColumn = 0;
    const auto refuse = [&](const std::string &reason) {
        m_lastError = "Cannot read " + QuotedPath(path) + ": " + reason + ".";
        m_messages.ShowMessage(m_lastError, MessageIcon::Error);
        return false;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return refuse(SystemErrorText(errno));
    std::string content;
    std::string problem;
    struct stat info { };
    if (::fstat(fd, &info) != 0) {
        problem = SystemErrorText(errno);
    } else if (S_ISDIR(info.st_mode)) {
        problem = "it is a folder";
    } else if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
        // A device (/dev/zero) would be read without end.
        problem = "it is not a regular file";
    } else if (info.st_size > kMaxFileSize) {
        problem = "it is larger than 1 GiB";
    } else {
        // A pipe says nothing of its size, so the limit is kept while reading too.
        char block[1 << 16];
        while (content.size() <= static_cast<std::size_t>(kMaxFileSize)) {
            const ssize_t got = ::read(fd, block, sizeof block);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                problem = SystemErrorText(errno);
                break;
            }
            if (got == 0)
                break;
            content.append(block, static_cast<std::size_t>(got));
        }
        if (problem.empty() && content.size() > static_cast<std::size_t>(kMaxFileSize))
            problem = "it is larger than 1 GiB";
    }
    ::close(fd);
    if (!problem.empty())
        return refuse(problem);
    return ReadContent(content, path);
}

bool ProjectReader::ReadContent(std::string_view content, std::string_view path)
{
    m_parseFailed = false;
    m_lastError.clear();
    m_errorColumn = 0;
    ReadSession session(m_project, m_messages, m_errorColumn);
    if (!session.CreateParser()) {
        m_lastError = session.Error();
        return false;
    }
    session.ExpectProject(path);
    session.FeedLines(content, false);
    m_lastError = session.Error();
    if (session.NotAProject()) {
        m_lastError = session.Error();
        return false;
    }
    m_project.Root().SetProjectFilePath(path);
    m_parseFailed = session.Failed();
    session.ReportChanges();
    return true;
}

bool ProjectReader::ReadText(std::string_view cp932Text, CKXDialogData &dialog)
{
    m_parseFailed = false;
    m_lastError.clear();
    m_errorColumn = 0;
    ReadSession session(m_project, m_messages, m_errorColumn);
    if (!session.CreateParser()) {
        m_lastError = session.Error();
        return false;
    }
    session.OpenRootGroupOf(dialog);
    session.FeedLines(cp932Text, true);
    m_parseFailed = session.Failed();
    m_lastError = session.Error();
    session.ReportChanges();
    return true;
}

} // namespace kx
