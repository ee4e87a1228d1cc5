#include "ui/panels/image_list_ctrl.h"

#include "model/resource_lists.h"
#include "ui/support/picture_image.h"
#include "ui/support/qt_text.h"
#include "ui/support/vocabulary_texts.h"

#include <QApplication>
#include <QPainter>

namespace {

// The two text lines of the name column: the definition's type word, then its name.
QString TypeWord(int type)
{
    static const char *const kWords[] = {"Button", "Editbox", "Frame", "Picture", "Icon", "Movie"};
    return type >= 0 && type < 6 ? kx::ui::VocabularyText(kWords[type]) : QStringLiteral("...");
}

class ImageCellDelegate final : public QStyledItemDelegate {
public:
    ImageCellDelegate(const CImageListModel &model, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_model(model)
    { }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        const CImageData *image = m_model.ImageAt(index.row());
        const bool current = index.row() == m_model.CurrentRow();
        const QPalette &palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, current ? palette.highlight() : palette.base());
        painter->setPen(current ? palette.highlightedText().color() : palette.text().color());
        if (image) {
            const QRect cell = option.rect;
            if (index.column() == 0) {
                const QFontMetrics metrics(option.font);
                const int line = metrics.ascent();
                painter->drawText(cell.left() + 2, cell.top() + 3 + line,
                    metrics.elidedText(TypeWord(image->Type()), Qt::ElideRight, cell.width() - 2));
                painter->drawText(cell.left() + 2, cell.top() + 21 + line,
                    metrics.elidedText(
                        kx::ui::FromUtf8(image->Name()), Qt::ElideRight, cell.width() - 2));
            } else if (const kx::IPicture *picture = image->Picture(index.column() - 1)) {
                const QRect box = cell.adjusted(2, 3, 0, 0);
                painter->drawImage(box.topLeft(), kx::ui::FittedPicture(*picture, box.size()));
            }
        }
        painter->restore();
    }

private:
    const CImageListModel &m_model;
};

} // namespace

CImageListModel::CImageListModel(const CImageDataList &images, QObject *parent)
    : CResourceListModel({QT_TRANSLATE_NOOP("CResourceListModel", "Name"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Normal"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Disable"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Active"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Focus"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Push"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "ActPush")},
        parent)
    , m_images(images)
{ }

const CImageData *CImageListModel::ImageAt(int row) const
{
    return m_images.At(row);
}

QVariant CImageListModel::data(const QModelIndex &index, int role) const
{
    // The delegate paints every cell; the texts serve accessibility and tests.
    const CImageData *image = ImageAt(index.row());
    if (!image || role != Qt::DisplayRole)
        return QVariant();
    if (index.column() == 0)
        return TypeWord(image->Type()) + QLatin1Char('\n') + kx::ui::FromUtf8(image->Name());
    return kx::ui::FromUtf8(image->SlotFile(index.column() - 1));
}

CImageListCtrl::CImageListCtrl(const CImageDataList &images, QWidget *parent)
    : CResourceListView(new CImageListModel(images), kRowHeight, parent)
    , m_images(images)
{
    setItemDelegate(new ImageCellDelegate(*static_cast<CImageListModel *>(ListModel()), this));
    SetColumnWidths({50, 50, 50, 50, 50, 50, 50});
}

void CImageListCtrl::RefreshCount()
{
    ListModel()->SetRowCount(m_images.Count());
}

const CImageData *CImageListCtrl::GetCurrentImage() const
{
    return m_images.At(GetCurrentRow());
}
