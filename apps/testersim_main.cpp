// testersim: creates, fills and inspects simulated testers.
int main() { return 0; }
