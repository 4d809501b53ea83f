// Builds the izdvoji.mdb that ships with the program: the restructuring's rule tables, empty.
//   listrion-rule-file OUTPUT
#include "store/RuleSchema.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: listrion-rule-file OUTPUT\n");
        return 2;
    }
    try {
        listrion::store::RuleSchema::create(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "listrion-rule-file: %s\n", error.what());
        return 1;
    }
    return 0;
}
