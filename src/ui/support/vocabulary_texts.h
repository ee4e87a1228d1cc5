// The system's own words as the editor shows them: colour names, object states, alignments,
// stretch modes and object types of the model's vocabulary. They read the same in both
// languages today, yet they pass through the translation like every other text of the editor, so
// that a language that wants other words can have them.
#pragma once

#include <QString>

namespace kx::ui {

// The word of a vocabulary table (as the model writes it, or in capitals as the add combo
// lists object types) in the editor's language.
QString VocabularyText(const char *word);

} // namespace kx::ui
