#include <cstdio>
#include <cstring>

namespace {

void usage(FILE* out)
{
    std::fputs("usage: lumivu-render [--width W | --height H | --zoom Z] [--dpi D] [--timing] INPUT OUTPUT\n"
               "Converts a metafile or an image to PNG, BMP, PDF or SVG (chosen by OUTPUT's extension).\n",
               out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    usage(stderr);
    return 2;
}
