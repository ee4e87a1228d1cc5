#include "ui/panels/object_list_ctrl.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "ui/support/qt_text.h"

#include <QBrush>
#include <QColor>

#include <cmath>

namespace {

enum Column { kName, kText, kLeft, kTop, kWidth, kHeight };

// The size as the canvas shows it during a drag: the stored size times the preview scale. A size
// of -1 stands for "the picture's own size" and shows as "--".
QString ScaledSize(int size, double scale)
{
    return size == -1 ? QStringLiteral("--") : QString::number(kx::Nearest(size * scale));
}

} // namespace

CObjectListModel::CObjectListModel(QObject *parent)
    : CResourceListModel({QT_TRANSLATE_NOOP("CResourceListModel", "Name"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Text"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Left"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Top"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Width"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Height")},
        parent)
{ }

CObjectData *CObjectListModel::ObjectAt(int row) const
{
    if (!m_dialog || row < 0)
        return nullptr;
    if (row != m_cachedRow) {
        m_cachedObject = m_dialog->RootGroup()->ObjectAt(row);
        m_cachedRow = row;
    }
    return m_cachedObject;
}

QVariant CObjectListModel::data(const QModelIndex &index, int role) const
{
    const CObjectData *object = ObjectAt(index.row());
    if (!object)
        return QVariant();
    const bool selected = object->IsSelected();
    const bool current = index.row() == CurrentRow();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kName:
            return QString(object->Depth(), QLatin1Char(' ')) + QLatin1Char('+')
                + kx::ui::FromUtf8(object->Name());
        case kText:
            return kx::ui::FromModelText(object->Text());
        case kLeft:
            return QString::number(object->AbsoluteX());
        case kTop:
            return QString::number(object->AbsoluteY());
        case kWidth:
            return ScaledSize(object->Width(), object->PreviewScaleX());
        case kHeight:
            return ScaledSize(object->Height(), object->PreviewScaleY());
        }
        return QVariant();
    case Qt::ForegroundRole:
        // Selected objects are red; the current one is white on red.
        return QBrush(!selected ? QColor(Qt::black)
                : current       ? QColor(Qt::white)
                                : QColor(Qt::red));
    case Qt::BackgroundRole:
        return QBrush(selected && current ? QColor(255, 0, 0) : QColor(Qt::white));
    default:
        return QVariant();
    }
}

CObjectListCtrl::CObjectListCtrl(QWidget *parent)
    : CResourceListView(new CObjectListModel, 18, parent)
{
    SetColumnWidths({100, 100, 40, 40, 40, 40});
}

CObjectListModel *CObjectListCtrl::Objects() const
{
    return static_cast<CObjectListModel *>(ListModel());
}

void CObjectListCtrl::SetDialog(CKXDialogData *dialog)
{
    if (dialog == Objects()->Dialog())
        return;
    Objects()->SetDialog(dialog);
    Objects()->SetCurrentRow(dialog ? 0 : -1);
    RefreshCount();
}

CKXDialogData *CObjectListCtrl::GetDialog() const
{
    return Objects()->Dialog();
}

void CObjectListCtrl::RefreshCount()
{
    Objects()->Invalidate();
    const CKXDialogData *dialog = Objects()->Dialog();
    Objects()->SetRowCount(dialog ? dialog->RootGroup()->CountNodes() : 0);
}

CObjectData *CObjectListCtrl::GetCurrentObject() const
{
    return Objects()->ObjectAt(GetCurrentRow());
}

int CObjectListCtrl::RowOf(const CObjectData *object) const
{
    const CKXDialogData *dialog = Objects()->Dialog();
    return dialog ? dialog->RootGroup()->IndexOf(object) : -1;
}
