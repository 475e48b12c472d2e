#include "shell/startup.h"

int main(int argc, char** argv) { return zeb::run_zeb(argc, argv); }
