#include "app/qt/application.h"

int main(int argc, char** argv) { return sanxing::RunProgram(argc, argv); }
