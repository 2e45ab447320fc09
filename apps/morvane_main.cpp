// Morvane: the results application.
int main() { return 0; }
