// The resource root: the project's name, its file and its dialogs.
#pragma once

#include "model/kx_class.h"
#include "model/prefix_settings.h"
#include "model/resource_lists.h"
#include "platform/tree_sink.h"

#include <string>
#include <string_view>

class CKXResourceData : public KXClass {
public:
    // The name of a project that was never named.
    static constexpr const char *kDefaultProjectName = "Name";

    explicit CKXResourceData(const kx::PrefixSettings &prefixes);
    ~CKXResourceData() override;

    const std::string &ProjectName() const { return m_projectName; }
    // Stores the name and derives the application class name from the current "App" prefix;
    // a later change of the prefix does not touch it until the name is set again.
    void SetProjectName(std::string_view name);
    const std::string &AppClassName() const { return m_appClassName; }

    const std::string &ProjectFilePath() const { return m_projectFilePath; }
    void SetProjectFilePath(std::string_view path) { m_projectFilePath = path; }

    CKXDialogDataList &Dialogs() { return m_dialogs; }
    const CKXDialogDataList &Dialogs() const { return m_dialogs; }

    // Fills the tree: "Root = <name>" with every dialog below it, expanded.
    kx::TreeItem AddToTree(kx::ITreeSink &tree);

private:
    const kx::PrefixSettings *m_prefixes;
    std::string m_projectFilePath;
    std::string m_projectName = kDefaultProjectName;
    std::string m_appClassName;
    CKXDialogDataList m_dialogs;
};
