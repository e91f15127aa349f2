// SPDX-License-Identifier: Apache-2.0
// Build step: make-printer-profile BASE OUTPUT writes the printer's profile the proof uses.
#include "host/preview/PrinterProfileMaker.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-printer-profile BASE.icc OUTPUT.icc\n");
        return 2;
    }
    std::string error;
    if (!host::preview::PrinterProfileMaker::write(argv[1], argv[2], &error)) {
        std::fprintf(stderr, "make-printer-profile: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
