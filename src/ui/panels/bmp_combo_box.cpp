#include "ui/panels/bmp_combo_box.h"

#include "model/resource_lists.h"
#include "ui/support/picture_image.h"
#include "ui/support/qt_text.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kImageIndexRole = Qt::UserRole;

class PictureItemDelegate final : public QStyledItemDelegate {
public:
    PictureItemDelegate(const CImageDataList &images, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_images(images)
    { }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(
            QStyledItemDelegate::sizeHint(option, index).width() + CBmpComboBox::kPictureWidth + 6,
            CBmpComboBox::kItemHeight);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        const CImageData *image = m_images.At(index.data(kImageIndexRole).toInt());
        if (image) {
            if (const kx::IPicture *picture = image->Picture(0)) {
                const QSize box(CBmpComboBox::kPictureWidth, option.rect.height());
                const QImage fitted = kx::ui::FittedPicture(*picture, box);
                painter->drawImage(
                    option.rect.topLeft() + QPoint(0, (option.rect.height() - fitted.height()) / 2),
                    fitted);
            }
        }
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        painter->drawText(option.rect.adjusted(CBmpComboBox::kPictureWidth + 6, 0, 0, 0),
            Qt::AlignLeft | Qt::AlignTop, index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(palette.text().color(), 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    const CImageDataList &m_images;
};

} // namespace

CBmpComboBox::CBmpComboBox(const CImageDataList &images, QWidget *parent)
    : QComboBox(parent)
    , m_images(images)
{
    setItemDelegate(new PictureItemDelegate(images, this));
    setIconSize(QSize(kPictureWidth, kItemHeight));
}

void CBmpComboBox::SetImageType(int type)
{
    if (type == m_type)
        return;
    if (type != -1)
        m_type = type;
    const QSignalBlocker quiet(this);
    clear();
    for (int i = 0; i < m_images.Count(); ++i) {
        const CImageData *image = m_images.At(i);
        if (image->Type() == m_type)
            addItem(kx::ui::FromUtf8(image->Name()), i);
    }
}

int CBmpComboBox::SelectByName(std::string_view name)
{
    const int position
        = findText(kx::ui::FromUtf8(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (position >= 0)
        setCurrentIndex(position);
    return position;
}

std::string CBmpComboBox::GetNameAt(int position) const
{
    if (position < 0 || position >= count())
        return std::string();
    const CImageData *image = m_images.At(itemData(position).toInt());
    return image ? image->Name() : std::string();
}
