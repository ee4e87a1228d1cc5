// The image definitions of the project, one 60-pixel row each: the type and name, then the
// picture of each state slot fitted into its cell.
#pragma once

#include "ui/panels/resource_list_view.h"

#include <QStyledItemDelegate>

class CImageData;
class CImageDataList;

class CImageListModel : public CResourceListModel {
    Q_OBJECT

public:
    explicit CImageListModel(const CImageDataList &images, QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role) const override;
    const CImageData *ImageAt(int row) const;

private:
    const CImageDataList &m_images;
};

class CImageListCtrl : public CResourceListView {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 60;

    explicit CImageListCtrl(const CImageDataList &images, QWidget *parent = nullptr);
    // Row count := the number of image definitions.
    void RefreshCount();
    const CImageData *GetCurrentImage() const;

private:
    const CImageDataList &m_images;
};
