// The font definitions of the project: name, file, size, effect and the two bold switches.
#pragma once

#include "ui/panels/resource_list_view.h"

class CFontData;
class CFontDataList;

class CFontListModel : public CResourceListModel {
    Q_OBJECT

public:
    explicit CFontListModel(const CFontDataList &fonts, QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const CFontDataList &m_fonts;
};

class CFontListCtrl : public CResourceListView {
    Q_OBJECT

public:
    explicit CFontListCtrl(const CFontDataList &fonts, QWidget *parent = nullptr);
    // Row count := the number of font definitions.
    void RefreshCount();
    const CFontData *GetCurrentFont() const;
    // Makes the row of the definition current; nothing when it is not in the list.
    void ShowFont(const CFontData *font);

    // The effect words the list and the font fields show, effects 0 to 4.
    static QString EffectText(int effect);

private:
    const CFontDataList &m_fonts;
};
