// Quillink: the communication tool. One job per process.
int main() { return 0; }
