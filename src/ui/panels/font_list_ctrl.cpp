#include "ui/panels/font_list_ctrl.h"

#include "model/resource_lists.h"
#include "model/vocabulary.h"
#include "ui/support/qt_text.h"
#include "ui/support/vocabulary_texts.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

namespace {

enum Column { kName, kFile, kSize, kEffect, kBold, kBoldEffect };

} // namespace

QString CFontListCtrl::EffectText(int effect)
{
    static const char *const kEffects[] = {QT_TR_NOOP("Normal"), QT_TR_NOOP("Shadow"),
        QT_TR_NOOP("Outline"), QT_TR_NOOP("Sha.+Out."), QT_TR_NOOP("Stroke")};
    return effect >= 0 && effect < 5 ? tr(kEffects[effect]) : QString();
}

CFontListModel::CFontListModel(const CFontDataList &fonts, QObject *parent)
    : CResourceListModel({QT_TRANSLATE_NOOP("CResourceListModel", "Name"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "File"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Size"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Effect"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "Bold"),
                             QT_TRANSLATE_NOOP("CResourceListModel", "BoldEffect")},
        parent)
    , m_fonts(fonts)
{ }

QVariant CFontListModel::data(const QModelIndex &index, int role) const
{
    const CFontData *font = m_fonts.At(index.row());
    if (!font)
        return QVariant();
    const bool current = index.row() == CurrentRow();
    const QPalette palette = QApplication::palette();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kName:
            return kx::ui::FromUtf8(font->Name());
        case kFile:
            return kx::ui::FromUtf8(font->File());
        case kSize:
            return QString::number(font->Size());
        case kEffect:
            return CFontListCtrl::EffectText(font->Effect());
        case kBold:
            return kx::ui::VocabularyText(kx::SwitchWord(font->Bold()));
        case kBoldEffect:
            return kx::ui::VocabularyText(kx::SwitchWord(font->BoldEffect()));
        }
        return QVariant();
    case Qt::ForegroundRole:
        return current ? palette.highlightedText() : palette.text();
    case Qt::BackgroundRole:
        return current ? palette.highlight() : palette.base();
    default:
        return QVariant();
    }
}

CFontListCtrl::CFontListCtrl(const CFontDataList &fonts, QWidget *parent)
    : CResourceListView(new CFontListModel(fonts), 18, parent)
    , m_fonts(fonts)
{
    SetColumnWidths({100, 100, 30, 70, 30, 30});
}

void CFontListCtrl::RefreshCount()
{
    ListModel()->SetRowCount(m_fonts.Count());
}

const CFontData *CFontListCtrl::GetCurrentFont() const
{
    return m_fonts.At(GetCurrentRow());
}

void CFontListCtrl::ShowFont(const CFontData *font)
{
    const int row = m_fonts.IndexOf(font);
    if (row >= 0)
        SetCurrentRow(row);
}
