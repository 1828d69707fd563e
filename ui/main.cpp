// wegator: the desktop humidity calculator.
#include "application.h"

int main(int argc, char** argv) { return wegator::RunWegator(argc, argv); }
