#include "ui/start_up.h"

int main(int argc, char** argv) { return mosaren::RunMosaren(argc, argv); }
