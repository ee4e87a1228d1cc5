// The lower half of the resource panel: the fields of the resource the panel shows. Which
// resource that is, and what a changed field does to the project, the panel decides; this class
// holds the fields, fills them from a resource and shows those that apply to it.
#pragma once

#include <QWidget>

class KXClass;
class QLabel;
class QLineEdit;

// The kinds of resource the fields can show.
enum class PropertyKind { None, Project, Dialog, Object, Image, Font };

class CPropertyPanel : public QWidget {
    Q_OBJECT

public:
    explicit CPropertyPanel(QWidget *parent = nullptr);

    // Fills the fields from the resource of that kind (the resource root, a dialog, an object,
    // an image or font definition; none empties them) and shows the fields that apply.
    void Show(PropertyKind kind, KXClass *resource);
    PropertyKind Kind() const { return m_kind; }
    KXClass *Resource() const { return m_resource; }

    QLineEdit *NameEdit() const { return m_name; }
    QLabel *TypeText() const { return m_type; }
    // The margins new text objects and image definitions take.
    int MarginX() const { return 0; }
    int MarginY() const { return 0; }

signals:
    // The name field lost the focus or the user pressed Return after editing it.
    void NameEdited();

private:
    PropertyKind m_kind = PropertyKind::None;
    KXClass *m_resource = nullptr;
    QLabel *m_typeLabel;
    QLabel *m_type;
    QLineEdit *m_name;
};
