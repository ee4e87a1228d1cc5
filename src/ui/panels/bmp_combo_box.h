// A combo box of the image definitions of one type, each item showing the definition's Normal
// picture beside its name.
#pragma once

#include <QComboBox>

#include <string>
#include <string_view>

class CImageDataList;

class CBmpComboBox : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kItemHeight = 30;
    static constexpr int kPictureWidth = 60;

    explicit CBmpComboBox(const CImageDataList &images, QWidget *parent = nullptr);

    // Lists the definitions of this type in list order. The same type again does nothing; -1
    // keeps the type and lists again (after definitions were added, removed or renamed).
    void SetImageType(int type);
    int ImageType() const { return m_type; }
    // Selects the first item with exactly this name and answers its position; -1 and no change
    // when there is none.
    int SelectByName(std::string_view name);
    // Name of the definition at this position among the listed ones; empty when out of range.
    std::string GetNameAt(int position) const;

private:
    const CImageDataList &m_images;
    int m_type = -1;
};
