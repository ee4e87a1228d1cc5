// The "参照" buttons of the property fields: the file is chosen, taken into the project, and
// committed as if its name had been typed; typed file names stay names.
#include "ui/panels/property_panel.h"

#include "platform/message_sink.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/support/qt_text.h"

#include <QLineEdit>

void CPropertyPanel::Browse()
{
    if (m_kind != PropertyKind::Object && m_kind != PropertyKind::Font)
        return;
    const QString name = ChooseFile(m_kind == PropertyKind::Font);
    if (name.isEmpty())
        return;
    // As if the user had typed the name.
    m_w.file->setText(name);
    CommitFile();
}

void CPropertyPanel::BrowseState(int slot)
{
    if (m_kind != PropertyKind::Image)
        return;
    const QString name = ChooseFile(false);
    if (name.isEmpty())
        return;
    m_w.states[static_cast<std::size_t>(slot)].file->setText(name);
    CommitStateRow(slot);
}

QString CPropertyPanel::ChooseFile(bool font)
{
    const auto kind = font ? kx::ui::ProjectFileKind::Font : kx::ui::ProjectFileKind::Picture;
    KXClass *shown = m_resource;
    const QString chosen
        = m_questions->chooseFile(this, kx::ui::ProjectFileFolder(m_project, kind), kind);
    // The box is modal, yet the resource may have gone meanwhile (a message, a timer).
    if (chosen.isEmpty() || shown != m_resource)
        return QString();
    bool replaced = false;
    const std::optional<QString> name = kx::ui::TakeIntoProject(
        m_project, *m_questions, m_messages, this, chosen, kind, false, &replaced);
    // A file of that name was replaced: everything that shows it is drawn from the new one.
    if (replaced)
        m_documents.FilesChanged();
    return name && shown == m_resource ? *name : QString();
}

bool CPropertyPanel::AcceptFileName(const QString &name, QLineEdit *field)
{
    // Files are found by their names in the project's own folders; a path could reach any file.
    if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QStringLiteral(".") && name != QStringLiteral(".."))
        return true;
    m_messages.ShowMessage(kx::ui::ToUtf8(tr("エラー: ファイル名だけを入力してください"
                                             "(フォルダは含められません).")),
        kx::MessageIcon::Error);
    field->setModified(false);
    Fill();
    return false;
}
