// Every test program of the editor runs in a home of its own: a folder made for the process
// before main starts, which holds the settings, the state (recovery copies), the recent files and
// Qt's own files, and is removed when the process ends. Two programs running at once share
// nothing, and the user's own settings are never read or written.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

class PrivateHome {
public:
    PrivateHome()
    {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "kxui-test-XXXXXX");
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_home = pattern;
        const std::filesystem::path home(m_home);
        const struct {
            const char *variable;
            std::filesystem::path path;
        } folders[] = {{"HOME", home}, {"XDG_CONFIG_HOME", home / "config"},
            {"XDG_STATE_HOME", home / "state"}, {"XDG_DATA_HOME", home / "data"},
            {"XDG_CACHE_HOME", home / "cache"}, {"XDG_RUNTIME_DIR", home / "runtime"}};
        for (const auto &folder : folders) {
            std::filesystem::create_directories(folder.path, error);
            setenv(folder.variable, folder.path.c_str(), 1);
        }
        std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all, error);
    }

    ~PrivateHome()
    {
        std::error_code error;
        std::filesystem::remove_all(m_home, error);
    }

private:
    std::string m_home;
};

const PrivateHome kHome;

} // namespace
