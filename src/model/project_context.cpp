#include "model/project_context.h"

#include "model/object_data_list.h"

#include <algorithm>
#include <utility>

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

bool CProjectContext::AcceptsFileName(std::string_view file) const
{
    // A project file may come from anyone: its file names stay inside the project's folders.
    // Links inside the folders are the user's own business and are followed.
    // An empty name stands for the folder itself, which opens as no picture and no font.
    bool inside = file.empty() || (file.front() != '/' && file.find('\0') == std::string::npos);
    for (std::size_t start = 0; inside && start <= file.size();) {
        const std::size_t slash = std::min(file.find('/', start), file.size());
        if (file.substr(start, slash - start) == "..")
            inside = false;
        start = slash + 1;
    }
    if (!inside && m_refusedFileNames.emplace(file).second)
        m_untoldRefusedFileNames.emplace_back(file);
    return inside;
}

std::vector<std::string> CProjectContext::TakeRefusedFileNames()
{
    return std::exchange(m_untoldRefusedFileNames, {});
}

std::string CProjectContext::RefusedFileNamesText(const std::vector<std::string> &names)
{
    std::string text = "Pictures and fonts are read only from the project's resources/ and "
                       "fonts/ folders; these file names leave them and were not opened:";
    for (const std::string &name : names) {
        text += " \"";
        for (const char c : name) {
            // A name is shown on one line, whatever it holds.
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                text += '?';
            else
                text += c;
        }
        text += '"';
    }
    return text;
}

std::string CProjectContext::ImagePath(std::string_view file) const
{
    if (!AcceptsFileName(file))
        return {};
    return m_projectFolder + "resources/" + std::string(file);
}

std::string CProjectContext::FontPath(std::string_view file) const
{
    if (!AcceptsFileName(file))
        return {};
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
    m_refusedFileNames.clear();
    m_untoldRefusedFileNames.clear();
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
