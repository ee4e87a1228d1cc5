// The lower half of the resource panel: the fields of the resource the panel shows (the project,
// a dialog, an object, an image or font definition), filled from it, shown as far as they apply
// to it, and written into the model as the user edits them. Edits of a dialog and its objects end
// in the dialog's edit funnel, edits of font and image definitions in the document set's. The
// name field is the panel's: it decides the rename rules. With several objects selected the
// fields are those all of them have; a field whose values differ shows nothing (a check box half
// checked), and a commit sets that one field on every selected object as one step.
#pragma once

#include "history/project_history.h"
#include "model/geometry.h"

#include <QWidget>

#include <array>
#include <bitset>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <vector>

class CBmpComboBox;
class CColourComboBox;
class CDocumentSet;
class CFontData;
class CImageData;
class CIntEdit;
class CKXDialogData;
class CObjectData;
class CProjectContext;
class KXClass;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {
class IMessageSink;
class ProjectStep;
namespace ui {
struct EditorQuestions;
}
} // namespace kx

// The kinds of resource the fields can show.
enum class PropertyKind { None, Project, Dialog, Object, Image, Font };

class CPropertyPanel : public QWidget {
    Q_OBJECT

public:
    // The fields as their visibility rules name them; a field may consist of several controls.
    enum Field {
        kType, // "タイプ:" and the type word
        kName,
        kAttr,
        kClick,
        kPushClick,
        kPushTime, // the edit and "ms"
        kRepeat,
        kRadio,
        kPosition, // "位置:" with x and y
        kParentOrigin, // the read-only pair beside the position
        kWidth, // "サイズ:" with the width (a font definition's size)
        kHeight,
        kSizePreset,
        kLock,
        kHide,
        kBold,
        kBoldEffect,
        kEffect,
        kColour,
        kSubColour,
        kComponents, // the red, green and blue edits
        kLinespace,
        kVertical,
        kText,
        kGetText,
        kFile, // "ファイル:" with "参照"
        kImage,
        kFont,
        kAlign, // horizontal and vertical alignment
        kStretch,
        kMargin,
        kStateRows, // the state rows an image definition of its type has
        kFieldCount
    };
    using FieldSet = std::bitset<kFieldCount>;

    static constexpr int kStateRowCount = 6;
    // Positions, margins and line spaces the fields take; far beyond any screen, far from the
    // limits of the sums the canvas forms from them.
    static constexpr int kCoordinateLimit = 1'000'000;

    // The controls, for the panel's owner and tests.
    struct StateRow {
        CColourComboBox *colour;
        CColourComboBox *subColour;
        QLineEdit *file;
        QPushButton *browse;
    };
    struct Widgets {
        QLabel *type;
        QLineEdit *name;
        QComboBox *attr;
        QCheckBox *click, *pushClick, *repeat, *radio, *lock, *hide, *bold, *boldEffect, *vertical,
            *getText;
        CIntEdit *pushTime, *x, *y, *parentX, *parentY, *width, *height, *red, *green, *blue,
            *linespace, *marginX, *marginY;
        QComboBox *sizePreset, *effect, *font, *alignX, *alignY, *stretch;
        CColourComboBox *colour, *subColour;
        QLineEdit *text, *file;
        QPushButton *browse;
        CBmpComboBox *image;
        std::array<StateRow, kStateRowCount> states;
    };

    CPropertyPanel(CProjectContext &project, CDocumentSet &documents, kx::IMessageSink &messages,
        QWidget *parent = nullptr);
    ~CPropertyPanel() override;

    // Fills the fields from the resource of that kind (the resource root, a dialog, an object,
    // an image or font definition; none empties them) and shows the fields that apply. While the
    // panel commits an edit of that same resource it fills the fields itself afterwards.
    void Show(PropertyKind kind, KXClass *resource);
    PropertyKind Kind() const { return m_kind; }
    KXClass *Resource() const { return m_resource; }
    // The outermost selected objects of the dialog while more than one is selected, else none.
    const std::vector<CObjectData *> &Selection() const { return m_selection; }
    bool ShowsSelection() const { return m_selection.size() > 1; }
    // Whether the control shows nothing because the selected objects' values differ.
    bool IsMixed(const QWidget *control) const;

    // The questions of the "参照" buttons; none gives back the panel's own (message boxes and
    // file dialogs). The caller keeps them alive while they are set.
    void SetQuestions(kx::ui::EditorQuestions *questions);
    kx::ui::EditorQuestions &Questions() const { return *m_questions; }

    const Widgets &Controls() const { return m_w; }
    QLineEdit *NameEdit() const { return m_w.name; }
    QLabel *TypeText() const { return m_w.type; }
    // Whether the field's controls are shown for the resource now.
    bool IsFieldShown(Field field) const;
    // The fields shown for a resource of that kind; for an object, of that type.
    static FieldSet FieldsFor(PropertyKind kind, int objectType = -1);

    // The margins new text objects and image definitions take.
    int MarginX() const;
    int MarginY() const;

    // Ends the edit being typed in a field, name included, as leaving the field would: the
    // commands that read the project (save, close, generate, check, undo) and every change of
    // what the panel shows call it first, so that typed text is never thrown away.
    void FinishEditing();

protected:
    void changeEvent(QEvent *event) override;

signals:
    // The name field lost the focus or the user pressed Return after editing it.
    void NameEdited();

private:
    struct Row {
        const char *text; // the label's text as written, none for a row without a label
        QLabel *label;
        QWidget *box;
        std::vector<Field> fields;
    };

    void CreateControls();
    void ConnectCommits();
    Row &AddRow(QGridLayout *grid, const char *label);
    // Gives the labels, switches, choices and buttons their texts in the language installed now.
    void RetranslateUi();
    void Place(Row &row, Field field, std::initializer_list<QWidget *> controls);

    // ---- Filling (property_panel.cpp) ----
    void Fill();
    void FillDialog(const CKXDialogData &dialog);
    void FillObject(CObjectData &object);
    void FillImage(const CImageData &image);
    void FillFont(const CFontData &font);
    void FillFontCombo(const std::string &selected);
    void FillLayout(int alignX, int alignY, int stretch, int marginX, int marginY);
    void ApplyVisibility();
    void SetRanges();
    // ---- Several objects (property_selection.cpp) ----
    // The selection of the object's dialog, when it holds more than one object.
    void FindSelection(CObjectData *object);
    void FillSelection();
    FieldSet SelectionFields() const;
    // Sets the field of the control on every selected object, one step for all.
    void CommitToSelection(QWidget *control);
    // The colour row's label and the colour combos' tips name what the colours are for.
    void NameColourFields();

    // Whether the resource (of the kind shown) is still one of the project's.
    bool IsInProject(const KXClass *resource) const;
    // The size the size fields show: the drawn one, which for a picture stored with the size
    // -1 (its picture's own size) is that of the picture.
    kx::KXSize ShownSize(const CObjectData &object) const;

    // ---- Commits (property_commits.cpp) ----
    CObjectData *CurrentObject() const;
    CKXDialogData *CurrentDialog() const;
    CImageData *CurrentImage() const;
    CFontData *CurrentFont() const;
    CKXDialogData *DialogOf(const CObjectData &object) const;
    // Writes into the object, then ends the edit in its dialog's funnel when anything changed.
    void EditObject(const std::function<void(CObjectData &)> &write);
    void EditDialog(const std::function<void(CKXDialogData &)> &write);
    void EditImage(const std::function<void(CImageData &)> &write);
    void EditFont(const std::function<void(CFontData &)> &write);
    void EndDialogEdit(CKXDialogData *dialog, int what, kx::StepLabel label = {});
    void EndResourceEdit(std::unique_ptr<kx::ProjectStep> step, int what);

    void CommitFlags();
    void CommitLockHide();
    void CommitPushTime();
    void CommitVertical();
    void CommitLinespace();
    void CommitGeometry();
    void CommitSizePreset(int index);
    void CommitText();
    void CommitImage();
    void CommitLayout();
    void CommitColours();
    void CommitComponents();
    void CommitStateRow(int slot);
    void CommitFontDefinition();
    void CommitFile();
    void Browse();
    void BrowseState(int slot);
    // The name of a chosen file once it is in the project; empty when the user gave up.
    QString ChooseFile(bool font);
    // A file name typed for a field: a plain name, never a path out of the project's folders.
    bool AcceptFileName(const QString &name, QLineEdit *field);
    void RejectNumber(CIntEdit *edit);

    CProjectContext &m_project;
    CDocumentSet &m_documents;
    kx::IMessageSink &m_messages;
    std::unique_ptr<kx::ui::EditorQuestions> m_ownQuestions;
    kx::ui::EditorQuestions *m_questions;
    PropertyKind m_kind = PropertyKind::None;
    KXClass *m_resource = nullptr;
    std::vector<CObjectData *> m_selection;
    std::set<const QWidget *> m_mixed;
    // Set while a commit of the panel runs, and while the fields are filled.
    bool m_committing = false;
    bool m_filling = false;

    Widgets m_w {};
    QLabel *m_milliseconds = nullptr;
    std::deque<Row> m_rows;
    Row *m_colourRow = nullptr;
    std::array<std::vector<QWidget *>, kFieldCount> m_fieldControls;
    // Each state takes two rows: its colours, then its file.
    std::array<std::array<Row *, 2>, kStateRowCount> m_stateRows {};
};
