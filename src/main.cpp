#include "driver/run.h"

int main() { return barlist::driver::run(); }
