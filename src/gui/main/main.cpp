#include "gui/main/startup.h"

int main(int argc, char** argv) { return kindrela::LanceProgramme(argc, argv); }
