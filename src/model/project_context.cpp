#include "model/project_context.h"

#include "model/object_data_list.h"

#include <algorithm>

CProjectContext::CProjectContext()
    : m_root(m_prefixes)
{ }

CProjectContext::~CProjectContext() = default;

void CProjectContext::SetProjectFolder(std::string_view folder)
{
    m_projectFolder = folder;
    if (!m_projectFolder.empty() && m_projectFolder.back() != '/')
        m_projectFolder += '/';
}

std::string CProjectContext::ImagePath(std::string_view file) const
{
    return m_projectFolder + "resources/" + std::string(file);
}

std::string CProjectContext::FontPath(std::string_view file) const
{
    return m_projectFolder + "fonts/" + std::string(file);
}

KXClass *CProjectContext::FindResourceByName(std::string_view name) const
{
    if (CFontData *font = m_fonts.FindByName(name))
        return font;
    if (CImageData *image = m_images.FindByName(name))
        return image;
    if (CKXDialogData *dialog = Dialogs().FindByName(name))
        return dialog;
    for (const auto &dialog : Dialogs()) {
        if (CObjectData *object = dialog->RootGroup()->FindByName(name))
            return object;
    }
    return nullptr;
}

void CProjectContext::RenameFontReference(std::string_view oldName, std::string_view newName)
{
    for (const auto &image : m_images) {
        if (image->FontName() == oldName)
            image->SetFontName(newName);
    }
    for (const auto &dialog : Dialogs())
        dialog->RootGroup()->ReplaceFontName(oldName, newName);
}

void CProjectContext::RenameImageReference(std::string_view oldName, std::string_view newName)
{
    for (const auto &dialog : Dialogs())
        dialog->RootGroup()->ReplaceImageName(oldName, newName);
}

void CProjectContext::DiscardAll()
{
    // Copies: an observer may unregister itself while it is told.
    const auto observers = m_observers;
    for (kx::IProjectObserver *observer : observers)
        observer->CloseAllDialogWindows();
    m_nameIds.Clear();
    m_fonts.Clear();
    m_images.Clear();
    Dialogs().Clear();
    for (kx::IProjectObserver *observer : observers)
        observer->ClearResourcePanel();
    m_projectFolder.clear();
    // Nothing is left that could be lost.
    SetModified(false);
}

void CProjectContext::SetModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    const auto observers = m_observers;
    for (kx::IProjectObserver *observer : observers)
        observer->ProjectModifiedChanged(modified);
}

void CProjectContext::AddObserver(kx::IProjectObserver *observer)
{
    if (observer
        && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CProjectContext::RemoveObserver(kx::IProjectObserver *observer)
{
    std::erase(m_observers, observer);
}
