#include "driver/run.h"

int main(int argc, char** argv) { return barlist::driver::run(argc, argv); }
