#include "StartUp.h"

int main(int argc, char** argv) { return skerra::runSkerra(argc, argv); }
