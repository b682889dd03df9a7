// The main of a test program: runs the tests its sources registered.
#include "tests/support/check.h"

int main(int argc, char** argv) { return RunTests(argc, argv); }
