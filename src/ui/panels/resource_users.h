// Who uses a dialog, a font or an image definition: what the panel asks about before it deletes
// one.
#pragma once

#include <QString>

class CFontData;
class CImageData;
class CKXDialogData;
class CProjectContext;

namespace kx::ui {

// The question to ask before the deletion, naming the users (how many objects, in which dialogs;
// the image definitions that name a font); empty when nothing uses it.
QString FontDeleteQuestion(const CProjectContext &project, const CFontData &font);
QString ImageDeleteQuestion(const CProjectContext &project, const CImageData &image);
// A dialog's users are its own objects.
QString DialogDeleteQuestion(const CKXDialogData &dialog);

} // namespace kx::ui
