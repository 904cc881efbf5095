#include "gui/application.h"

int main(int argc, char** argv) { return sanxing::RunProgram(argc, argv); }
