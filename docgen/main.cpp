// qmt_docgen: writes the authors' actions reference.
//   qmt_docgen OUTPUT.md
#include <cstdio>
#include <fstream>
#include "docgen/reference_markdown.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: qmt_docgen OUTPUT.md\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << ActionReferenceMarkdown();
    out.close();
    if (!out) {
        fprintf(stderr, "qmt_docgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
