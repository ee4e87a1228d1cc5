#include "ui/panels/property_panel.h"

#include "model/font_data.h"
#include "model/image_data.h"
#include "model/kx_dialog_data.h"
#include "model/kx_resource_data.h"
#include "model/object_data.h"
#include "model/vocabulary.h"
#include "ui/support/qt_text.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CPropertyPanel::CPropertyPanel(QWidget *parent)
    : QWidget(parent)
    , m_typeLabel(new QLabel(tr("タイプ:"), this))
    , m_type(new QLabel(this))
    , m_name(new QLineEdit(this))
{
    auto *form = new QFormLayout(this);
    form->setContentsMargins(3, 3, 3, 3);
    form->addRow(m_typeLabel, m_type);
    form->addRow(tr("名前:"), m_name);
    connect(m_name, &QLineEdit::editingFinished, this, [this] {
        // Return and the loss of focus both end an edit; one rename is enough.
        if (m_name->isModified()) {
            m_name->setModified(false);
            emit NameEdited();
        }
    });
    Show(PropertyKind::None, nullptr);
}

void CPropertyPanel::Show(PropertyKind kind, KXClass *resource)
{
    m_kind = resource ? kind : PropertyKind::None;
    m_resource = resource;
    QString name;
    QString type;
    switch (m_kind) {
    case PropertyKind::Project:
        name = kx::ui::FromUtf8(static_cast<CKXResourceData *>(resource)->ProjectName());
        break;
    case PropertyKind::Dialog:
        name = kx::ui::FromUtf8(static_cast<CKXDialogData *>(resource)->Name());
        break;
    case PropertyKind::Object: {
        const auto *object = static_cast<CObjectData *>(resource);
        name = kx::ui::FromUtf8(object->Name());
        type = QString::fromLatin1(kx::ObjectTypes().Word(object->Type()));
        break;
    }
    case PropertyKind::Image: {
        const auto *image = static_cast<CImageData *>(resource);
        name = kx::ui::FromUtf8(image->Name());
        type = QString::fromLatin1(kx::ObjectTypes().Word(image->Type()));
        break;
    }
    case PropertyKind::Font:
        name = kx::ui::FromUtf8(static_cast<CFontData *>(resource)->Name());
        break;
    case PropertyKind::None:
        break;
    }
    m_name->setText(name);
    m_name->setModified(false);
    m_name->setEnabled(m_kind != PropertyKind::None);
    m_type->setText(type);
    const bool typed = m_kind == PropertyKind::Object || m_kind == PropertyKind::Image;
    m_typeLabel->setVisible(typed);
    m_type->setVisible(typed);
}
