#include "editor/EditorApp.h"
#include "texts/TextSet.h"

int main(int argc, char** argv) { return RunEditor(argc, argv, MARVESSA_TEXT_SET()); }
