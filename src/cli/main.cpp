// kxdialog: the command-line tool of KXDialogEditor. It works on project files without a display.
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char *kUsage = R"(Usage: kxdialog [OPTION]...
Works on KXDialogEditor project files from the command line.

Options:
  -h, --help       show this help and exit
  -V, --version    show the version and exit
)";

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::string_view arg = argv[1];
    if (arg == "-h" || arg == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arg == "-V" || arg == "--version") {
        std::printf("kxdialog %s\n", KX_VERSION);
        return 0;
    }
    std::fprintf(stderr, "kxdialog: unknown option \"%s\"\nTry \"kxdialog --help\".\n", argv[1]);
    return 2;
}
