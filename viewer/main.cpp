#include "texts/TextSet.h"
#include "viewer/shell/ViewerApp.h"

int main(int argc, char** argv) { return RunViewer(argc, argv, MARVESSA_TEXT_SET()); }
