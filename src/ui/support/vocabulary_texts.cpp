#include "ui/support/vocabulary_texts.h"

#include <QCoreApplication>

namespace kx::ui {

namespace {

// Every word of the model's tables that the editor shows, for the translation tools; the
// translation test checks that none of the tables' words is missing here.
[[maybe_unused]] const char *const kWords[] = {
    // colours
    QT_TRANSLATE_NOOP("Vocabulary", "BLACK"),
    QT_TRANSLATE_NOOP("Vocabulary", "BLUE"),
    QT_TRANSLATE_NOOP("Vocabulary", "GREEN"),
    QT_TRANSLATE_NOOP("Vocabulary", "RED"),
    QT_TRANSLATE_NOOP("Vocabulary", "CYAN"),
    QT_TRANSLATE_NOOP("Vocabulary", "MAGENTA"),
    QT_TRANSLATE_NOOP("Vocabulary", "YELLOW"),
    QT_TRANSLATE_NOOP("Vocabulary", "WHITE"),
    QT_TRANSLATE_NOOP("Vocabulary", "ORANGE"),
    QT_TRANSLATE_NOOP("Vocabulary", "PINK"),
    QT_TRANSLATE_NOOP("Vocabulary", "PURPLE"),
    QT_TRANSLATE_NOOP("Vocabulary", "SKYBLUE"),
    QT_TRANSLATE_NOOP("Vocabulary", "VIRIDIAN"),
    QT_TRANSLATE_NOOP("Vocabulary", "GRAY"),
    QT_TRANSLATE_NOOP("Vocabulary", "SILVER"),
    QT_TRANSLATE_NOOP("Vocabulary", "TRANSPARENT"),
    // object states
    QT_TRANSLATE_NOOP("Vocabulary", "Normal"),
    QT_TRANSLATE_NOOP("Vocabulary", "Disable"),
    QT_TRANSLATE_NOOP("Vocabulary", "Active"),
    QT_TRANSLATE_NOOP("Vocabulary", "Focus"),
    QT_TRANSLATE_NOOP("Vocabulary", "Down"),
    QT_TRANSLATE_NOOP("Vocabulary", "ActDown"),
    QT_TRANSLATE_NOOP("Vocabulary", "Hide"),
    // alignments and stretch modes
    QT_TRANSLATE_NOOP("Vocabulary", "Center"),
    QT_TRANSLATE_NOOP("Vocabulary", "Left"),
    QT_TRANSLATE_NOOP("Vocabulary", "Right"),
    QT_TRANSLATE_NOOP("Vocabulary", "Top"),
    QT_TRANSLATE_NOOP("Vocabulary", "Middle"),
    QT_TRANSLATE_NOOP("Vocabulary", "Bottom"),
    QT_TRANSLATE_NOOP("Vocabulary", "X-Stretch"),
    QT_TRANSLATE_NOOP("Vocabulary", "Y-Stretch"),
    QT_TRANSLATE_NOOP("Vocabulary", "XY-Stretch"),
    QT_TRANSLATE_NOOP("Vocabulary", "NoClip"),
    // object types, as the model writes them and as the add combo lists them
    QT_TRANSLATE_NOOP("Vocabulary", "Button"),
    QT_TRANSLATE_NOOP("Vocabulary", "Editbox"),
    QT_TRANSLATE_NOOP("Vocabulary", "Frame"),
    QT_TRANSLATE_NOOP("Vocabulary", "Picture"),
    QT_TRANSLATE_NOOP("Vocabulary", "Icon"),
    QT_TRANSLATE_NOOP("Vocabulary", "Movie"),
    QT_TRANSLATE_NOOP("Vocabulary", "Canvas"),
    QT_TRANSLATE_NOOP("Vocabulary", "Text"),
    QT_TRANSLATE_NOOP("Vocabulary", "Group"),
    QT_TRANSLATE_NOOP("Vocabulary", "BUTTON"),
    QT_TRANSLATE_NOOP("Vocabulary", "EDITBOX"),
    QT_TRANSLATE_NOOP("Vocabulary", "FRAME"),
    QT_TRANSLATE_NOOP("Vocabulary", "PICTURE"),
    QT_TRANSLATE_NOOP("Vocabulary", "ICON"),
    QT_TRANSLATE_NOOP("Vocabulary", "MOVIE"),
    QT_TRANSLATE_NOOP("Vocabulary", "CANVAS"),
    QT_TRANSLATE_NOOP("Vocabulary", "TEXT"),
    QT_TRANSLATE_NOOP("Vocabulary", "GROUP"),
    // switches
    QT_TRANSLATE_NOOP("Vocabulary", "ON"),
    QT_TRANSLATE_NOOP("Vocabulary", "OFF"),
};

} // namespace

QString VocabularyText(const char *word)
{
    return QCoreApplication::translate("Vocabulary", word);
}

} // namespace kx::ui
