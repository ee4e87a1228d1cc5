#include "codegen/generated_file.h"

#include "codegen/code_names.h"
#include "platform/save_file.h"

namespace kx {

GeneratedFile::GeneratedFile(const std::string &folder, const std::string &fileName)
{
    m_result.fileName = fileName;
    const std::string problem = GeneratedFileNameProblem(fileName, MaxFileNameLength(folder));
    if (!problem.empty()) {
        m_result.outcome = FileOutcome::Refused;
        m_result.reason = problem;
        return;
    }
    m_checked = true;
    if (!m_file.OpenForGeneration(folder + fileName)) {
        m_result.outcome = m_file.KeptForUser() ? FileOutcome::KeptForUser : FileOutcome::Failed;
        m_result.reason = m_file.ErrorText();
    }
}

GeneratedFile::GeneratedFile(GenerationResult result)
    : m_result(std::move(result))
{ }

std::string GeneratedFile::RefusalReason() const
{
    if (m_result.outcome == FileOutcome::Refused)
        return m_result.reason;
    return m_file.Refused() ? m_file.ErrorText() : std::string();
}

GenerationResult GeneratedFile::Finish()
{
    if (!m_checked || !m_file.IsOpen())
        return m_result;
    if (!m_file.Close()) {
        m_result.outcome = m_file.Refused() ? FileOutcome::Refused : FileOutcome::Failed;
        m_result.reason = m_file.ErrorText();
    }
    return m_result;
}

GenerationResult NotGenerated(std::string fileName, std::string reason)
{
    return {std::move(fileName), FileOutcome::NotGenerated, std::move(reason)};
}

} // namespace kx
