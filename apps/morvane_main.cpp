// Morvane: the results application.
#include "viewer/results_app.h"

int main(int argc, char** argv) { return viewer::RunResultsApp(argc, argv); }
